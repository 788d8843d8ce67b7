#include "PlotPicture.h"

#include "Hatching.h"
#include "Typography.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double kRight = 12;
const std::vector<PlotInterval> kNoSolution;

QString qs(const std::string& text) { return QString::fromStdString(text); }

LabelRect labelRect(const QRectF& r) { return { r.left(), r.top(), r.right(), r.bottom() }; }
QRectF qrect(const LabelRect& r) { return QRectF(r.left, r.top, r.width(), r.height()); }

} // namespace

// An interval of an inequality's solution in device x: where it is hatched,
// and its ends' circles (NaN: unbounded or off the view).
struct PlotPicture::Strip {
    double from = 0, to = 0;
    double fromEnd = 0, toEnd = 0;
    bool fromClosed = false, toClosed = false;
};

// What the layers of one picture share: its place, and the label
// placement's scene, which each layer adds its lines and marks to.
struct PlotPicture::Canvas {
    Canvas(QPainter& painter, QSizeF size, const QFont& font, const Ink& ink)
        : painter(painter)
        , size(size)
        , metrics(font)
        , ink(ink)
    {
    }
    QPainter& painter;
    QSizeF size;
    QFontMetricsF metrics;
    const Ink& ink;
    QRectF area;
    QPointF origin; // (0, 0) on the device, perhaps off the area
    double axisY = 0; // where the hatching and the solution's ends sit
    std::vector<Strip> strips;
    LabelScene scene;
    std::vector<LabelRequest> requests;
    std::vector<QString> texts;
    std::vector<std::optional<LabelRect>> places;
    std::size_t axisNames = 0; // the first requests: «x» and «y»

    void vertical(double x, double width, const QColor& color)
    {
        painter.fillRect(QRectF(x - width / 2, area.top(), width, area.height()), color);
    }
    void horizontal(double y, double width, const QColor& color)
    {
        painter.fillRect(QRectF(area.left(), y - width / 2, area.width(), width), color);
    }
    // A layer of the curve and its marks: smooth, clipped to the plot area;
    // the caller restores the painter.
    void beginLayer()
    {
        painter.save();
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::Antialiasing);
    }
    void label(const QString& text, const QRectF& mark, LabelSide side = LabelSide::Right)
    {
        requests.push_back({ labelRect(mark), metrics.horizontalAdvance(text) + 4,
            std::ceil(metrics.height()), side });
        texts.push_back(text);
    }
};

double PlotPicture::widestTickLabel(const TickRange& ticks) const
{
    const QFontMetricsF metrics(m_font);
    double widest = 0;
    for (long long i = ticks.first; i <= ticks.last; ++i)
        widest = std::max(widest,
            metrics.horizontalAdvance(qs(TickLabel(ticks.at(i), ticks.step, m_curve.separator))));
    return widest;
}

TickRange PlotPicture::yTicks(double height) const
{
    const double spacing = std::max(50.0, 2.5 * QFontMetricsF(m_font).height());
    // At least two ticks, so that the scale can be read in a short plot.
    const int wanted = std::max(2, int(height / spacing));
    TickRange ticks = NiceTicks(m_view.yMin, m_view.yMax, wanted);
    for (int count = wanted + 1; ticks.last <= ticks.first && count <= wanted + 4; ++count)
        ticks = NiceTicks(m_view.yMin, m_view.yMax, count);
    return ticks;
}

// As many x ticks as leave room between their labels.
TickRange PlotPicture::xTicks(double width) const
{
    TickRange ticks;
    for (int count = std::max(2, int(width / 70)); count >= 2; --count) {
        ticks = NiceTicks(m_view.xMin, m_view.xMax, count);
        if (widestTickLabel(ticks) + 12 <= ticks.step / m_view.width() * width)
            break;
    }
    return ticks;
}

// The margins hold the tick labels whole: the left one the widest y label,
// the bottom one a line of text.
QRectF PlotPicture::area(QSizeF size) const
{
    const QFontMetricsF metrics(m_font);
    const double top = std::max(12.0, std::ceil(metrics.height() / 2) + 2);
    const double bottom = std::ceil(metrics.height()) + 8;
    const double height = std::max(1.0, size.height() - top - bottom);
    const double left = std::ceil(widestTickLabel(yTicks(height))) + 10;
    return QRectF(left, top, std::max(1.0, size.width() - left - kRight), height);
}

