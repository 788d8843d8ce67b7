// Where the plot's labels go, as plain geometry in device space (y grows
// downwards): each label is tried on the sides of its mark in turn, its own
// side first, close, then a few pixels further out (never so far that it
// could be read as another mark's), and takes the first place that lies
// within the plot, overlaps no other label, mark or arrow, and is crossed by
// neither the curve nor an axis. A label with no such place is left out: its
// value is still in the steps, the description and the hover readout. The
// widget measures the texts and flattens the curve; this only decides.
#pragma once

#include <optional>
#include <vector>

struct LabelRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool overlaps(const LabelRect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    LabelRect grown(double by) const { return { left - by, top - by, right + by, bottom + by }; }
};

struct LabelPoint {
    double x = 0, y = 0;
};

struct LabelScene {
    LabelRect area; // the plot: labels stay inside
    std::vector<LabelRect> marks; // the marks and the arrows
    std::vector<std::vector<LabelPoint>> lines; // the curve's pieces and the axes, as polylines
    double clearance = 2; // how far a line stays from a label (half its pen, and air)
};

// The side of its mark a label is tried on first: a left root's label to its
// left keeps the roots' order; a vertex's label where the curve is not.
enum class LabelSide { Right, Left, Below, Above };

struct LabelRequest {
    LabelRect mark; // what the label belongs to
    double width = 0, height = 0;
    LabelSide side = LabelSide::Right;
};

// One place, or none, for each request, in the order given; earlier labels
// take their place first.
std::vector<std::optional<LabelRect>> PlaceLabels(
    const std::vector<LabelRequest>& requests, const LabelScene& scene);

// Whether the segment from p to q passes through the rectangle.
bool Crosses(LabelPoint p, LabelPoint q, const LabelRect& rect);
