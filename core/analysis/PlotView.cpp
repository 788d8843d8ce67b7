#include "PlotView.h"

#include "SysUtils.h"
#include "Typography.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMargin = 0.1;
constexpr double kSmallestRelativeSpan = 1e-12; // double's 16 digits, less room for ticks
constexpr double kLargestSpan = 1e300;
// Two marks closer than this share of the view in both directions cannot be
// told apart: at a ten-thousandth of the view they are a fraction of a pixel
// apart on any screen, and a reader would have to zoom in ten thousand times
// to see two. Marks a pixel or two apart are still told apart by their labels
// and by a little zoom (x² + 35x + 1: the root −0,0286 and the intercept
// (0; 1) in a view that holds the vertex (−17,5; −305,25)), so the rule is not
// a distance in pixels; it separates such school equations from a root and
// the intercept a hair apart at a scale of 10¹⁹ (1, 10¹⁹, 1) or of 10⁵
// (1, −10⁵, 0,001), where the view falls back to the vertex region.
constexpr double kDistinct = 1e-4;
// How many of the view's heights away the x axis may be and still be brought
// into the view.
constexpr double kAxisReach = 3;

double clampSpan(double span, double center)
{
    const double least = std::max(std::fabs(center) * kSmallestRelativeSpan, 1e-300);
    return std::clamp(span, least, kLargestSpan);
}

// [lo, hi] widened to a usable span about its centre.
void widen(double& lo, double& hi, double fallback)
{
    double span = hi - lo;
    const double center = lo / 2 + hi / 2;
    if (!(span > 0))
        span = std::max(std::fabs(center), fallback);
    span = clampSpan(span, center);
    if (hi - lo != span) {
        lo = center - span / 2;
        hi = center + span / 2;
    }
}

// The view of [xLo, xHi] with margins. Its height holds the marks, the curve
// over [xLo, xHi] (not over the margins, where a·x² would stretch it for
// nothing) and, where the curve has real roots, the x axis.
PlotBox fitRange(
    const PlotCurve& curve, const std::vector<const PlotPoint*>& shown, double xLo, double xHi)
{
    PlotBox box;
    widen(xLo, xHi, 2);
    const double xMargin = (xHi - xLo) * kMargin;
    box.xMin = xLo - xMargin;
    box.xMax = xHi + xMargin;
    std::vector<double> ys = { curve.at(xLo), curve.at(xHi) };
    if (curve.a != 0) {
        const double vertex = -curve.b / (2 * curve.a);
        if (vertex > xLo && vertex < xHi)
            ys.push_back(curve.at(vertex));
    }
    for (const PlotPoint* p : shown)
        ys.push_back(p->y);
    if (std::any_of(curve.points.begin(), curve.points.end(),
            [](const PlotPoint& p) { return p.kind == PlotPoint::Root; }))
        ys.push_back(0);
    // Far out, a·x² can exceed double: such values stay out of the view.
    std::erase_if(ys, [](double y) { return !std::isfinite(y); });
    if (ys.empty())
        ys.push_back(0);
    double yLo = *std::min_element(ys.begin(), ys.end());
    double yHi = *std::max_element(ys.begin(), ys.end());
    widen(yLo, yHi, 2);
    // The x axis joins the view where it is no further away than three times
    // the view's height: a parabola that never meets it is seen above or below
    // it, which is why it has no roots.
    const double span = yHi - yLo;
    if (yLo > 0 && yLo <= kAxisReach * span)
        yLo = 0;
    if (yHi < 0 && -yHi <= kAxisReach * span)
        yHi = 0;
    const double yMargin = (yHi - yLo) * kMargin;
    box.yMin = yLo - yMargin;
    box.yMax = yHi + yMargin;
    return box;
}

