// The keyboard trace along the plot's curve, apart from any drawing: where a
// key takes the traced point and what a screen reader hears of it. The point
// steps by the x tick step (a tenth of it with Shift) from one multiple of
// that step to the next, so that it passes the same places whichever way it
// goes and nothing accumulates; R jumps to the next root (to the right, then
// round again from the leftmost), V to the vertex, I to the y-intercept.
#pragma once

#include "PlotView.h"

#include <optional>
#include <string>

enum class TraceKey { Left, Right, FineLeft, FineRight, NextRoot, Vertex, Intercept };

// Where the trace starts: the multiple of `step` nearest the middle of the view.
double TraceStart(const PlotBox& view, double step);

// The x the point goes to from x; none where there is nowhere to go (no root,
// no vertex).
std::optional<double> TraceTarget(const PlotCurve& curve, double x, TraceKey key, double step);

// What is said of the point at x: "x = 1,5; y = −0,25; вершина". The
// coordinates have as many digits as tell the point from its neighbours a
// step away; a marked point is named and written as its mark is.
std::string TraceText(const PlotCurve& curve, double x, double step);

// What is said when a jump has nowhere to go: "Корней нет", "Вершины нет".
std::string TraceNowhere(TraceKey key);
