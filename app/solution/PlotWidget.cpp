#include "PlotWidget.h"

#include "Contrast.h"
#include "LabelPlacement.h"
#include "Typography.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

constexpr double kRight = 12;

// The colour moved towards white on a dark background, towards black on a
// light one, until it stands out by at least `ratio` (WCAG 2: 3:1 for
// graphics, 4.5:1 for text). An inactive window's palette may fade its text;
// the labels stay readable all the same.
QColor standingOut(QColor color, const QColor& background, double ratio = 3.0)
{
    const bool dark = RelativeLuminance(background) < 0.2;
    for (int step = 0; step < 20 && ContrastRatio(color, background) < ratio; ++step)
        color = dark ? color.lighter(115) : color.darker(115);
    if (ContrastRatio(color, background) < ratio)
        color = dark ? Qt::white : Qt::black;
    return color;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

constexpr double kHatch = 12; // the height of the solution's hatching above the x axis
const std::vector<PlotInterval> kNoSolution;

// Diagonal strokes 6 px apart in the band above the axis, cut at the strip's
// ends: lines, not a pattern brush, so that they scale with the picture and
// come out alike in SVG.
void hatch(QPainter& painter, double left, double right, double axisY, const QColor& color)
{
    const double bottom = axisY - 1.5, top = axisY - kHatch;
    const double height = bottom - top;
    QVector<QLineF> strokes;
    for (double x = left - height; x < right; x += 6) {
        const double from = std::max(x, left), to = std::min(x + height, right);
        if (to > from)
            strokes.append(QLineF(from, bottom - (from - x), to, bottom - (to - x)));
    }
    painter.setPen(QPen(color, 1.25, Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(strokes);
}

LabelRect labelRect(const QRectF& r) { return { r.left(), r.top(), r.right(), r.bottom() }; }
QRectF qrect(const LabelRect& r) { return QRectF(r.left, r.top, r.width(), r.height()); }

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

std::function<PlotWidget::SaveChoice(QWidget*)> PlotWidget::chooseFileName = [](QWidget* parent) {
    SaveChoice choice;
    choice.fileName = QFileDialog::getSaveFileName(parent, "Сохранить график", "график.png",
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
}

void PlotWidget::setCurve(const PlotCurve& curve, const std::string& description, View view)
{
    const bool keep = view == View::Keep && !m_empty;
    m_empty = false;
    m_curve = curve;
    m_description = description;
    m_home = FitView(curve);
    setView(keep ? m_view : m_home);
}

void PlotWidget::clear(const std::string& message)
{
    m_empty = true;
    m_curve = PlotCurve {};
    m_description = message;
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
    setAccessibleDescription(qs(m_description) + ". Видно x от "
        + value(m_view.xMin, m_view.width()) + " до " + value(m_view.xMax, m_view.width())
        + ", y от " + value(m_view.yMin, m_view.height()) + " до "
        + value(m_view.yMax, m_view.height()) + ".");
}

// The widget's font at its size in pixels, so that a picture on any device
// (an SVG included) is lettered as the screen is.
QFont PlotWidget::plotFont() const
{
    QFont font = this->font();
    font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    return font;
}

double PlotWidget::widestTickLabel(const TickRange& ticks, const QFontMetricsF& metrics) const
{
    double widest = 0;
    for (long long i = ticks.first; i <= ticks.last; ++i)
        widest = std::max(widest,
            metrics.horizontalAdvance(qs(TickLabel(ticks.at(i), ticks.step, m_curve.separator))));
    return widest;
}

TickRange PlotWidget::yTicks(double height) const
{
    const double spacing = std::max(50.0, 2.5 * QFontMetricsF(plotFont()).height());
    return NiceTicks(m_view.yMin, m_view.yMax, std::max(2, int(height / spacing)));
}

// As many x ticks as leave room between their labels.
TickRange PlotWidget::xTicks(double width) const
{
    const QFontMetricsF metrics(plotFont());
    TickRange ticks;
    for (int count = std::max(2, int(width / 70)); count >= 2; --count) {
        ticks = NiceTicks(m_view.xMin, m_view.xMax, count);
        if (widestTickLabel(ticks, metrics) + 12 <= ticks.step / m_view.width() * width)
            break;
    }
    return ticks;
}

// The margins hold the tick labels whole: the left one the widest y label in
// the font the picture is lettered in, the bottom one a line of text.
QRectF PlotWidget::plotArea(QSizeF size) const
{
    const QFontMetricsF metrics(plotFont());
    const double top = std::max(12.0, std::ceil(metrics.height() / 2) + 2);
    const double bottom = std::ceil(metrics.height()) + 8;
    const double height = std::max(1.0, size.height() - top - bottom);
    const double left = std::ceil(widestTickLabel(yTicks(height), metrics)) + 10;
    return QRectF(left, top, std::max(1.0, size.width() - left - kRight), height);
}

QPointF PlotWidget::toDevice(double x, double y, const QRectF& area) const
{
    return { area.left() + (x - m_view.xMin) / m_view.width() * area.width(),
        area.top() + (m_view.yMax - y) / m_view.height() * area.height() };
}

QPointF PlotWidget::toData(QPointF position) const
{
    const QRectF area = plotArea(size());
    return { m_view.xMin + (position.x() - area.left()) / area.width() * m_view.width(),
        m_view.yMax - (position.y() - area.top()) / area.height() * m_view.height() };
}

// The solution's intervals across the picture, each end clamped to the
// plot's edges; an end is NaN where it is unbounded or off the view, so that
// no circle is drawn for it.
std::vector<PlotWidget::SolutionStrip> PlotWidget::solutionStrips(const QRectF& area) const
{
    std::vector<SolutionStrip> strips;
    if (!m_curve.inequality)
        return strips;
    const auto end = [&](double x) {
        const bool shown = std::isfinite(x) && x >= m_view.xMin && x <= m_view.xMax;
        return shown ? toDevice(x, 0, area).x() : std::nan("");
    };
    for (const PlotInterval& interval : m_curve.solution) {
        if (interval.to < m_view.xMin || interval.from > m_view.xMax)
            continue;
        const double from
            = std::max(area.left(), toDevice(std::max(interval.from, m_view.xMin), 0, area).x());
        const double to
            = std::min(area.right(), toDevice(std::min(interval.to, m_view.xMax), 0, area).x());
        strips.push_back({ from, to, end(interval.from), end(interval.to), interval.fromClosed,
            interval.toClosed });
    }
    return strips;
}

QColor PlotWidget::labelInk() const
{
    return standingOut(palette().color(QPalette::Text), palette().color(QPalette::Base), 4.5);
}

void PlotWidget::paint(QPainter& painter, QSizeF size) const
{
    const QPalette& colors = palette();
    const QColor background = colors.color(QPalette::Base);
    const QColor ink = labelInk();
    painter.setFont(plotFont());
    const QFontMetricsF metrics(painter.font());
    if (m_empty) {
        painter.fillRect(QRectF(QPointF(0, 0), size), background);
        painter.setPen(ink);
        painter.drawText(
            QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, qs(m_description));
        return;
    }
    const QColor curveColor = standingOut(colors.color(QPalette::Highlight), background);
    const QColor markColor = standingOut(QColor(0xd0, 0x40, 0x2b), background);
    // Opaque: the raster engine blends each translucent line on its own,
    // many times slower than it fills an opaque rectangle.
    const QColor gridColor = QColor::fromRgbF(0.85f * background.redF() + 0.15f * ink.redF(),
        0.85f * background.greenF() + 0.15f * ink.greenF(),
        0.85f * background.blueF() + 0.15f * ink.blueF());

    // Straight axis-parallel lines are filled rectangles and need no
    // antialiasing; the curve and the marks get it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(QPointF(0, 0), size), background);
    const QRectF area = plotArea(size);
    const auto vertical = [&](double x, double width, const QColor& color) {
        painter.fillRect(QRectF(x - width / 2, area.top(), width, area.height()), color);
    };
    const auto horizontal = [&](double y, double width, const QColor& color) {
        painter.fillRect(QRectF(area.left(), y - width / 2, area.width(), width), color);
    };

    // Grid and tick labels, at origin + i·step.
    const TickRange xs = xTicks(area.width());
    const TickRange ys = yTicks(area.height());
    for (long long i = xs.first; i <= xs.last; ++i)
        vertical(toDevice(xs.at(i), 0, area).x(), 1, gridColor);
    for (long long i = ys.first; i <= ys.last; ++i)
        horizontal(toDevice(0, ys.at(i), area).y(), 1, gridColor);
    painter.setPen(ink);
    for (long long i = xs.first; i <= xs.last; ++i) {
        const QString label = qs(TickLabel(xs.at(i), xs.step, m_curve.separator));
        const double x = toDevice(xs.at(i), 0, area).x();
        const double width = metrics.horizontalAdvance(label) + 2;
        painter.drawText(QRectF(std::clamp(x - width / 2, 0.0, std::max(0.0, size.width() - width)),
                             area.bottom() + 4, width, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (long long i = ys.first; i <= ys.last; ++i) {
        const QString label = qs(TickLabel(ys.at(i), ys.step, m_curve.separator));
        const double y = toDevice(0, ys.at(i), area).y();
        painter.drawText(QRectF(0, y - metrics.height() / 2, area.left() - 5, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, label);
    }

    // The axes; their names, near the positive ends, are placed as the first labels.
    LabelScene scene;
    scene.area = labelRect(area.adjusted(2, 2, -2, -2));
    std::vector<LabelRequest> requests;
    std::vector<QString> texts;
    const auto label = [&](const QString& text, const QRectF& mark) {
        requests.push_back(
            { labelRect(mark), metrics.horizontalAdvance(text) + 4, std::ceil(metrics.height()) });
        texts.push_back(text);
    };
    const QPointF origin = toDevice(0, 0, area);
    if (m_view.xMin <= 0 && m_view.xMax >= 0) {
        vertical(origin.x(), 2, ink);
        scene.lines.push_back({ { origin.x(), area.top() }, { origin.x(), area.bottom() } });
        label("y", QRectF(origin.x() - 1, area.top(), 2, 2));
    }
    if (m_view.yMin <= 0 && m_view.yMax >= 0) {
        horizontal(origin.y(), 2, ink);
        scene.lines.push_back({ { area.left(), origin.y() }, { area.right(), origin.y() } });
        label("x", QRectF(area.right() - 2, origin.y() - 1, 2, 2));
    }

    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_dimmed)
        painter.setOpacity(0.4);
    // Each piece of a parabola is one quadratic Bézier: its control point is
    // where the tangents at the ends meet. Pieces stay within a band one view
    // high about the view, so no coordinate is ever far off the widget.
    const auto piece = [&](QPainterPath& path, double u, double v) {
        const double fu = m_curve.at(u);
        path.moveTo(toDevice(u, fu, area));
        const double slope = 2 * m_curve.a * u + m_curve.b;
        if (m_curve.a == 0) {
            path.lineTo(toDevice(v, m_curve.at(v), area));
        } else {
            path.quadTo(toDevice((u + v) / 2, fu + slope * (v - u) / 2, area),
                toDevice(v, m_curve.at(v), area));
        }
    };
    // Where an inequality holds (its intervals ascending), the curve is
    // heavier: each piece is cut at the intervals' ends into exact pieces of
    // its own, so that nothing is drawn twice (a dimmed curve shows no
    // seams) and an SVG, which knows no clipping here, shows the same.
    QPainterPath path, thin, heavy;
    for (const auto& [u, v] : VisiblePieces(m_curve, m_view, m_view.height())) {
        piece(path, u, v);
        double at = u;
        for (const PlotInterval& interval : m_curve.inequality ? m_curve.solution : kNoSolution) {
            const double from = std::max(interval.from, at), to = std::min(interval.to, v);
            if (from >= to)
                continue;
            if (from > at)
                piece(thin, at, from);
            piece(heavy, from, to);
            at = to;
        }
        if (at < v)
            piece(thin, at, v);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(curveColor, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(thin);
    painter.setPen(QPen(curveColor, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(heavy);
    // The solution's intervals hatched along the x axis, so that the answer
    // never rests on colour alone.
    const double axisY = std::clamp(origin.y(), area.top() + kHatch, area.bottom());
    const std::vector<SolutionStrip> strips = solutionStrips(area);
    for (const SolutionStrip& strip : strips) {
        if (strip.to - strip.from < 0.5)
            continue;
        hatch(painter, strip.from, strip.to, axisY, curveColor);
        scene.marks.push_back(
            labelRect(QRectF(strip.from, axisY - kHatch, strip.to - strip.from, kHatch)));
    }
    for (const QPolygonF& piece : path.toSubpathPolygons()) {
        std::vector<LabelPoint> line;
        for (const QPointF& p : piece)
            line.push_back({ p.x(), p.y() });
        scene.lines.push_back(std::move(line));
    }

    // The marked points, or an arrow at the edge where the point's own
    // coordinates, held within the view, put it.
    // The roots last, so that a root on the vertex (D = 0) keeps its colour.
    std::vector<const PlotPoint*> order;
    for (const PlotPoint& point : m_curve.points)
        order.push_back(&point);
    std::stable_partition(
        order.begin(), order.end(), [](const PlotPoint* p) { return p->kind != PlotPoint::Root; });
    for (const PlotPoint* mark : order) {
        const PlotPoint& point = *mark;
        if (std::isnan(point.x) || std::isnan(point.y))
            continue;
        QRectF markBox;
        if (m_view.contains(point.x, point.y)) {
            const QPointF at = toDevice(point.x, point.y, area);
            painter.setPen(QPen(background, 1.5));
            painter.setBrush(point.kind == PlotPoint::Root ? markColor : curveColor);
            painter.drawEllipse(at, 4.5, 4.5);
            markBox = QRectF(at - QPointF(5.5, 5.5), QSizeF(11, 11));
        } else {
            const double dx = point.x < m_view.xMin ? -1 : point.x > m_view.xMax ? 1 : 0;
            const double dy = point.y < m_view.yMin ? 1 : point.y > m_view.yMax ? -1 : 0;
            QPointF tip = toDevice(std::clamp(point.x, m_view.xMin, m_view.xMax),
                std::clamp(point.y, m_view.yMin, m_view.yMax), area);
            // Along an edge the arrow's wings stay inside the plot.
            tip.setX(std::clamp(
                tip.x(), area.left() + (dx == 0 ? 6 : 1.5), area.right() - (dx == 0 ? 6 : 1.5)));
            tip.setY(std::clamp(
                tip.y(), area.top() + (dy == 0 ? 6 : 1.5), area.bottom() - (dy == 0 ? 6 : 1.5)));
            const double length = std::hypot(dx, dy);
            const QPointF along(dx / length, dy / length);
            const QPointF side(-along.y(), along.x());
            QPolygonF arrow;
            arrow << tip << tip - along * 11 + side * 5 << tip - along * 11 - side * 5;
            painter.setPen(Qt::NoPen);
            painter.setBrush(markColor);
            painter.drawPolygon(arrow);
            markBox = arrow.boundingRect();
        }
        scene.marks.push_back(labelRect(markBox));
        label(qs(point.label), markBox);
    }
    // The solution's ends on the axis, over the root marks: filled where the
    // end belongs to it, hollow where not.
    const auto end = [&](double x, bool closed) {
        if (std::isnan(x))
            return;
        painter.setPen(closed ? QPen(background, 1.5) : QPen(markColor, 2));
        painter.setBrush(closed ? markColor : background);
        painter.drawEllipse(QPointF(x, axisY), closed ? 4.5 : 4, closed ? 4.5 : 4);
        scene.marks.push_back(labelRect(QRectF(x - 5.5, axisY - 5.5, 11, 11)));
    };
    for (const SolutionStrip& strip : strips) {
        end(strip.fromEnd, strip.fromClosed);
        end(strip.toEnd, strip.toClosed);
    }
    painter.restore();

    // A label that fits nowhere is left out: its value is in the steps, the
    // description and the hover readout.
    painter.save();
    if (m_dimmed)
        painter.setOpacity(0.4);
    painter.setPen(ink);
    const auto places = PlaceLabels(requests, scene);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (!places[i])
            continue;
        // A label's place is clear of the curve, the axes and the marks; the
        // grid lines under it give way.
        painter.fillRect(qrect(*places[i]), background);
        painter.drawText(qrect(*places[i]), Qt::AlignCenter, texts[i]);
    }
    painter.restore();

    vertical(area.left(), 1, gridColor);
    vertical(area.right(), 1, gridColor);
    horizontal(area.top(), 1, gridColor);
    horizontal(area.bottom(), 1, gridColor);
}

// The picture, then what belongs to the screen only: the hover readout and
// the focus frame.
void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, size());
    const QRectF area = plotArea(size());
    if (!m_empty && m_hover && area.contains(*m_hover)) {
        const QPointF at = toData(*m_hover);
        const double y = m_curve.at(at.x());
        const QString text = "x = " + qs(TypesetApproximation(at.x(), m_curve.separator)) + ";  y "
            + (std::isfinite(y) ? "= " + qs(TypesetApproximation(y, m_curve.separator))
                                : QString("вне диапазона"));
        const QRectF box = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2);
        const QRectF place(area.topRight() + QPointF(-box.width() - 4, 4), box.size());
        painter.fillRect(place, palette().color(QPalette::Base));
        painter.setPen(labelInk());
        painter.drawText(place, Qt::AlignCenter, text);
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

// QSvgGenerator names the font by its family alone and sizes it in points at
// its own resolution; the text is set here as the screen sets it: the
// widget's family with a generic fallback, at the same size in pixels.
bool PlotWidget::saveSvg(const QString& fileName) const
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size());
    svg.setViewBox(QRect(QPoint(0, 0), size()));
    svg.setResolution(96); // CSS pixels: the picture as large as on the screen
    svg.setTitle("График");
    svg.setDescription(accessibleDescription());
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paint(painter, size());
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
    return render(size(), devicePixelRatioF()).save(fileName, "PNG");
}

void PlotWidget::copyToClipboard() const
{
    QGuiApplication::clipboard()->setImage(render(size(), devicePixelRatioF()));
}

void PlotWidget::saveAs()
{
    const SaveChoice choice = chooseFileName(this);
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

void PlotWidget::keyPressEvent(QKeyEvent* event)
{
    const QPointF center = plotArea(size()).center();
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
    } else if (event->matches(QKeySequence::Save)) {
        saveAs();
    } else if (event->key() == Qt::Key_Home) {
        resetView();
    } else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
        zoomAbout(0.8, center);
    } else if (event->key() == Qt::Key_Minus || event->key() == Qt::Key_Underscore) {
        zoomAbout(1.25, center);
    } else if (event->key() == Qt::Key_Left) {
        panBy(-0.1, 0);
    } else if (event->key() == Qt::Key_Right) {
        panBy(0.1, 0);
    } else if (event->key() == Qt::Key_Up) {
        panBy(0, 0.1);
    } else if (event->key() == Qt::Key_Down) {
        panBy(0, -0.1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PlotWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName("PlotMenu");
    menu.addAction("Копировать график", this, &PlotWidget::copyToClipboard)
        ->setShortcut(QKeySequence::Copy);
    menu.addAction("Сохранить график…", this, &PlotWidget::saveAs)->setShortcut(QKeySequence::Save);
    menu.exec(event->globalPos());
}