// [xLo, xHi] widened so that the view, with its margins, shows each part of
// an inequality's answer: its finite ends, and of a part that runs off to
// infinity at least a quarter of the view's width. A linear inequality is
// centred on its root, so that half the view is the answer.
void holdAnswer(const PlotCurve& curve, double& xLo, double& xHi)
{
    if (!curve.inequality)
        return;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    bool toLeft = false, toRight = false;
    double leftEnd = 0, rightEnd = 0;
    for (const PlotInterval& part : curve.solution) {
        for (const double end : { part.from, part.to }) {
            if (std::isfinite(end)) {
                xLo = std::min(xLo, end);
                xHi = std::max(xHi, end);
            }
        }
        if (part.from == -kInfinity && std::isfinite(part.to)) {
            toLeft = true;
            leftEnd = part.to;
        }
        if (part.to == kInfinity && std::isfinite(part.from)) {
            toRight = true;
            rightEnd = part.from;
        }
    }
    double lo = xLo, hi = xHi;
    if (curve.a == 0 && (toLeft || toRight)) {
        const double root = toLeft ? leftEnd : rightEnd;
        const double half = std::max(root - xLo, xHi - root);
        lo = root - half;
        hi = root + half;
    } else if (toLeft && toRight) {
        // The margins add a tenth of [lo, hi] on each side, so a part beyond
        // an end e shows a quarter of the view once e − lo ≥ (hi − lo)/5:
        // for the two parts of a parabola's answer, symmetric about its axis,
        // a third of the gap between the ends on each side.
        const double third = (rightEnd - leftEnd) / 3;
        lo = std::min(xLo, leftEnd - third);
        hi = std::max(xHi, rightEnd + third);
    } else if (toLeft) {
        lo = std::min(xLo, leftEnd - (xHi - leftEnd) / 4);
    } else if (toRight) {
        hi = std::max(xHi, rightEnd + (rightEnd - xLo) / 4);
    }
    // Ends near double's limit: the widening would overflow.
    if (std::isfinite(lo) && std::isfinite(hi)) {
        xLo = lo;
        xHi = hi;
    }
}

bool readable(const PlotBox& box, const std::vector<const PlotPoint*>& shown)
{
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const double dx = std::fabs(shown[i]->x - shown[j]->x);
            const double dy = std::fabs(shown[i]->y - shown[j]->y);
            if ((dx != 0 || dy != 0) && dx < kDistinct * box.width()
                && dy < kDistinct * box.height())
                return false;
        }
    }
    return true;
}

// The view of the points that lie within [lo, hi], over that range.
PlotBox aroundVertex(
    const PlotCurve& curve, double lo, double hi, std::vector<const PlotPoint*>& shown)
{
    shown.clear();
    for (const PlotPoint& p : curve.points) {
        if (p.x >= lo && p.x <= hi && std::isfinite(p.y))
            shown.push_back(&p);
    }
    return fitRange(curve, shown, lo, hi);
}

// The view of the marked points, or of the vertex region.
PlotBox fitView(const PlotCurve& curve)
{
    std::vector<const PlotPoint*> shown;
    double xLo = std::numeric_limits<double>::infinity();
    double xHi = -xLo;
    for (const PlotPoint& p : curve.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue; // beyond double's range: marked by an arrow at the edge
        shown.push_back(&p);
        xLo = std::min(xLo, p.x);
        xHi = std::max(xHi, p.x);
    }
    if (shown.empty())
        xLo = xHi = 0;
    // The parabola symmetric about its axis: the intercept's mirror image.
    if (curve.a != 0) {
        const double mirror = -curve.b / curve.a;
        if (std::isfinite(mirror)) {
            xLo = std::min(xLo, mirror);
            xHi = std::max(xHi, mirror);
        }
        // Without real roots, as far as the curve takes to rise to twice the
        // vertex's height: the x axis then comes into the view.
        const bool rootless = std::none_of(curve.points.begin(), curve.points.end(),
            [](const PlotPoint& p) { return p.kind == PlotPoint::Root; });
        const double vertexX = -curve.b / (2 * curve.a);
        const double reach = std::sqrt(std::fabs(curve.at(vertexX) / curve.a));
        if (rootless && std::isfinite(vertexX - reach) && std::isfinite(vertexX + reach)) {
            xLo = std::min(xLo, vertexX - reach);
            xHi = std::max(xHi, vertexX + reach);
        }
    }
    holdAnswer(curve, xLo, xHi);
    PlotBox box = fitRange(curve, shown, xLo, xHi);
    if (curve.a == 0 || readable(box, shown))
        return box;

    // The vertex, with the roots where they can be told apart from the rest;
    // a vertex beyond double's range leaves the view as it is.
    const double vertexX = -curve.b / (2 * curve.a);
    if (!std::isfinite(vertexX))
        return box;
    double halfWidth = 0;
    for (const PlotPoint& p : curve.points) {
        if (p.kind == PlotPoint::Root)
            halfWidth = std::max(halfWidth, std::fabs(p.x - vertexX));
    }
    if (halfWidth == 0)
        halfWidth = std::sqrt(std::fabs(curve.at(vertexX) / curve.a));
    if (!(halfWidth > 0) || !std::isfinite(halfWidth))
        halfWidth = 1;
    box = aroundVertex(curve, vertexX - 1.5 * halfWidth, vertexX + 1.5 * halfWidth, shown);
    if (readable(box, shown))
        return box;
    return aroundVertex(curve, vertexX - 0.5 * halfWidth, vertexX + 0.5 * halfWidth, shown);
}

} // namespace

