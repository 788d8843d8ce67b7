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
    const double both = niceAtMost(std::min(x, y));
    return { both, both };
}

PlotBox PaperView(const PlotBox& fitted, const PaperScale& scale, double widthMm, double heightMm)
{
    const double cx = (fitted.xMin + fitted.xMax) / 2, cy = (fitted.yMin + fitted.yMax) / 2;
    const double w = widthMm / scale.xMm / 2, h = heightMm / scale.yMm / 2;
    return { cx - w, cx + w, cy - h, cy + h };
}

std::string ScaleCaption(const PaperScale& scale, char separator)
{
    if (scale.xMm == scale.yMm)
        return "Масштаб: " + oneAxis(scale.xMm, separator);
    return "Масштаб: по оси x " + oneAxis(scale.xMm, separator) + ", по оси y "
        + oneAxis(scale.yMm, separator);
}