QPointF PlotPicture::toDevice(double x, double y, const QRectF& area) const
{
    return { area.left() + (x - m_view.xMin) / m_view.width() * area.width(),
        area.top() + (m_view.yMax - y) / m_view.height() * area.height() };
}

QPointF PlotPicture::toData(QPointF position, const QRectF& area) const
{
    return { m_view.xMin + (position.x() - area.left()) / area.width() * m_view.width(),
        m_view.yMax - (position.y() - area.top()) / area.height() * m_view.height() };
}

// Two squares to the unit where they come out neither too small to tell
// apart nor larger than an exercise book's; paper's squares at their own
// size, whatever the scale.
std::optional<QSizeF> PlotPicture::squares(QSizeF area) const
{
    if (!m_options.squared)
        return std::nullopt;
    const double xUnit = area.width() / m_view.width(), yUnit = area.height() / m_view.height();
    if (!(xUnit > 0) || !(yUnit > 0))
        return std::nullopt;
    if (m_options.squareSide > 0)
        return QSizeF(m_options.squareSide / xUnit, m_options.squareSide / yUnit);
    // Half a unit, or a quarter, an eighth… where the view is zoomed in so
    // far that half a unit would be a large square.
    double side = 0.5;
    while (std::max(xUnit, yUnit) * side > PlotOptions::kMaxSquare && side > 1.0 / 1024)
        side /= 2;
    if (std::min(xUnit, yUnit) * side < PlotOptions::kMinSquare
        || std::max(xUnit, yUnit) * side > PlotOptions::kMaxSquare)
        return std::nullopt;
    return QSizeF(side, side);
}

// The solution's intervals across the picture, each end clamped to the
// plot's edges; an end is NaN where it is unbounded or off the view, so that
// no circle is drawn for it.
std::vector<PlotPicture::Strip> PlotPicture::solutionStrips(const QRectF& area) const
{
    std::vector<Strip> strips;
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

PaintedPlot PlotPicture::paint(QPainter& painter, QSizeF size) const
{
    painter.save();
    painter.setFont(m_font);
    Canvas canvas(painter, size, m_font, m_ink);
    painter.fillRect(QRectF(QPointF(0, 0), size), m_ink.background);
    canvas.area = area(size);
    canvas.origin = toDevice(0, 0, canvas.area);
    paintGrid(canvas);
    paintSolution(canvas);
    paintCurve(canvas);
    paintTable(canvas);
    paintMarks(canvas);
    painter.restore();

    PaintedPlot painted;
    painted.scene = std::move(canvas.scene);
    for (std::size_t i = 0; i < canvas.texts.size(); ++i) {
        if (canvas.places[i])
            painted.labels.push_back(
                { canvas.texts[i], qrect(*canvas.places[i]), qrect(canvas.requests[i].mark) });
    }
    return painted;
}

// Grid and tick labels, at origin + i·step, or squared paper's lines from
// the origin on; then the axes, their names, near the positive ends, placed
// as the first labels. Straight axis-parallel lines are filled rectangles and
// need no antialiasing.
void PlotPicture::paintGrid(Canvas& canvas) const
{
    QPainter& painter = canvas.painter;
    const QRectF& area = canvas.area;
    const QFontMetricsF& metrics = canvas.metrics;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const TickRange xs = xTicks(area.width());
    const TickRange ys = yTicks(area.height());
    if (const std::optional<QSizeF> side = squares(area.size())) {
        // The lines k·side within the view; a square is at least a few
        // pixels, so that there are never many.
        const auto lines = [](double lo, double hi, double step, const auto& draw) {
            const double first = std::ceil(lo / step), last = std::floor(hi / step);
            for (double i = 0; i <= last - first && i < 4096; ++i)
                draw((first + i) * step);
        };
        lines(m_view.xMin, m_view.xMax, side->width(),
            [&](double x) { canvas.vertical(toDevice(x, 0, area).x(), 1, m_ink.squares); });
        lines(m_view.yMin, m_view.yMax, side->height(),
            [&](double y) { canvas.horizontal(toDevice(0, y, area).y(), 1, m_ink.squares); });
    } else {
        for (long long i = xs.first; i <= xs.last; ++i)
            canvas.vertical(toDevice(xs.at(i), 0, area).x(), 1, m_ink.grid);
        for (long long i = ys.first; i <= ys.last; ++i)
            canvas.horizontal(toDevice(0, ys.at(i), area).y(), 1, m_ink.grid);
    }
    painter.setPen(m_ink.text);
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
        canvas.vertical(origin.x(), 2, m_ink.text);
        canvas.scene.lines.push_back({ { origin.x(), area.top() }, { origin.x(), area.bottom() } });
        canvas.label("y", QRectF(origin.x() - 1, area.top(), 2, 2));
        ++canvas.axisNames;
    }
    if (m_view.yMin <= 0 && m_view.yMax >= 0) {
        canvas.horizontal(origin.y(), 2, m_ink.text);
        canvas.scene.lines.push_back({ { area.left(), origin.y() }, { area.right(), origin.y() } });
        canvas.label("x", QRectF(area.right() - 2, origin.y() - 1, 2, 2));
        ++canvas.axisNames;
    }
}

