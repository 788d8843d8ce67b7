#include "PlotTrace.h"

#include "Typography.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Within a millionth of a step: the same place, whatever rounding brought
// the point there.
bool samePlace(double x, double y, double step) { return std::fabs(x - y) <= step * 1e-6; }

std::vector<double> roots(const PlotCurve& curve)
{
    std::vector<double> xs;
    for (const PlotPoint& p : curve.points) {
        if (p.kind == PlotPoint::Root && std::isfinite(p.x))
            xs.push_back(p.x);
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

const PlotPoint* marked(const PlotCurve& curve, PlotPoint::Kind kind)
{
    for (const PlotPoint& p : curve.points) {
        if (p.kind == kind && std::isfinite(p.x) && std::isfinite(p.y))
            return &p;
    }
    return nullptr;
}

// The multiple of `step` next to x in the direction `sign`, x itself never.
double nextMultiple(double x, double step, int sign)
{
    const double at = x / step;
    const double nearest = std::round(at);
    const double from
        = std::fabs(at - nearest) < 1e-6 ? nearest : (sign > 0 ? std::floor(at) : std::ceil(at));
    return (from + sign) * step;
}

} // namespace

double TraceStart(const PlotBox& view, double step)
{
    return std::round((view.xMin + view.xMax) / 2 / step) * step;
}

std::optional<double> TraceTarget(const PlotCurve& curve, double x, TraceKey key, double step)
{
    switch (key) {
    case TraceKey::Left:
        return nextMultiple(x, step, -1);
    case TraceKey::Right:
        return nextMultiple(x, step, 1);
    case TraceKey::FineLeft:
        return nextMultiple(x, step / 10, -1);
    case TraceKey::FineRight:
        return nextMultiple(x, step / 10, 1);
    case TraceKey::NextRoot: {
        const std::vector<double> xs = roots(curve);
        if (xs.empty())
            return std::nullopt;
        for (const double root : xs) {
            if (root > x && !samePlace(root, x, step))
                return root;
        }
        return xs.front();
    }
    case TraceKey::Vertex:
        if (const PlotPoint* vertex = marked(curve, PlotPoint::Vertex))
            return vertex->x;
        return std::nullopt;
    case TraceKey::Intercept:
        return 0.0;
    }
    return std::nullopt;
}

std::string TraceText(const PlotCurve& curve, double x, double step)
{
    const char sep = curve.separator;
    // The marks at x, named in this order; the first gives the coordinates.
    std::string names;
    std::optional<std::pair<double, double>> mark;
    const auto name = [&](const char* what, double mx, double my) {
        names += (names.empty() ? "; " : ", ") + std::string(what);
        if (!mark)
            mark = { mx, my };
    };
    for (const PlotPoint& p : curve.points) {
        if (p.kind == PlotPoint::Root && std::isfinite(p.x) && samePlace(p.x, x, step)) {
            name("корень", p.x, 0);
            break;
        }
    }
    const PlotPoint* vertex = marked(curve, PlotPoint::Vertex);
    if (vertex && samePlace(vertex->x, x, step))
        name("вершина", vertex->x, vertex->y);
    if (samePlace(x, 0, step))
        name("пересечение с осью y", 0, curve.c);

    if (mark) {
        // A marked point to the four digits of its mark.
        return "x = " + TypesetApproximation(mark->first, sep)
            + "; y = " + TypesetApproximation(mark->second, sep) + names;
    }
    const std::string xText = TickLabel(x, step, sep);
    const double y = curve.at(x);
    if (!std::isfinite(y))
        return "x = " + xText + "; y вне диапазона";
    // Enough digits to tell y from the values a step either side, and at
    // least the result line's four.
    double apart = 0;
    for (const double other : { curve.at(x - step), curve.at(x + step) }) {
        const double d = std::fabs(other - y);
        if (std::isfinite(d) && d > 0)
            apart = apart > 0 ? std::min(apart, d) : d;
    }
    const int digits = std::max(4, apart > 0 ? TickDigits(y, apart) : 4);
    return "x = " + xText + "; y = " + TextbookNumber(y, digits, sep);
}

std::string TraceNowhere(TraceKey key)
{
    return key == TraceKey::NextRoot ? "Корней нет" : "Вершины нет";
}
