#include "PlotWidget.h"

#include "FileNames.h"

#include "Announcement.h"
#include "Contrast.h"
#include "Hatching.h"
#include "LabelPlacement.h"
#include "PlotTrace.h"
#include "Typography.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

class PlotAccessible : public QAccessibleWidget {
public:
    explicit PlotAccessible(QWidget* plot)
        : QAccessibleWidget(plot, QAccessible::Chart)
    {
    }
};

// Chained after the factories installed before (the program's own asks only
// its controls): the plot is a chart, not the generic client area.
QAccessibleInterface* plotAccessible(const QString&, QObject* object)
{
    if (auto* plot = qobject_cast<PlotWidget*>(object))
        return new PlotAccessible(plot);
    return nullptr;
}

} // namespace

std::function<PlotWidget::SaveChoice(QWidget*, const QString&)> PlotWidget::chooseFileName
    = [](QWidget* parent, const QString& proposed) {
          SaveChoice choice;
          choice.fileName = QFileDialog::getSaveFileName(parent, "Сохранить график", proposed,
              "Изображение PNG (*.png);;Рисунок SVG (*.svg)", &choice.filter);
          return choice;
      };

PlotWidget::PlotWidget(QWidget* parent)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(plotAccessible), true);
    Q_UNUSED(accessible);
    setObjectName("Plot");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName("График");
    setAttribute(Qt::WA_OpaquePaintEvent);
    addCommands();
}

void PlotWidget::setCurve(const PlotCurve& curve, const std::string& description, View view)
{
    const bool moved = m_view.xMin != m_home.xMin || m_view.xMax != m_home.xMax
        || m_view.yMin != m_home.yMin || m_view.yMax != m_home.yMax;
    const bool keep = !m_empty && (view == View::Keep || (view == View::KeepMoved && moved));
    m_empty = false;
    m_curve = curve;
    m_description = description;
    m_trace->setEnabled(true);
    m_home = FitView(curve, 0.1, 0.12);
    setView(keep ? m_view : m_home);
    // The same equation moved keeps the point's x; a new one starts it
    // afresh in the new view (the window says that the solution changed).
    if (m_traceX && !keep)
        restartTrace();
}

void PlotWidget::clear(const std::string& message)
{
    m_empty = true;
    m_curve = PlotCurve {};
    m_description = message;
    m_trace->setChecked(false);
    m_trace->setEnabled(false);
    setAccessibleDescription(qs(message) + ".");
    update();
}

void PlotWidget::setDimmed(bool dimmed)
{
    m_dimmed = dimmed;
    update();
}

void PlotWidget::setView(const PlotBox& view)
{
    m_view = view;
    describe();
    update();
}

void PlotWidget::resetView() { setView(m_home); }

// One sentence of what is seen, and the part of the plane that is visible,
// its ends to a hundredth of the span: enough to place them, and no more
// digits than tell them apart.
void PlotWidget::describe()
{
    const auto value
        = [this](double v, double span) { return qs(TickLabel(v, span / 100, m_curve.separator)); };
    m_viewDescription = qs(m_description) + ". Видно x от " + value(m_view.xMin, m_view.width())
        + " до " + value(m_view.xMax, m_view.width()) + ", y от "
        + value(m_view.yMin, m_view.height()) + " до " + value(m_view.yMax, m_view.height()) + ".";
    setAccessibleDescription(m_viewDescription);
}

// The widget's font at its size in pixels, so that a picture on any device
// (an SVG included) is lettered as the screen is.
QFont PlotWidget::plotFont() const
{
    QFont font = this->font();
    font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    return font;
}

// The colours of the widget's palette, faded while the plot is stale.
Ink PlotWidget::ink() const
{
    const Ink fresh = Ink::forPalette(palette(), plotFont());
    return m_dimmed ? fresh.faded() : fresh;
}

PlotPicture PlotWidget::drawing() const
{
    return PlotPicture(m_curve, m_view, plotFont(), ink(), m_options);
}

void PlotWidget::setOptions(const PlotOptions& options)
{
    m_options = options;
    update();
}

QRectF PlotWidget::plotArea(QSizeF size) const { return drawing().area(size); }

QPointF PlotWidget::toDevice(double x, double y, const QRectF& area) const
{
    return drawing().toDevice(x, y, area);
}

