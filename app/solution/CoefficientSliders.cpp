#include "CoefficientSliders.h"

#include "CoefficientText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QToolButton>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

const QChar kMinus(0x2212);
// Solve keeps a coefficient in single precision and refuses one beyond it.
const double kLargest = FLT_MAX;
// A slider of more positions than this is no longer moved by keys.
const double kMostPositions = 100000;

// A slider's positions are whole numbers counted from the range's start; a
// screen reader is to hear the coefficient (1,5) as the box beside it shows it,
// and to set it in the same numbers.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(QSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value && rows() ? rows()->box(row())->text()
                                                    : QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return rows() ? rows()->value(row()) : 0.0; }
    void setCurrentValue(const QVariant& value) override
    {
        if (rows())
            rows()->box(row())->setValue(value.toDouble());
    }
    QVariant maximumValue() const override { return rows() ? rows()->to(row()) : 0.0; }
    QVariant minimumValue() const override { return rows() ? rows()->from(row()) : 0.0; }
    QVariant minimumStepSize() const override { return rows() ? rows()->step(row()) : 0.0; }

private:
    CoefficientSliders* rows() const
    {
        return qobject_cast<CoefficientSliders*>(widget()->parentWidget());
    }
    int row() const { return widget()->property("coefficientRow").toInt(); }
};

QAccessibleInterface* sliderAccessible(const QString&, QObject* object)
{
    auto* slider = qobject_cast<QSlider*>(object);
    if (!slider || !slider->property("coefficientRow").isValid())
        return nullptr;
    return new SliderAccessible(slider);
}

} // namespace

CoefficientBox::CoefficientBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    // Every digit a double has, so that the box holds what it shows (10⁻³⁰
    // as well as 10¹⁹); it shows no more than 15 significant ones.
    setDecimals(DBL_MAX_10_EXP + DBL_DIG);
    setRange(-kLargest, kLargest);
    // A typed value counts once it is complete (Enter, Tab); the arrows
    // count at once.
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight);
}

int CoefficientBox::widthFor(const QString& text) const
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    // The caret and the edit field's own margins, as QAbstractSpinBox allows.
    const QSize field(metrics.horizontalAdvance(text) + 2 + 2 * 4, metrics.height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, field, this).width();
}

QString CoefficientBox::textFromValue(double value) const
{
    return QString::fromStdString(TextbookCoefficient(value, m_separator));
}

double CoefficientBox::valueFromText(const QString& text) const
{
    return ReadCoefficient(text.toStdString(), m_separator).value_or(value());
}

// What the box shows reads back, and so does what the main window takes,
// with either separator and either minus. A text on its way to a number
// («1,5·10», «1e») waits for more.
QValidator::State CoefficientBox::validate(QString& text, int&) const
{
    static const QRegularExpression typeable(
        QStringLiteral("^[-+\u2212 \u00A0\u2009\u202F0-9.,eE\u00B7\u00D7*^"
                       "\u2070\u00B9\u00B2\u00B3\u2074-\u207B]*$"));
    if (!typeable.match(text).hasMatch())
        return QValidator::Invalid;
    const std::optional<double> value = ReadCoefficient(text.toStdString(), m_separator);
    return value && *value >= minimum() && *value <= maximum() ? QValidator::Acceptable
                                                               : QValidator::Intermediate;
}

void CoefficientBox::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier
        && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        setValue(event->key() == Qt::Key_Home ? m_from : m_to);
        selectAll();
        event->accept();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}

CoefficientSliders::CoefficientSliders(QWidget* parent)
    : QWidget(parent)
{
    static const bool factory = (QAccessible::installFactory(sliderAccessible), true);
    Q_UNUSED(factory);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    const char* names[] = { "a", "b", "c" };
    for (int i = 0; i < 3; ++i) {
        Row& row = m_rows[i];
        const QString name = names[i];
        auto* label = new QLabel("<i>" + name + "</i>");
        row.slider = new QSlider(Qt::Horizontal);
        row.slider->setProperty("coefficientRow", i);
        row.slider->setAccessibleName(name);
        row.slider->setPageStep(10);
        row.box = new CoefficientBox;
        row.box->setAccessibleName(name);
        // The slider beside it is what a pointer moves; the box's own arrow
        // buttons would only take its width (the arrow keys still step).
        row.box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        label->setBuddy(row.box);
        row.button = new QToolButton;
        row.button->setText("…");
        row.button->setAccessibleName("Диапазон и шаг " + name);
        row.button->setToolTip("Диапазон и шаг " + name);
        grid->addWidget(label, i, 0);
        grid->addWidget(row.slider, i, 1);
        grid->addWidget(row.box, i, 2);
        grid->addWidget(row.button, i, 3);
        applyRange(i, RangeFor(0));
        connect(row.slider, &QSlider::valueChanged, this,
            [this, i](int position) { sliderMoved(i, position); });
        connect(row.box, &QDoubleSpinBox::valueChanged, this,
            [this, i](double value) { boxChanged(i, value); });
        connect(row.button, &QToolButton::clicked, this, [this, i] { editRange(i); });
    }
    // Wide enough for the seven digits a single-precision coefficient holds,
    // with a power of ten, and the frame; not for the box's extremes (3·10³⁸
    // written out) that its size hint allows for: the slider keeps the room.
    for (const Row& row : m_rows) {
        row.box->setFixedWidth(std::min(
            row.box->widthFor(QString(kMinus) + "1,234567·10⁻¹⁹"), row.box->sizeHint().width()));
    }
    setNarrow(false);
}

void CoefficientSliders::setNarrow(bool narrow)
{
    const int digit = fontMetrics().horizontalAdvance('0');
    for (const Row& row : m_rows)
        row.slider->setMinimumWidth(digit * (narrow ? 5 : 12));
}

