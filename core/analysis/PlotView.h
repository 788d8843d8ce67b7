// The mathematics of the plot, apart from any drawing: the curve
// y = a·x² + b·x + c with its marked points, the view that fits them, the
// ticks at 1, 2 or 5 × 10ᵏ, zooming and panning, and the pieces of the curve
// that lie within a band around the view, so that nothing far outside ever
// reaches integer device coordinates.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct PlotPoint {
    enum Kind { Root, Vertex, Intercept };
    Kind kind = Root;
    double x = 0;
    double y = 0;
    std::string label; // "x₁ = 2", "вершина (1,5; −0,25)", "(0; 2)"
};

// A piece of the x axis where an inequality holds; an end at ±infinity is
// unbounded, and from = to is a single point.
struct PlotInterval {
    double from = 0, to = 0;
    bool fromClosed = false, toClosed = false;
};

struct PlotCurve {
    double a = 0, b = 0, c = 0;
    std::vector<PlotPoint> points;
    // For an inequality: where it holds (possibly nowhere).
    bool inequality = false;
    std::vector<PlotInterval> solution;
    char separator = '.'; // the decimal separator of its labels, ticks and readouts
    // The equation or inequality, as its statement writes it: the caption of
    // a copied or saved picture.
    std::string caption;
    // The points of the function's table of values, drawn as dots.
    std::vector<std::pair<double, double>> table;
    double at(double x) const { return (a * x + b) * x + c; }
};

struct PlotBox {
    double xMin = -1, xMax = 1, yMin = -1, yMax = 1;
    double width() const { return xMax - xMin; }
    double height() const { return yMax - yMin; }
    bool contains(double x, double y) const
    {
        return x >= xMin && x <= xMax && y >= yMin && y <= yMax;
    }
};

// The view that shows every marked point with margins, centred on the axis of
// symmetry and no taller than the marks, the x axis and the curve between
// them need; where the marks cannot all be told apart (1, 1e19, 1: a root and
// the intercept a hair apart at a scale of 10¹⁹), the part around the vertex
// instead, with the x axis where the curve meets it. A parabola without real
// roots is shown out to where it rises to twice the vertex's height, with the
// x axis, so that one sees it pass above or below the axis. For an inequality
// the view holds each part of the answer: its finite ends, and at least a
// quarter of the view's width of a part that runs off to infinity; a linear
// one is centred on its root.
// `vertexRoom` adds that share of the height beyond the vertex, where its
// label goes on a small screen; `axisRoom` keeps that share between the x
// axis and the edge it is near, where the roots' labels go.
PlotBox FitView(const PlotCurve& curve, double vertexRoom = 0, double axisRoom = 0);

// Ticks at first·step … last·step, step = 1, 2 or 5 × 10ᵏ, about `count` of
// them across [lo, hi].
struct TickRange {
    double step = 1;
    long long first = 0;
    long long last = -1;
    double at(long long i) const { return static_cast<double>(i) * step; }
};
TickRange NiceTicks(double lo, double hi, int count);
// A tick's label: as many significant digits as tell it from its neighbours,
// in textbook notation (Typography.h).
std::string TickLabel(double value, double step, char separator);
// How many significant digits that label gives a nonzero value.
int TickDigits(double value, double step);

// The view scaled by `factor` (< 1 zooms in) about (x, y), and moved by
// (dx, dy); spans stay within what double precision can tell apart.
PlotBox Zoomed(const PlotBox& box, double factor, double x, double y);
PlotBox Panned(const PlotBox& box, double dx, double dy);

// The x intervals, within the view's x range, on which the curve stays inside
// [yMin − band, yMax + band]; split at the vertex, so that each is monotonic.
std::vector<std::pair<double, double>> VisiblePieces(
    const PlotCurve& curve, const PlotBox& box, double band);
