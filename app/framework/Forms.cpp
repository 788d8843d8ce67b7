#include "Forms.h"

#include "ExtCtrls.h"
#include "Placement.h"
#include "StdCtrls.h"
#include "TitleBar.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMap>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {

// Font heights are pixel heights (negative, as the description stores them);
// a control without one takes the form's.
void applyFontHeight(QWidget* widget)
{
    const QVariant height = widget->property("FontHeight");
    if (!height.isValid())
        return;
    QFont font = widget->font();
    font.setPixelSize(std::abs(height.toInt()));
    widget->setFont(font);
}

// The families a font names, each one the machine lacks replaced by those of
// its substitutes it has (the original platform's "MS Sans Serif" by the
// nearest sans-serif here). Asked for by a missing name, every font size
// would first search fontconfig for it in vain.
QStringList installedFamilies(const QStringList& families)
{
    // Only a family with substitutes can be one to replace; that spares the
    // font database's list on every later font change of the form.
    if (std::none_of(families.begin(), families.end(),
            [](const QString& family) { return !QFont::substitutes(family).isEmpty(); }))
        return families;
    const QStringList installed = QFontDatabase::families();
    QStringList found;
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            found << family;
            continue;
        }
        for (const QString& substitute : QFont::substitutes(family)) {
            if (installed.contains(substitute, Qt::CaseInsensitive))
                found << substitute;
        }
    }
    return found.isEmpty() ? families : found;
}

} // namespace

TForm::TForm(QWidget* owner)
    : QWidget(owner)
{
}

void TForm::Close() { close(); }

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        const bool onButton = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        for (TLabel* label : findChildren<TLabel*>()) {
            if (label->Selectable() && (label->hasSelectedText() || onButton)
                && label->CopyToClipboard()) {
                event->accept();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

bool TForm::event(QEvent* event)
{
    // The form's font height applies as soon as the description sets it,
    // before the controls are made: they start with it, and no font is
    // loaded at a size that nothing shows.
    if (event->type() == QEvent::DynamicPropertyChange
        && static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "FontHeight")
        applyFontHeight(this);
    if (event->type() == QEvent::FontChange) {
        const QStringList families = installedFamilies(font().families());
        if (families != font().families()) {
            QFont font = this->font();
            font.setFamilies(families);
            setFont(font);
        }
    }
    return QWidget::event(event);
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed || !property("Left").isValid())
        return;
    m_placed = true;
    KeepOnScreen(this, m_designedPosition);
}

int TForm::FindHandler(const QVariant& name, const char* parameters) const
{
    const QByteArray handler = name.toByteArray();
    if (handler.isEmpty())
        return -1;
    const QByteArray signature = QMetaObject::normalizedSignature(handler + parameters);
    const int index = metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        throw Exception(
            "В описании формы указан неизвестный обработчик " + signature.toStdString());
    return index;
}

bool TForm::InvokeHandler(int method, void** argv)
{
    return Application->Dispatch([&] { qt_metacall(QMetaObject::InvokeMetaMethod, method, argv); });
}

QAccessibleInterface* TForm::CreateAccessible()
{
    return isWindow() ? new QAccessibleWidget(this, QAccessible::Window) : nullptr;
}

// The window icon in the sizes window managers pick from: each from the
// drawing made for that size, if the description lists one (the title bar's
// 16 px, 24 px at 1.5×), else from the main drawing.
void TForm::applyWindowIcon()
{
    const QPicture main = LoadDrawing(property("Icon").toString());
    if (main.isNull())
        return;
    QMap<int, QPicture> drawings;
    for (const int size : { 16, 24, 32, 64, 128 })
        drawings[size] = main;
    for (const QString& file : property("SmallIcons").toString().split(',', Qt::SkipEmptyParts)) {
        const QPicture small = LoadDrawing(file);
        if (!small.isNull())
            drawings[small.boundingRect().width()] = small;
    }
    QIcon icon;
    for (auto it = drawings.cbegin(); it != drawings.cend(); ++it)
        icon.addPixmap(DrawingPixmap(it.value(), it.key()));
    setWindowIcon(icon);
}

void TForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_iconPending) {
        m_iconPending = false;
        QTimer::singleShot(0, this, &TForm::applyWindowIcon);
    }
}

void TForm::Loaded()
{
    const QVariant left = property("Left");
    const QVariant top = property("Top");
    if (left.isValid() && top.isValid()) {
        m_designedPosition = QPoint(left.toInt(), top.toInt());
        move(m_designedPosition);
    }

    // Only the icons the description lists appear in the title bar.
    m_titleBarHeight
        = ApplyBorderIcons(this, property("BorderIcons").toString().split(',', Qt::SkipEmptyParts));

    if (property("BorderStyle").toString() == "bsSingle")
        setFixedSize(size());

    // The window icon joins once the first frame is drawn (paintEvent): it
    // is not part of that frame, and on X11 every size of it is converted for
    // the window manager when it is set.
    m_iconPending = property("Icon").isValid();

    // Again for the form, whose description may set its font after its height.
    applyFontHeight(this);
    for (QWidget* child : findChildren<QWidget*>())
        applyFontHeight(child);

    for (QWidget* child : findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<TBindable*>(child))
            control->Bind(*this);
    }
}