CoefficientSliders::Range CoefficientSliders::RangeFor(double value)
{
    if (value == 0 || !std::isfinite(value))
        return { -10, 10, 0.1 };
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(value))));
    return { value - 10 * unit, value + 10 * unit, unit / 100 };
}

void CoefficientSliders::setCoefficients(const std::array<double, 3>& values, char separator)
{
    m_separator = separator;
    for (int i = 0; i < 3; ++i) {
        const double value = values[i];
        const QSignalBlocker quiet(m_rows[i].box);
        m_rows[i].box->setSeparator(separator);
        applyRange(i, RangeFor(value));
        m_rows[i].box->setValue(value);
        const QSignalBlocker alsoQuiet(m_rows[i].slider);
        m_rows[i].slider->setValue(m_rows[i].position(value));
    }
}

std::array<std::string, 3> CoefficientSliders::texts() const
{
    return { CoefficientText(value(0), m_separator), CoefficientText(value(1), m_separator),
        CoefficientText(value(2), m_separator) };
}

double CoefficientSliders::value(int row) const { return m_rows[row].box->value(); }

void CoefficientSliders::applyRange(int i, const Range& range)
{
    Row& row = m_rows[i];
    row.from = range.from;
    row.to = range.to;
    row.step = range.step;
    const QSignalBlocker quiet(row.slider);
    row.slider->setRange(0, row.position(range.to));
    row.box->setSingleStep(range.step);
    row.box->setEnds(range.from, range.to);
}

void CoefficientSliders::setRange(int i, double from, double to, double step)
{
    applyRange(i, { from, to, step });
    Row& row = m_rows[i];
    const double before = row.box->value();
    const double value = std::clamp(before, from, to);
    {
        const QSignalBlocker quiet(row.box), alsoQuiet(row.slider);
        row.box->setValue(value);
        row.slider->setValue(row.position(value));
    }
    if (value != before)
        emit moved();
}

void CoefficientSliders::sliderMoved(int i, int position)
{
    const Row& row = m_rows[i];
    // Whole steps counted from 0 where the range starts at one, so that 0,1
    // is 10 steps of 0,01 and not −9 plus 910 of them, a rounding error off.
    const double start = row.from / row.step;
    const double whole = std::round(start);
    double value = std::abs(start - whole) < 1e-6 ? (whole + position) * row.step
                                                  : row.from + position * row.step;
    value = std::min(value, row.to);
    // from + i·step misses 0 by a rounding error, and 0 is where a is linear.
    if (std::abs(value) < row.step * 1e-6)
        value = 0;
    const QSignalBlocker quiet(row.box);
    row.box->setValue(value);
    emit moved();
}

void CoefficientSliders::boxChanged(int i, double value)
{
    const Row& row = m_rows[i];
    const double slack = row.step * 1e-6;
    if (value < row.from - slack || value > row.to + slack)
        applyRange(i, RangeFor(value));
    const QSignalBlocker quiet(row.slider);
    row.slider->setValue(row.position(value));
    emit moved();
}

void CoefficientSliders::setTabOrderAfter(QWidget* previous)
{
    for (const Row& row : m_rows) {
        const QWidgetList controls { row.slider, row.box, row.button };
        for (QWidget* next : controls) {
            setTabOrder(previous, next);
            previous = next;
        }
    }
}

void CoefficientSliders::describe(const QString& summary)
{
    QWidget* focused = QApplication::focusWidget();
    for (const Row& row : m_rows) {
        const QWidgetList controls { row.slider, row.box };
        for (QWidget* control : controls) {
            if (control->accessibleDescription() == summary)
                continue;
            control->setAccessibleDescription(summary);
            // A screen reader reads out changes of the focused control only.
            if (control == focused
                || (focused && control == row.box && focused == row.box->findChild<QLineEdit*>())) {
                m_told = control;
                QAccessibleEvent event(control, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&event);
            }
        }
    }
}

// A small dialog, not a popup: Qt keeps popups out of the accessibility tree.
void CoefficientSliders::editRange(int i)
{
    const QString name = m_rows[i].slider->accessibleName();
    auto* dialog = new QDialog(window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName("RangeEditor");
    dialog->setWindowTitle("Диапазон и шаг " + name);
    auto* form = new QFormLayout(dialog);
    CoefficientBox* boxes[3];
    const char* labels[] = { "&от", "&до", "&шаг" };
    const double values[] = { m_rows[i].from, m_rows[i].to, m_rows[i].step };
    for (int k = 0; k < 3; ++k) {
        boxes[k] = new CoefficientBox;
        boxes[k]->setSeparator(m_separator);
        boxes[k]->setAccessibleName(QString(labels[k]).remove('&'));
        boxes[k]->setKeyboardTracking(true);
        if (k == 2)
            boxes[k]->setMinimum(1e-6);
        boxes[k]->setValue(values[k]);
        form->addRow(labels[k], boxes[k]);
    }
    auto* problem = new QLabel;
    problem->setWordWrap(true);
    problem->setVisible(false);
    form->addRow(problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Применить");
    buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, dialog, [this, i, dialog, boxes, problem] {
        const double from = boxes[0]->value(), to = boxes[1]->value(), step = boxes[2]->value();
        if (from >= to || (to - from) / step > kMostPositions) {
            problem->setText(from >= to ? "«от» должно быть меньше «до»."
                                        : "Шаг слишком мелок для этого диапазона.");
            problem->setVisible(true);
            problem->setFocus();
            return;
        }
        setRange(i, from, to, step);
        dialog->accept();
    });
    // Wide enough that the window manager shows the whole title.
    dialog->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 140);
    boxes[0]->selectAll();
    dialog->open();
}