QPointF PlotWidget::toData(QPointF position) const
{
    const PlotPicture picture = drawing();
    return picture.toData(position, picture.area(size()));
}

PaintedPlot PlotWidget::paint(QPainter& painter, QSizeF size) const
{
    if (!m_empty)
        return drawing().paint(painter, size);
    const Ink colours = ink();
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), size), colours.background);
    painter.setFont(plotFont());
    painter.setPen(colours.text);
    painter.drawText(
        QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, qs(m_description));
    painter.restore();
    return {};
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const PaintedPlot painted = paint(painter, size());
    paintOverlays(painter, painted.scene);
}

// What belongs to the screen only: the hover readout, the traced point with
// what is said of it, and the focus frame. The trace's readout is placed as
// a label of the point, clear of the curve, the axes, the marks and their
// labels (`scene`); where that finds no room, beside the point.
void PlotWidget::paintOverlays(QPainter& painter, const LabelScene& scene) const
{
    painter.setFont(plotFont());
    const QRectF area = plotArea(size());
    const Ink colours = Ink::forPalette(palette(), plotFont());
    // Text on the background, boxed so that the grid and the curve under it
    // give way.
    const auto box = [&](const QString& text, QPointF corner, bool framed) {
        const QRectF place(
            corner, painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2).size());
        painter.fillRect(place, colours.background);
        if (framed) {
            painter.setPen(QPen(colours.text, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(place.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        painter.setPen(colours.text);
        painter.drawText(place, Qt::AlignCenter, text);
        return place;
    };
    if (!m_empty && m_hover && area.contains(*m_hover)) {
        const QPointF at = toData(*m_hover);
        const double y = m_curve.at(at.x());
        const QString text = "x = " + qs(TypesetApproximation(at.x(), m_curve.separator)) + ";  y "
            + (std::isfinite(y) ? "= " + qs(TypesetApproximation(y, m_curve.separator))
                                : QString("вне диапазона"));
        const double width = painter.fontMetrics().boundingRect(text).width() + 8;
        box(text, area.topRight() + QPointF(-width - 4, 4), false);
    }
    if (!m_empty && m_traceX) {
        const double x = *m_traceX, y = m_curve.at(x);
        if (std::isfinite(y) && m_view.contains(x, y)) {
            const QPointF at = toDevice(x, y, area);
            painter.save();
            painter.setClipRect(area);
            painter.setRenderHint(QPainter::Antialiasing);
            // A ring with a dot, so that the mark under it still shows.
            painter.setPen(QPen(colours.text, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 8, 8);
            painter.setPen(QPen(colours.curve, 1, Qt::DashLine));
            painter.drawLine(QPointF(at.x(), area.top()), QPointF(at.x(), area.bottom()));
            painter.restore();
            const QString text = qs(TraceText(m_curve, x, m_traceStep));
            const QSizeF size
                = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2).size();
            LabelScene around = scene;
            around.lines.push_back({ { at.x(), area.top() }, { at.x(), area.bottom() } });
            const LabelRect ring { at.x() - 9, at.y() - 9, at.x() + 9, at.y() + 9 };
            around.marks.push_back(ring);
            const auto place
                = PlaceLabels({ { ring, size.width(), size.height(), LabelSide::Right } }, around);
            QPointF corner;
            if (place.front()) {
                corner = QPointF(place.front()->left, place.front()->top);
            } else {
                // Turned to whichever side has room.
                corner = at + QPointF(12, -12 - size.height());
                if (corner.x() + size.width() > area.right())
                    corner.setX(at.x() - 12 - size.width());
                if (corner.y() < area.top())
                    corner.setY(at.y() + 12);
                corner.setX(std::clamp(corner.x(), area.left() + 2,
                    std::max(area.left() + 2, area.right() - size.width() - 2)));
            }
            box(text, corner, true);
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QImage PlotWidget::render(QSize size, qreal pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    paint(painter, size);
    return image;
}

double PlotWidget::captionHeight() const { return m_empty ? 0 : drawing().captionHeight(); }

// The caption line, then the plot of `size` below it.
void PlotWidget::paintPicture(QPainter& painter, QSizeF size) const
{
    const double top = captionHeight();
    if (top > 0)
        drawing().paintCaption(painter, size.width());
    painter.save();
    painter.translate(0, top);
    paint(painter, size);
    painter.restore();
}

QImage PlotWidget::picture(qreal pixelRatio) const
{
    const QSizeF size = QSizeF(this->size()) + QSizeF(0, captionHeight());
    QImage image((size * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    paintPicture(painter, this->size());
    return image;
}

// QSvgGenerator names the font by its family alone and sizes it in points at
// its own resolution; the text is set here as the screen sets it: the
// widget's family with a generic fallback, at the same size in pixels.
bool PlotWidget::saveSvg(const QString& fileName) const
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QSize pictureSize = size() + QSize(0, int(captionHeight()));
    svg.setSize(pictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), pictureSize));
    svg.setResolution(96); // CSS pixels: the picture as large as on the screen
    svg.setTitle("График");
    // What the chart shows, without a trace's news.
    svg.setDescription(m_empty ? qs(m_description) + "." : m_viewDescription);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintPicture(painter, size());
    if (!painter.end())
        return false;
    const QFont font = plotFont();
    QString text = QString::fromUtf8(buffer.data());
    QString family = font.family().toHtmlEscaped();
    family.replace('\'', "&apos;");
    text.replace(QRegularExpression(R"(font-family="[^"]*")"),
        QString(R"(font-family="'%1', sans-serif")").arg(family));
    text.replace(QRegularExpression(R"(font-size="[^"]*")"),
        QString(R"(font-size="%1px")").arg(font.pixelSize()));
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.flush();
}

bool PlotWidget::save(const QString& fileName) const
{
    if (fileName.endsWith(".svg", Qt::CaseInsensitive))
        return saveSvg(fileName);
    return picture(devicePixelRatioF()).save(fileName, "PNG");
}

void PlotWidget::copyToClipboard() const
{
    QGuiApplication::clipboard()->setImage(picture(devicePixelRatioF()));
}

void PlotWidget::saveAs()
{
    const SaveChoice choice = chooseFileName(this, FileNameOf(m_curve.caption) + ".png");
    QString name = choice.fileName;
    if (name.isEmpty())
        return;
    // A name without a suffix takes the type chosen in the dialog.
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix != "svg" && suffix != "png")
        name += choice.filter.contains("*.svg") ? ".svg" : ".png";
    if (!save(name))
        QMessageBox::warning(
            this, "Решение и график", "Не удалось сохранить график в файл «" + name + "».");
}

void PlotWidget::zoomAbout(double factor, QPointF position)
{
    const QPointF at = toData(position);
    m_view = Zoomed(m_view, factor, at.x(), at.y());
    // The left margin follows the widest tick label of the new view: the
    // point under the cursor is held there all the same.
    for (int i = 0; i < 3; ++i) {
        const QPointF now = toData(position);
        m_view = Panned(m_view, at.x() - now.x(), at.y() - now.y());
    }
    setView(m_view);
}

void PlotWidget::panBy(double fx, double fy)
{
    setView(Panned(m_view, fx * m_view.width(), fy * m_view.height()));
}

void PlotWidget::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        zoomAbout(std::pow(0.8, steps), event->position());
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        m_dragView = m_view;
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_hover = event->position();
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QRectF area = plotArea(size());
        const QPointF moved = event->position() - *m_dragFrom;
        setView(Panned(m_dragView, -moved.x() / area.width() * m_dragView.width(),
            moved.y() / area.height() * m_dragView.height()));
        return;
    }
    update();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent*) { m_dragFrom.reset(); }

void PlotWidget::mouseDoubleClickEvent(QMouseEvent*) { resetView(); }

void PlotWidget::leaveEvent(QEvent*)
{
    m_hover.reset();
    update();
}

QAction* PlotWidget::command(
    const QString& text, const QList<QKeySequence>& keys, const QString& tip)
{
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    const QString key = keys.value(0).toString(QKeySequence::NativeText);
    action->setToolTip((tip.isEmpty() ? text : tip) + (key.isEmpty() ? "" : " (" + key + ")"));
    addAction(action);
    m_commands.append(action);
    return action;
}

// The commands, each an action: the keys, the context menu and a window
// that shows them all give the same command the same way.
void PlotWidget::addCommands()
{
    connect(command("Копировать график", QKeySequence::keyBindings(QKeySequence::Copy),
                "Копировать график с подписью как изображение"),
        &QAction::triggered, this, &PlotWidget::copyToClipboard);
    connect(command("Сохранить график…", QKeySequence::keyBindings(QKeySequence::Save),
                "Сохранить график с подписью в PNG или SVG"),
        &QAction::triggered, this, &PlotWidget::saveAs);
    // +, = and − (with or without Shift, on the keypad too) zoom about the
    // middle, or about the traced point.
    const auto zoom = [this](double factor) {
        const QRectF area = plotArea(size());
        const double y = m_traceX ? m_curve.at(*m_traceX) : std::nan("");
        zoomAbout(factor,
            std::isfinite(y) && m_view.contains(*m_traceX, y) ? toDevice(*m_traceX, y, area)
                                                              : area.center());
    };
    connect(command("Увеличить", { Qt::Key_Plus, Qt::Key_Equal }, ""), &QAction::triggered, this,
        [zoom] { zoom(0.8); });
    connect(command("Уменьшить", { Qt::Key_Minus, Qt::Key_Underscore }, ""), &QAction::triggered,
        this, [zoom] { zoom(1.25); });
    connect(command("Исходный вид", { Qt::Key_Home }, "Показать график, как он был построен"),
        &QAction::triggered, this, &PlotWidget::resetView);
    const struct {
        const char* text;
        Qt::Key key;
        double fx, fy;
    } pans[] = {
        { "Сдвинуть влево", Qt::Key_Left, -0.1, 0 },
        { "Сдвинуть вправо", Qt::Key_Right, 0.1, 0 },
        { "Сдвинуть вверх", Qt::Key_Up, 0, 0.1 },
        { "Сдвинуть вниз", Qt::Key_Down, 0, -0.1 },
    };
    for (const auto& pan : pans) {
        QAction* action = command(pan.text, { pan.key }, "");
        const double fx = pan.fx, fy = pan.fy;
        connect(action, &QAction::triggered, this, [this, fx, fy] { panBy(fx, fy); });
        if (fx != 0)
            m_viewOnly.append(action);
    }

    m_trace = command("Трассировка", { Qt::Key_T },
        "Вести точку по графику с клавиатуры: стрелки, R, V, I; Esc — выйти");
    m_trace->setCheckable(true);
    connect(m_trace, &QAction::toggled, this, &PlotWidget::setTracing);
    const struct {
        const char* text;
        QKeySequence key;
        TraceKey move;
        const char* tip;
    } moves[] = {
        { "Точка влево", Qt::Key_Left, TraceKey::Left, "Точка влево на шаг сетки" },
        { "Точка вправо", Qt::Key_Right, TraceKey::Right, "Точка вправо на шаг сетки" },
        { "Точка влево на десятую шага", Qt::SHIFT | Qt::Key_Left, TraceKey::FineLeft, "" },
        { "Точка вправо на десятую шага", Qt::SHIFT | Qt::Key_Right, TraceKey::FineRight, "" },
        { "К следующему корню", Qt::Key_R, TraceKey::NextRoot, "К следующему корню, по кругу" },
        { "К вершине", Qt::Key_V, TraceKey::Vertex, "Точка к вершине параболы" },
        { "К пересечению с осью y", Qt::Key_I, TraceKey::Intercept, "" },
    };
    for (const auto& move : moves) {
        QAction* action = command(move.text, { move.key }, move.tip);
        const TraceKey key = move.move;
        connect(action, &QAction::triggered, this, [this, key] { moveTrace(key); });
        m_traceOnly.append(action);
    }
    QAction* leave = command("Выйти из трассировки", { Qt::Key_Escape }, "");
    connect(leave, &QAction::triggered, m_trace, [this] { m_trace->setChecked(false); });
    m_traceOnly.append(leave);
    for (QAction* action : m_traceOnly)
        action->setEnabled(false);
}

// The x tick step of the view as shown: the trace's step.
double PlotWidget::xStep() const
{
    const PlotPicture picture = drawing();
    return picture.xTicks(picture.area(size()).width()).step;
}

// The point at the tick nearest the middle of the view, stepping by its ticks.
void PlotWidget::restartTrace()
{
    m_traceStep = xStep();
    m_traceX = TraceStart(m_view, m_traceStep);
}

void PlotWidget::setTracing(bool on)
{
    for (QAction* action : m_traceOnly)
        action->setEnabled(on);
    for (QAction* action : m_viewOnly)
        action->setEnabled(!on);
    if (!on) {
        m_traceX.reset();
        // The view the trace found, unless a new equation has been drawn since.
        if (m_viewBeforeTrace)
            setView(*m_viewBeforeTrace);
        m_viewBeforeTrace.reset();
        update();
        announce("Трассировка выключена");
        return;
    }
    m_viewBeforeTrace = m_view;
    restartTrace();
    update();
    announce("Трассировка. " + qs(TraceText(m_curve, *m_traceX, m_traceStep)));
}

// The point moved as the core says. Once it would leave the view, the view
// follows it along x, moved only as far as brings it a tenth of the view
// inside, so that the rest of the picture stays where it was; where the
// point would leave it up or down, the view grows in height to hold it, so
// that the x axis stays in view.
void PlotWidget::moveTrace(TraceKey key)
{
    if (!m_traceX || m_empty)
        return;
    const double step = xStep();
    const std::optional<double> to = TraceTarget(m_curve, *m_traceX, key, step);
    if (!to) {
        announce(qs(TraceNowhere(key)));
        return;
    }
    m_traceX = *to;
    m_traceStep = key == TraceKey::FineLeft || key == TraceKey::FineRight ? step / 10 : step;
    const double y = m_curve.at(*to);
    if (!m_view.contains(*to, std::isfinite(y) ? y : m_view.yMin)) {
        const double margin = m_view.width() / 10;
        const double dx = *to < m_view.xMin + margin ? *to - m_view.xMin - margin
            : *to > m_view.xMax - margin             ? *to - m_view.xMax + margin
                                                     : 0.0;
        PlotBox view = Panned(m_view, dx, 0);
        if (std::isfinite(y) && (y < view.yMin || y > view.yMax)) {
            const double below = std::min(view.yMin, y), above = std::max(view.yMax, y);
            const double air = (above - below) / 10;
            const PlotBox taller { view.xMin, view.xMax, y < view.yMin ? below - air : view.yMin,
                y > view.yMax ? above + air : view.yMax };
            if (std::isfinite(taller.height()))
                view = taller;
        }
        setView(view);
    }
    update();
    announce(qs(TraceText(m_curve, *m_traceX, m_traceStep)));
}

// Said politely, after what the reader is saying; Qt offers announcements
// from 6.8 on. Before that, the chart's description starts with the news, and
// changing it sends DescriptionChanged, which readers speak.
void PlotWidget::announce(const QString& message)
{
    m_announced = message;
    if (!AnnouncePolitely(this, message))
        setAccessibleDescription(message + ". " + m_viewDescription);
}

// The command whose shortcut the key is, if it is enabled: an exact match,
// or for a sign (+, _) one without the Shift that typed it.
QAction* PlotWidget::commandFor(const QKeyEvent* event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const auto key = Qt::Key(event->key());
    QList<QKeySequence> pressed { QKeySequence(QKeyCombination(modifiers, key)) };
    const bool sign = !event->text().isEmpty() && !event->text().front().isLetterOrNumber();
    if (sign && (modifiers & Qt::ShiftModifier))
        pressed.append(QKeySequence(QKeyCombination(modifiers & ~Qt::ShiftModifier, key)));
    for (const QKeySequence& keys : pressed) {
        for (QAction* action : m_commands) {
            if (action->isEnabled() && action->shortcuts().contains(keys))
                return action;
        }
    }
    return nullptr;
}

// The plot's keys reach its commands here before any shortcut of the window
// (Esc closes the window, except while the trace runs), and also when the
// plot stands alone in no active window. Keys of another layout, which only
// the shortcut map knows to read, go on to it and find the same actions.
bool PlotWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && commandFor(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void PlotWidget::keyPressEvent(QKeyEvent* event)
{
    if (QAction* action = commandFor(event))
        action->trigger();
    else
        QWidget::keyPressEvent(event);
}

void PlotWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName("PlotMenu");
    for (QAction* action : m_commands) {
        if (action == m_trace || action == m_commands.value(2))
            menu.addSeparator();
        menu.addAction(action);
    }
    menu.exec(event->globalPos());
}
