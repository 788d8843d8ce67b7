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

constexpr double kDimmedOpacity = 0.4; // a stale plot's curve, marks and labels
constexpr double kHatch = 12; // the height of the solution's hatching above the x axis
const std::vector<PlotInterval> kNoSolution;

// Strokes 6 px apart in the band above the axis, cut at the strip's ends.
void hatch(QPainter& painter, double left, double right, double axisY, const QColor& color)
{
    painter.setPen(QPen(color, 1.25, Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(HatchStrokes(left, right, axisY - kHatch, axisY - 1.5, 6));
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
    const bool keep = view == View::Keep && !m_empty;
    m_empty = false;
    m_curve = curve;
    m_description = description;
    m_trace->setEnabled(true);
    m_home = FitView(curve);
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

QColor PlotWidget::curveColor() const
{
    return standingOut(palette().color(QPalette::Highlight), palette().color(QPalette::Base));
}

QColor PlotWidget::labelInk() const
{
    return standingOut(palette().color(QPalette::Text), palette().color(QPalette::Base), 4.5);
}

// What the layers of one picture share: its place, its colours, and the
// label placement's scene, which each layer adds its lines and marks to.
struct PlotWidget::Canvas {
    Canvas(QPainter& painter, QSizeF size, const QFont& font)
        : painter(painter)
        , size(size)
        , metrics(font)
    {
    }
    QPainter& painter;
    QSizeF size;
    QFontMetricsF metrics;
    QRectF area;
    QColor background, ink, curveColor, markColor, gridColor;
    QPointF origin; // (0, 0) on the device, perhaps off the area
    double axisY = 0; // where the hatching and the solution's ends sit
    std::vector<SolutionStrip> strips;
    LabelScene scene;
    std::vector<LabelRequest> requests;
    std::vector<QString> texts;

    void vertical(double x, double width, const QColor& color)
    {
        painter.fillRect(QRectF(x - width / 2, area.top(), width, area.height()), color);
    }
    void horizontal(double y, double width, const QColor& color)
    {
        painter.fillRect(QRectF(area.left(), y - width / 2, area.width(), width), color);
    }
    // A layer of the curve and its marks: smooth, clipped to the plot area,
    // faded while the plot is dimmed; the caller restores the painter.
    void beginLayer(bool dimmed)
    {
        painter.save();
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::Antialiasing);
        if (dimmed)
            painter.setOpacity(kDimmedOpacity);
    }
    void label(const QString& text, const QRectF& mark)
    {
        requests.push_back(
            { labelRect(mark), metrics.horizontalAdvance(text) + 4, std::ceil(metrics.height()) });
        texts.push_back(text);
    }
};

void PlotWidget::paint(QPainter& painter, QSizeF size) const
{
    painter.save();
    painter.setFont(plotFont());
    Canvas canvas(painter, size, painter.font());
    const QPalette& colors = palette();
    canvas.background = colors.color(QPalette::Base);
    canvas.ink = labelInk();
    painter.fillRect(QRectF(QPointF(0, 0), size), canvas.background);
    if (m_empty) {
        painter.setPen(canvas.ink);
        painter.drawText(
            QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, qs(m_description));
        painter.restore();
        return;
    }
    const QColor& background = canvas.background;
    const QColor& ink = canvas.ink;
    canvas.curveColor = curveColor();
    canvas.markColor = standingOut(QColor(0xd0, 0x40, 0x2b), background);
    // Opaque: the raster engine blends each translucent line on its own,
    // many times slower than it fills an opaque rectangle.
    canvas.gridColor = QColor::fromRgbF(0.85f * background.redF() + 0.15f * ink.redF(),
        0.85f * background.greenF() + 0.15f * ink.greenF(),
        0.85f * background.blueF() + 0.15f * ink.blueF());
    canvas.area = plotArea(size);
    canvas.origin = toDevice(0, 0, canvas.area);

    paintGrid(canvas);
    paintSolution(canvas);
    paintCurve(canvas);
    paintMarks(canvas);
    painter.restore();
}

// Grid and tick labels, at origin + i·step, then the axes; their names, near
// the positive ends, are placed as the first labels. Straight axis-parallel
// lines are filled rectangles and need no antialiasing.
void PlotWidget::paintGrid(Canvas& canvas) const
{
    QPainter& painter = canvas.painter;
    const QRectF& area = canvas.area;
    const QFontMetricsF& metrics = canvas.metrics;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const TickRange xs = xTicks(area.width());
    const TickRange ys = yTicks(area.height());
    for (long long i = xs.first; i <= xs.last; ++i)
        canvas.vertical(toDevice(xs.at(i), 0, area).x(), 1, canvas.gridColor);
    for (long long i = ys.first; i <= ys.last; ++i)
        canvas.horizontal(toDevice(0, ys.at(i), area).y(), 1, canvas.gridColor);
    painter.setPen(canvas.ink);
    for (long long i = xs.first; i <= xs.last; ++i) {
        const QString label = qs(TickLabel(xs.at(i), xs.step, m_curve.separator));
        const double x = toDevice(xs.at(i), 0, area).x();
        const double width = metrics.horizontalAdvance(label) + 2;
        painter.drawText(
            QRectF(std::clamp(x - width / 2, 0.0, std::max(0.0, canvas.size.width() - width)),
                area.bottom() + 4, width, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (long long i = ys.first; i <= ys.last; ++i) {
        const QString label = qs(TickLabel(ys.at(i), ys.step, m_curve.separator));
        const double y = toDevice(0, ys.at(i), area).y();
        painter.drawText(QRectF(0, y - metrics.height() / 2, area.left() - 5, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, label);
    }

    canvas.scene.area = labelRect(area.adjusted(2, 2, -2, -2));
    const QPointF origin = canvas.origin;
    if (m_view.xMin <= 0 && m_view.xMax >= 0) {
        canvas.vertical(origin.x(), 2, canvas.ink);
        canvas.scene.lines.push_back({ { origin.x(), area.top() }, { origin.x(), area.bottom() } });
        canvas.label("y", QRectF(origin.x() - 1, area.top(), 2, 2));
    }
    if (m_view.yMin <= 0 && m_view.yMax >= 0) {
        canvas.horizontal(origin.y(), 2, canvas.ink);
        canvas.scene.lines.push_back({ { area.left(), origin.y() }, { area.right(), origin.y() } });
        canvas.label("x", QRectF(area.right() - 2, origin.y() - 1, 2, 2));
    }
}

// The solution's intervals hatched along the x axis, so that the answer
// never rests on colour alone.
void PlotWidget::paintSolution(Canvas& canvas) const
{
    const QRectF& area = canvas.area;
    canvas.axisY = std::clamp(canvas.origin.y(), area.top() + kHatch, area.bottom());
    canvas.strips = solutionStrips(area);
    QPainter& painter = canvas.painter;
    canvas.beginLayer(m_dimmed);
    for (const SolutionStrip& strip : canvas.strips) {
        if (strip.to - strip.from < 0.5)
            continue;
        hatch(painter, strip.from, strip.to, canvas.axisY, canvas.curveColor);
        canvas.scene.marks.push_back(
            labelRect(QRectF(strip.from, canvas.axisY - kHatch, strip.to - strip.from, kHatch)));
    }
    painter.restore();
}

// Each piece of a parabola is one quadratic Bézier: its control point is
// where the tangents at the ends meet. Pieces stay within a band one view
// high about the view, so no coordinate is ever far off the widget.
void PlotWidget::paintCurve(Canvas& canvas) const
{
    const QRectF& area = canvas.area;
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
    QPainter& painter = canvas.painter;
    canvas.beginLayer(m_dimmed);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(canvas.curveColor, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(thin);
    painter.setPen(QPen(canvas.curveColor, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(heavy);
    painter.restore();
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        std::vector<LabelPoint> line;
        for (const QPointF& p : polygon)
            line.push_back({ p.x(), p.y() });
        canvas.scene.lines.push_back(std::move(line));
    }
}

// The marked points, or an arrow at the edge where the point's own
// coordinates, held within the view, put it; the solution's ends; then the
// labels where they fit, and the frame.
void PlotWidget::paintMarks(Canvas& canvas) const
{
    QPainter& painter = canvas.painter;
    const QRectF& area = canvas.area;
    const QColor& background = canvas.background;
    canvas.beginLayer(m_dimmed);
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
            painter.setBrush(point.kind == PlotPoint::Root ? canvas.markColor : canvas.curveColor);
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
            painter.setBrush(canvas.markColor);
            painter.drawPolygon(arrow);
            markBox = arrow.boundingRect();
        }
        canvas.scene.marks.push_back(labelRect(markBox));
        canvas.label(qs(point.label), markBox);
    }
    // The solution's ends on the axis, over the root marks: filled where the
    // end belongs to it, hollow where not.
    const auto end = [&](double x, bool closed) {
        if (std::isnan(x))
            return;
        painter.setPen(closed ? QPen(background, 1.5) : QPen(canvas.markColor, 2));
        painter.setBrush(closed ? canvas.markColor : background);
        painter.drawEllipse(QPointF(x, canvas.axisY), closed ? 4.5 : 4, closed ? 4.5 : 4);
        canvas.scene.marks.push_back(labelRect(QRectF(x - 5.5, canvas.axisY - 5.5, 11, 11)));
    };
    for (const SolutionStrip& strip : canvas.strips) {
        end(strip.fromEnd, strip.fromClosed);
        end(strip.toEnd, strip.toClosed);
    }
    painter.restore();

    // A label that fits nowhere is left out: its value is in the steps, the
    // description and the hover readout.
    painter.save();
    if (m_dimmed)
        painter.setOpacity(kDimmedOpacity);
    painter.setPen(canvas.ink);
    const auto places = PlaceLabels(canvas.requests, canvas.scene);
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (!places[i])
            continue;
        // A label's place is clear of the curve, the axes and the marks; the
        // grid lines under it give way.
        painter.fillRect(qrect(*places[i]), background);
        painter.drawText(qrect(*places[i]), Qt::AlignCenter, canvas.texts[i]);
    }
    painter.restore();

    canvas.vertical(area.left(), 1, canvas.gridColor);
    canvas.vertical(area.right(), 1, canvas.gridColor);
    canvas.horizontal(area.top(), 1, canvas.gridColor);
    canvas.horizontal(area.bottom(), 1, canvas.gridColor);
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, size());
    paintOverlays(painter);
}

// What belongs to the screen only: the hover readout, the traced point with
// what is said of it, and the focus frame.
void PlotWidget::paintOverlays(QPainter& painter) const
{
    painter.setFont(plotFont());
    const QRectF area = plotArea(size());
    const QColor background = palette().color(QPalette::Base);
    const QColor ink = labelInk();
    // Text on the background, boxed so that the grid and the curve under it
    // give way.
    const auto box = [&](const QString& text, QPointF corner, bool framed) {
        const QRectF place(
            corner, painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2).size());
        painter.fillRect(place, background);
        if (framed) {
            painter.setPen(QPen(ink, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(place.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        painter.setPen(ink);
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
            painter.setPen(QPen(ink, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 8, 8);
            painter.setPen(QPen(curveColor(), 1, Qt::DashLine));
            painter.drawLine(QPointF(at.x(), area.top()), QPointF(at.x(), area.bottom()));
            painter.restore();
            // The text beside the point, turned to whichever side has room.
            const QString text = qs(TraceText(m_curve, x, m_traceStep));
            const QSizeF size
                = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2).size();
            QPointF corner = at + QPointF(12, -12 - size.height());
            if (corner.x() + size.width() > area.right())
                corner.setX(at.x() - 12 - size.width());
            if (corner.y() < area.top())
                corner.setY(at.y() + 12);
            corner.setX(std::clamp(corner.x(), area.left() + 2,
                std::max(area.left() + 2, area.right() - size.width() - 2)));
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

// A line of text and some air above and below it; none without a caption.
double PlotWidget::captionHeight() const
{
    if (m_empty || m_curve.caption.empty())
        return 0;
    return std::ceil(QFontMetricsF(plotFont()).height()) + 10;
}

// The caption line, then the plot of `size` below it.
void PlotWidget::paintPicture(QPainter& painter, QSizeF size) const
{
    const double top = captionHeight();
    if (top > 0) {
        const QRectF line(0, 0, size.width(), top);
        painter.fillRect(line, palette().color(QPalette::Base));
        painter.setFont(plotFont());
        painter.setPen(labelInk());
        const QString caption = painter.fontMetrics().elidedText(
            qs(m_curve.caption), Qt::ElideRight, std::max(0, int(size.width()) - 16));
        painter.drawText(line.adjusted(8, 2, -8, 0), Qt::AlignCenter, caption);
    }
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
double PlotWidget::xStep() const { return xTicks(plotArea(size()).width()).step; }

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
        update();
        announce("Трассировка выключена");
        return;
    }
    restartTrace();
    update();
    announce("Трассировка. " + qs(TraceText(m_curve, *m_traceX, m_traceStep)));
}

// The point moved as the core says. Once it would leave the view, the view
// follows it, moved only as far as brings it a tenth of the view inside, so
// that the rest of the picture stays where it was.
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
    const auto into = [](double v, double lo, double hi) {
        const double margin = (hi - lo) / 10;
        return v < lo + margin ? v - lo - margin : v > hi - margin ? v - hi + margin : 0.0;
    };
    if (!m_view.contains(*to, std::isfinite(y) ? y : m_view.yMin)) {
        setView(Panned(m_view, into(*to, m_view.xMin, m_view.xMax),
            std::isfinite(y) ? into(y, m_view.yMin, m_view.yMax) : 0.0));
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
