// How large the graph is drawn on paper. A student measures a printed graph
// with a ruler, so it is drawn at one unit to the centimetre wherever the
// fitted view fits the space at that scale and still fills a fair part of it;
// otherwise at the largest 1, 2 or 5 × 10ᵏ millimetres per unit that fits,
// the same on both axes unless that would squeeze one of them to a sliver.
// The caption tells which, as a Russian textbook writes a scale.
#pragma once

#include "PlotView.h"

#include <string>

struct PaperScale {
    double xMm = 10, yMm = 10; // millimetres per unit on each axis
    bool trueScale() const { return xMm == 10 && yMm == 10; }
};

// The scale for the view `fitted` in a plot area of widthMm × heightMm.
PaperScale FitOnPaper(const PlotBox& fitted, double widthMm, double heightMm);

// A graph planned for a plot area: the view to hold and its scale. The table
// of values' points join the screen's fitted view wherever they fit at one
// unit to the centimetre, so that a pupil finds each of them on the graph.
struct PaperPlan {
    PlotBox fitted;
    PaperScale scale;
    bool table = false; // the table's points are in `fitted`
};
PaperPlan PlanPaper(const PlotCurve& curve, const PlotBox& fitted, double widthMm, double heightMm);

// The part of the plane that fills the area at `scale`, centred on `fitted`
// across; up and down, a parabola's vertex end lies a centimetre from its
// edge of the area (for the vertex's label) so that the room left goes to the
// branches; a line is centred.
PlotBox PaperView(
    const PlotBox& fitted, const PaperScale& scale, double widthMm, double heightMm, double a = 0);
// «Масштаб: 1 единица = 1 см», «Масштаб: 1 см = 200 единиц», or one for
// each axis where they differ.
std::string ScaleCaption(const PaperScale& scale, char separator);
