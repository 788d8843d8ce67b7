// The graph of y = a·x² + b·x + c: axes, grid, ticks at 1, 2 or 5 × 10ᵏ, the
// curve as exact quadratic Bézier pieces, and the roots, vertex and
// y-intercept marked (or, off the view, an arrow at the edge at the point's
// own coordinate, with the value beside it). The wheel zooms about the
// cursor, dragging pans, Home or a double-click resets; +, −, the arrows,
// Ctrl+C (PNG) and Ctrl+S work with the focus here. The view's mathematics
// and where the labels go live in the core (PlotView.h, LabelPlacement.h);
// this only maps and paints, in floating point, and only what lies within a
// band about the view. The picture (paint) is the plot alone; the hover
// readout and the focus frame are drawn over it on screen only, so a copied or
// saved picture never holds them. Its accessible role is a chart. For an
// inequality the x intervals where it holds are hatched along the x axis, the
// curve drawn heavier above them, their ends filled or hollow as on the
// number line.
#pragma once

#include "PlotView.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QMenu;

class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // A new equation resets the view; the same one shown another way (or
    // with a coefficient moved) keeps it. `description` says what the curve is.
    enum class View { Refit, Keep };
    void setCurve(const PlotCurve& curve, const std::string& description, View view = View::Refit);
    // No curve: the plot shows only `message` (an explanation that failed).
    void clear(const std::string& message);
    bool isEmpty() const { return m_empty; }
    // Drawn faded while the coefficients no longer match the curve.
    void setDimmed(bool dimmed);

    const PlotBox& view() const { return m_view; }
    void setView(const PlotBox& view);
    void resetView();

    // Where the point (x, y) of the plane is drawn in a picture of `size`.
    QPointF devicePoint(double x, double y, QSizeF size) const
    {
        return toDevice(x, y, plotArea(size));
    }

    // Draws the whole picture at the given logical size.
    void paint(QPainter& painter, QSizeF size) const;
    // The picture at the given logical size and pixel ratio.
    QImage render(QSize size, qreal pixelRatio) const;
    // PNG, or SVG when the name ends in .svg.
    bool save(const QString& fileName) const;
    void copyToClipboard() const;
    // Where to save and the file type chosen in the dialog, which decides the
    // format of a name without a suffix; replaceable so that tests never meet
    // a file dialog.
    struct SaveChoice {
        QString fileName;
        QString filter;
    };
    static std::function<SaveChoice(QWidget*)> chooseFileName;

    QSize sizeHint() const override { return { 480, 400 }; }
    QSize minimumSizeHint() const override { return { 240, 200 }; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // An interval of an inequality's solution in device x: where it is
    // hatched, and its ends' circles (NaN: unbounded or off the view).
    struct SolutionStrip {
        double from = 0, to = 0;
        double fromEnd = 0, toEnd = 0;
        bool fromClosed = false, toClosed = false;
    };
    std::vector<SolutionStrip> solutionStrips(const QRectF& area) const;
    QFont plotFont() const;
    QRectF plotArea(QSizeF size) const;
    double widestTickLabel(const TickRange& ticks, const QFontMetricsF& metrics) const;
    TickRange yTicks(double height) const;
    TickRange xTicks(double width) const;
    QColor labelInk() const;
    bool saveSvg(const QString& fileName) const;
    QPointF toDevice(double x, double y, const QRectF& area) const;
    QPointF toData(QPointF position) const;
    void zoomAbout(double factor, QPointF position);
    void panBy(double fx, double fy);
    void saveAs();
    void describe();

    PlotCurve m_curve;
    PlotBox m_view;
    PlotBox m_home;
    std::string m_description;
    bool m_dimmed = false;
    bool m_empty = false;
    std::optional<QPointF> m_hover;
    std::optional<QPointF> m_dragFrom;
    PlotBox m_dragView;
};