// The solution's intervals hatched along the x axis, so that the answer
// never rests on colour alone.
void PlotPicture::paintSolution(Canvas& canvas) const
{
    const QRectF& area = canvas.area;
    const MarkSizes& sizes = m_ink.sizes;
    canvas.axisY = std::clamp(canvas.origin.y(), area.top() + sizes.band, area.bottom());
    canvas.strips = solutionStrips(area);
    QPainter& painter = canvas.painter;
    canvas.beginLayer();
    painter.setPen(QPen(m_ink.curve, 1.25, Qt::SolidLine, Qt::FlatCap));
    for (const Strip& strip : canvas.strips) {
        if (strip.to - strip.from < 0.5)
            continue;
        painter.drawLines(HatchStrokes(strip.from, strip.to, canvas.axisY - sizes.band,
            canvas.axisY - 1.5, sizes.hatchSpacing));
        canvas.scene.marks.push_back(labelRect(
            QRectF(strip.from, canvas.axisY - sizes.band, strip.to - strip.from, sizes.band)));
    }
    painter.restore();
}

// Each piece of a parabola is one quadratic Bézier: its control point is
// where the tangents at the ends meet. Pieces stay within a band one view
// high about the view, so no coordinate is ever far off the device.
void PlotPicture::paintCurve(Canvas& canvas) const
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
    // its own, so that nothing is drawn twice and an SVG, which knows no
    // clipping here, shows the same.
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
    canvas.beginLayer();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(m_ink.curve, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(thin);
    painter.setPen(QPen(m_ink.curve, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(heavy);
    painter.restore();
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        std::vector<LabelPoint> line;
        for (const QPointF& p : polygon)
            line.push_back({ p.x(), p.y() });
        canvas.scene.lines.push_back(std::move(line));
    }
}

// The points of the table of values, smaller than the marked points and in
// the text's ink, so that they stand out on the curve; the marks, drawn
// after them, cover any that share their place.
void PlotPicture::paintTable(Canvas& canvas) const
{
    if (!m_options.labels || m_curve.table.empty())
        return;
    QPainter& painter = canvas.painter;
    const double radius = m_ink.sizes.tableDot;
    canvas.beginLayer();
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_ink.text);
    for (const auto& [x, y] : m_curve.table) {
        if (!std::isfinite(x) || !std::isfinite(y) || !m_view.contains(x, y))
            continue;
        const QPointF at = toDevice(x, y, canvas.area);
        painter.drawEllipse(at, radius, radius);
        canvas.scene.marks.push_back(labelRect(
            QRectF(at.x() - radius - 1, at.y() - radius - 1, 2 * radius + 2, 2 * radius + 2)));
    }
    painter.restore();
}

