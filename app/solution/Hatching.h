// Diagonal strokes across a band, cut at its sides so that neighbouring
// bands meet cleanly: lines, not a pattern brush, so that they scale with the
// picture and come out alike in SVG and PDF.
#pragma once

#include <QLineF>
#include <QVector>

#include <algorithm>

inline QVector<QLineF> HatchStrokes(
    double left, double right, double top, double bottom, double spacing)
{
    const double height = bottom - top;
    QVector<QLineF> strokes;
    for (double x = left - height; x < right; x += spacing) {
        const double from = std::max(x, left), to = std::min(x + height, right);
        if (to > from)
            strokes.append(QLineF(from, bottom - (from - x), to, bottom - (to - x)));
    }
    return strokes;
}
