// How far two colours stand apart, as WCAG 2 measures it (relative
// luminance, contrast ratio from 1 to 21): the plot keeps its curve at 3:1
// and its labels, like the faded steps, at 4.5:1 against the background.
#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

inline double RelativeLuminance(const QColor& colour)
{
    const auto linear
        = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

inline double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