namespace {

// Which side of its mark a label is tried on first: a root's away from the
// other roots, so that the labels keep the roots' order along x; the
// vertex's on the side the curve leaves free.
LabelSide sideOf(const PlotPoint& point, const PlotCurve& curve)
{
    switch (point.kind) {
    case PlotPoint::Root:
        for (const PlotPoint& other : curve.points) {
            if (other.kind == PlotPoint::Root && other.x > point.x)
                return LabelSide::Left;
        }
        return LabelSide::Right;
    case PlotPoint::Vertex:
        return curve.a > 0 ? LabelSide::Below : LabelSide::Above;
    case PlotPoint::Intercept:
        break;
    }
    return LabelSide::Right;
}

} // namespace

// The marked points, or an arrow at the edge where the point's own
// coordinates, held within the view, put it; the solution's ends; then the
// labels where they fit, and the frame. Marks closer than a dot's width
// (a root and the intercept a pixel apart) share one label.
void PlotPicture::paintMarks(Canvas& canvas) const
{
    QPainter& painter = canvas.painter;
    const QRectF& area = canvas.area;
    const MarkSizes& sizes = m_ink.sizes;
    const double box = sizes.dot + 1;
    canvas.beginLayer();
    // The roots last, so that a root on the vertex (D = 0) keeps its colour.
    std::vector<const PlotPoint*> order;
    for (const PlotPoint& point : m_curve.points)
        order.push_back(&point);
    std::stable_partition(
        order.begin(), order.end(), [](const PlotPoint* p) { return p->kind != PlotPoint::Root; });
    struct Marked {
        const PlotPoint* point;
        QRectF box;
        bool arrow;
    };
    std::vector<Marked> marked;
    for (const PlotPoint* mark : order) {
        const PlotPoint& point = *mark;
        if (std::isnan(point.x) || std::isnan(point.y))
            continue;
        if (m_view.contains(point.x, point.y)) {
            const QPointF at = toDevice(point.x, point.y, area);
            painter.setPen(QPen(m_ink.background, 1.5));
            painter.setBrush(point.kind == PlotPoint::Root ? m_ink.mark : m_ink.curve);
            painter.drawEllipse(at, sizes.dot, sizes.dot);
            marked.push_back(
                { &point, QRectF(at - QPointF(box, box), QSizeF(2 * box, 2 * box)), false });
            continue;
        }
        const double dx = point.x < m_view.xMin ? -1 : point.x > m_view.xMax ? 1 : 0;
        const double dy = point.y < m_view.yMin ? 1 : point.y > m_view.yMax ? -1 : 0;
        QPointF tip = toDevice(std::clamp(point.x, m_view.xMin, m_view.xMax),
            std::clamp(point.y, m_view.yMin, m_view.yMax), area);
        // Along an edge the arrow's wings stay inside the plot.
        const double wing = sizes.arrowHalfWidth + 1;
        tip.setX(std::clamp(
            tip.x(), area.left() + (dx == 0 ? wing : 1.5), area.right() - (dx == 0 ? wing : 1.5)));
        tip.setY(std::clamp(
            tip.y(), area.top() + (dy == 0 ? wing : 1.5), area.bottom() - (dy == 0 ? wing : 1.5)));
        const double length = std::hypot(dx, dy);
        const QPointF along(dx / length, dy / length);
        const QPointF side(-along.y(), along.x());
        QPolygonF arrow;
        arrow << tip << tip - along * sizes.arrowLength + side * sizes.arrowHalfWidth
              << tip - along * sizes.arrowLength - side * sizes.arrowHalfWidth;
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_ink.mark);
        painter.drawPolygon(arrow);
        marked.push_back({ &point, arrow.boundingRect(), true });
    }
    // The solution's ends on the axis, over the root marks: filled where the
    // end belongs to it, hollow where not.
    const auto end = [&](double x, bool closed) {
        if (std::isnan(x))
            return;
        painter.setPen(closed ? QPen(m_ink.background, 1.5) : QPen(m_ink.mark, 2));
        painter.setBrush(closed ? m_ink.mark : m_ink.background);
        const double radius = closed ? sizes.dot : sizes.ring;
        painter.drawEllipse(QPointF(x, canvas.axisY), radius, radius);
        canvas.scene.marks.push_back(
            labelRect(QRectF(x - box, canvas.axisY - box, 2 * box, 2 * box)));
    };
    for (const Strip& strip : canvas.strips) {
        end(strip.fromEnd, strip.fromClosed);
        end(strip.toEnd, strip.toClosed);
    }
    painter.restore();

    // The labels: an arrow's first, as it carries the only sign of its
    // point; then the roots', the vertex's and the intercept's. A dot within
    // another's width joins its label to the first one's.
    std::stable_sort(marked.begin(), marked.end(), [](const Marked& p, const Marked& q) {
        const auto rank = [](const Marked& m) { return m.arrow ? 0 : 1 + int(m.point->kind); };
        return rank(p) < rank(q);
    });
    std::vector<bool> joined(marked.size(), false);
    for (std::size_t i = 0; i < marked.size(); ++i) {
        canvas.scene.marks.push_back(labelRect(marked[i].box));
        if (joined[i])
            continue;
        QString text = qs(marked[i].point->label);
        QRectF mark = marked[i].box;
        for (std::size_t j = i + 1; j < marked.size() && !marked[i].arrow; ++j) {
            const QPointF apart = marked[j].box.center() - marked[i].box.center();
            if (joined[j] || marked[j].arrow || std::abs(apart.x()) >= 2 * sizes.dot
                || std::abs(apart.y()) >= 2 * sizes.dot)
                continue;
            joined[j] = true;
            text += "; " + qs(marked[j].point->label);
            mark = mark.united(marked[j].box);
        }
        if (!text.isEmpty() && m_options.labels)
            canvas.label(text, mark, sideOf(*marked[i].point, m_curve));
    }

    // A label that fits nowhere is left out: its value is in the steps, the
    // description and the hover readout.
    painter.save();
    painter.setPen(m_ink.text);
    // The axes' names after the marks' labels: a mark near an axis's end
    // keeps its label, and the name finds another place or none.
    const auto named = static_cast<std::ptrdiff_t>(canvas.axisNames);
    std::rotate(canvas.requests.begin(), canvas.requests.begin() + named, canvas.requests.end());
    std::rotate(canvas.texts.begin(), canvas.texts.begin() + named, canvas.texts.end());
    canvas.places = PlaceLabels(canvas.requests, canvas.scene);
    for (std::size_t i = 0; i < canvas.places.size(); ++i) {
        if (!canvas.places[i])
            continue;
        // A label's place is clear of the curve, the axes and the marks; the
        // grid lines under it give way.
        const QRectF place = qrect(*canvas.places[i]);
        painter.fillRect(place, m_ink.background);
        painter.drawText(place, Qt::AlignCenter, canvas.texts[i]);
        canvas.scene.marks.push_back(*canvas.places[i]);
    }
    painter.restore();

    canvas.vertical(area.left(), 1, m_ink.grid);
    canvas.vertical(area.right(), 1, m_ink.grid);
    canvas.horizontal(area.top(), 1, m_ink.grid);
    canvas.horizontal(area.bottom(), 1, m_ink.grid);
}

// A line of text and some air above and below it; none without a caption.
double PlotPicture::captionHeight() const
{
    if (m_curve.caption.empty())
        return 0;
    return std::ceil(QFontMetricsF(m_font).height()) + 10;
}

void PlotPicture::paintCaption(QPainter& painter, double width) const
{
    const double height = captionHeight();
    if (height == 0)
        return;
    const QRectF line(0, 0, width, height);
    painter.save();
    painter.fillRect(line, m_ink.background);
    painter.setFont(m_font);
    painter.setPen(m_ink.text);
    const QString caption = painter.fontMetrics().elidedText(
        qs(m_curve.caption), Qt::ElideRight, std::max(0, int(width) - 16));
    painter.drawText(line.adjusted(8, 2, -8, 0), Qt::AlignCenter, caption);
    painter.restore();
}
