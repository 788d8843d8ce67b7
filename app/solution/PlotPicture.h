// One picture of the plot on any paint device: the widget on screen, a PNG,
// an SVG, the clipboard and the printed page all paint this, so that the
// grid, the curve, the marks and where their labels go follow one rule with
// the device's own size. It holds the mapping from the plane to the device,
// the ticks, the layers (grid and axes, an inequality's hatching, the curve,
// the marks and their labels) and the caption line; it keeps no state
// between pictures: the curve and the view are the caller's.
#pragma once

#include "Ink.h"
#include "LabelPlacement.h"
#include "PlotView.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

// A label as it was placed, with the mark it belongs to, in the picture's
// logical coordinates.
struct PlotLabel {
    QString text;
    QRectF place;
    QRectF mark;
};

// How the plot is drawn, as the menu «График» chooses: the same on screen,
// in a file, on the clipboard and on paper.
struct PlotOptions {
    // The marks' labels, and the points of the table of values as dots.
    bool labels = true;
    // The grid as an exercise book's squares, two to the unit where a square
    // comes out kMinSquare to kMaxSquare logical pixels (four, eight… to the
    // unit where the view is zoomed in so far); else the grid at
    // the ticks.
    bool squared = false;
    // A square's side in logical pixels instead, whatever the scale: paper's
    // 5 mm.
    double squareSide = 0;
    static constexpr double kMinSquare = 8, kMaxSquare = 60;
};

// What a painted picture leaves for the overlays drawn over it on screen: its
// labels, and the scene (lines, marks, labels) that another label must avoid.
struct PaintedPlot {
    std::vector<PlotLabel> labels;
    LabelScene scene;
};

class PlotPicture {
public:
    // `font` is lettered at its pixel size, so that every device sets the
    // text as the screen does.
    PlotPicture(const PlotCurve& curve, const PlotBox& view, const QFont& font, const Ink& ink,
        const PlotOptions& options = {})
        : m_curve(curve)
        , m_view(view)
        , m_font(font)
        , m_ink(ink)
        , m_options(options)
    {
    }

    // The plot area of a picture of `size`, inside its tick labels.
    QRectF area(QSizeF size) const;
    QPointF toDevice(double x, double y, const QRectF& area) const;
    QPointF toData(QPointF position, const QRectF& area) const;
    TickRange xTicks(double width) const;
    TickRange yTicks(double height) const;
    // The squares' side in units on each axis, in an area of `size` (its
    // logical pixels); none where the grid is drawn at the ticks.
    std::optional<QSizeF> squares(QSizeF area) const;

    // The plot of `size` with its top left at the painter's origin.
    PaintedPlot paint(QPainter& painter, QSizeF size) const;

    // The caption line above a copied, saved or printed plot: the equation
    // or inequality; none (height 0) without one.
    double captionHeight() const;
    void paintCaption(QPainter& painter, double width) const;

private:
    struct Canvas;
    struct Strip;
    void paintGrid(Canvas& canvas) const;
    void paintSolution(Canvas& canvas) const;
    void paintCurve(Canvas& canvas) const;
    void paintTable(Canvas& canvas) const;
    void paintMarks(Canvas& canvas) const;
    std::vector<Strip> solutionStrips(const QRectF& area) const;
    double widestTickLabel(const TickRange& ticks) const;

    const PlotCurve& m_curve;
    const PlotBox& m_view;
    QFont m_font;
    Ink m_ink;
    PlotOptions m_options;
};