// Room beyond the vertex for its label: below a minimum, above a maximum.
PlotBox FitView(const PlotCurve& curve, double vertexRoom, double axisRoom)
{
    PlotBox box = fitView(curve);
    if (curve.a != 0 && vertexRoom > 0 && std::isfinite(box.height() * (1 + vertexRoom))) {
        const double vertex = -curve.b / (2 * curve.a);
        const double room = vertexRoom * box.height();
        if (vertex >= box.xMin && vertex <= box.xMax && curve.a > 0)
            box.yMin -= room;
        else if (vertex >= box.xMin && vertex <= box.xMax)
            box.yMax += room;
    }
    const double room = axisRoom * box.height();
    if (box.yMin < 0 && box.yMax > 0 && std::isfinite(room)) {
        if (box.yMax < room && box.yMax < -box.yMin)
            box.yMax = room;
        else if (-box.yMin < room && -box.yMin < box.yMax)
            box.yMin = -room;
    }
    return box;
}

TickRange NiceTicks(double lo, double hi, int count)
{
    TickRange ticks;
    if (!(hi > lo) || !std::isfinite(hi - lo) || count < 1)
        return ticks;
    const double raw = (hi - lo) / count;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    const double m = raw / base;
    ticks.step = (m <= 1 ? 1 : m <= 2 ? 2 : m <= 5 ? 5 : 10) * base;
    const double first = std::ceil(lo / ticks.step);
    const double last = std::floor(hi / ticks.step);
    if (std::fabs(first) > 1e15 || std::fabs(last) > 1e15)
        return TickRange {};
    ticks.first = static_cast<long long>(first);
    ticks.last = static_cast<long long>(last);
    return ticks;
}

int TickDigits(double value, double step)
{
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int precision = magnitude - static_cast<int>(std::floor(std::log10(step))) + 1;
    if (magnitude >= 0 && magnitude < 6)
        precision = std::max(precision, magnitude + 1);
    return std::clamp(precision, 1, 15);
}

std::string TickLabel(double value, double step, char separator)
{
    if (std::fabs(value) < step / 2)
        return "0";
    return TextbookNumber(value, TickDigits(value, step), separator);
}

PlotBox Zoomed(const PlotBox& box, double factor, double x, double y)
{
    PlotBox out;
    const double width = clampSpan(box.width() * factor, x);
    const double height = clampSpan(box.height() * factor, y);
    const double fx = (x - box.xMin) / box.width();
    const double fy = (y - box.yMin) / box.height();
    out.xMin = x - fx * width;
    out.xMax = out.xMin + width;
    out.yMin = y - fy * height;
    out.yMax = out.yMin + height;
    if (!std::isfinite(out.xMin + out.xMax + out.yMin + out.yMax))
        return box;
    return out;
}

PlotBox Panned(const PlotBox& box, double dx, double dy)
{
    const PlotBox out { box.xMin + dx, box.xMax + dx, box.yMin + dy, box.yMax + dy };
    if (!std::isfinite(out.xMin + out.xMax + out.yMin + out.yMax)
        || out.width() < clampSpan(0, out.xMin) || out.height() < clampSpan(0, out.yMin))
        return box;
    return out;
}

std::vector<std::pair<double, double>> VisiblePieces(
    const PlotCurve& curve, const PlotBox& box, double band)
{
    const long double lo = static_cast<long double>(box.yMin) - band;
    const long double hi = static_cast<long double>(box.yMax) + band;
    std::vector<double> cuts = { box.xMin, box.xMax };
    const auto keep = [&](long double x) {
        if (x > box.xMin && x < box.xMax)
            cuts.push_back(static_cast<double>(x));
    };
    const long double a = curve.a, b = curve.b;
    for (const long double level : { lo, hi }) {
        const long double c = curve.c - level;
        if (a == 0) {
            if (b != 0)
                keep(-c / b);
            continue;
        }
        const long double d = b * b - 4 * a * c;
        if (d < 0)
            continue;
        // The root whose terms add up, then the other from x₁·x₂ = c/a.
        const long double q = -(b + std::copysign(std::sqrt(d), b)) / 2;
        keep(q / a);
        if (q != 0)
            keep(c / q);
    }
    if (a != 0)
        keep(-b / (2 * a));
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> pieces;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double u = cuts[i], v = cuts[i + 1];
        if (!(v > u))
            continue;
        const long double y = curve.at(u / 2 + v / 2);
        if (y >= lo && y <= hi)
            pieces.emplace_back(u, v);
    }
    return pieces;
}
