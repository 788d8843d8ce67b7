#include "PaperScale.h"

#include "Typography.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest 1, 2 or 5 × 10ᵏ that is at most `limit`.
double niceAtMost(double limit)
{
    const double power = std::pow(10.0, std::floor(std::log10(limit)));
    for (const double m : { 5.0, 2.0, 1.0 }) {
        if (m * power <= limit * (1 + 1e-12))
            return m * power;
    }
    return power;
}

std::string oneAxis(double mm, char separator)
{
    // A unit longer than 10 cm: how much of one a centimetre holds, as a
    // fraction («0,002 единицы»).
    if (mm > 100)
        return "1 см = " + TextbookNumber(10 / mm, 4, separator) + " единицы";
    if (mm >= 10)
        return "1 единица = " + TextbookNumber(mm / 10, 4, separator) + " см";
    if (mm >= 1)
        return "1 единица = " + TextbookNumber(mm, 4, separator) + " мм";
    // 10/mm is 20, 50 or 100 × 10ᵏ here: always «единиц».
    return "1 см = " + TextbookNumber(10 / mm, 4, separator) + " единиц";
}

} // namespace

PaperScale FitOnPaper(const PlotBox& fitted, double widthMm, double heightMm)
{
    const double x = widthMm / fitted.width(), y = heightMm / fitted.height();
    // One axis would use less than a quarter of its room at the other's scale.
    if (std::max(x, y) > 4 * std::min(x, y))
        return { niceAtMost(x), niceAtMost(y) };
    // At 1 cm per unit the view must fit, and fill at least a tenth of the
    // room one way: a smaller picture is too small to read.
    const double fillsATenth = 100;
    if (std::min(x, y) >= 10 && std::min(x, y) <= fillsATenth)
        return {};
    // Rounded down to a nice scale, the common one may leave an axis less
    // than a fifth of its room: then each axis its own.
    const double both = niceAtMost(std::min(x, y));
    if (both < std::max(x, y) / 5)
        return { niceAtMost(x), niceAtMost(y) };
    return { both, both };
}

PaperPlan PlanPaper(const PlotCurve& curve, const PlotBox& fitted, double widthMm, double heightMm)
{
    if (!curve.table.empty()) {
        // 3 mm round the points at one unit to the centimetre, and 12 mm
        // beyond the vertex for its label under the roots' labels.
        PlotBox withTable = fitted;
        for (const auto& [x, y] : curve.table) {
            withTable.xMin = std::min(withTable.xMin, x - 0.3);
            withTable.xMax = std::max(withTable.xMax, x + 0.3);
            withTable.yMin = std::min(withTable.yMin, y - 0.3);
            withTable.yMax = std::max(withTable.yMax, y + 0.3);
        }
        if (curve.a != 0) {
            const double vertexY = curve.at(-curve.b / (2 * curve.a));
            withTable.yMin = std::min(withTable.yMin, curve.a > 0 ? vertexY - 1.2 : vertexY);
            withTable.yMax = std::max(withTable.yMax, curve.a < 0 ? vertexY + 1.2 : vertexY);
        }
        const PaperScale scale = FitOnPaper(withTable, widthMm, heightMm);
        if (scale.trueScale())
            return { withTable, scale, true };
    }
    return { fitted, FitOnPaper(fitted, widthMm, heightMm) };
}

PlotBox PaperView(
    const PlotBox& fitted, const PaperScale& scale, double widthMm, double heightMm, double a)
{
    const double cx = (fitted.xMin + fitted.xMax) / 2;
    const double w = widthMm / scale.xMm / 2, h = heightMm / scale.yMm;
    // Up to a centimetre beyond the vertex, where its label goes.
    const double beyond = std::clamp(h - fitted.height(), 0.0, 10 / scale.yMm);
    double bottom = (fitted.yMin + fitted.yMax - h) / 2;
    if (a > 0)
        bottom = fitted.yMin - beyond;
    else if (a < 0)
        bottom = fitted.yMax + beyond - h;
    return { cx - w, cx + w, bottom, bottom + h };
}

std::string ScaleCaption(const PaperScale& scale, char separator)
{
    if (scale.xMm == scale.yMm)
        return "Масштаб: " + oneAxis(scale.xMm, separator);
    return "Масштаб: по оси x " + oneAxis(scale.xMm, separator) + ", по оси y "
        + oneAxis(scale.yMm, separator);
}
