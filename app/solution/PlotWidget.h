// The graph of y = a·x² + b·x + c on screen: the picture itself (axes, grid,
// ticks, the curve, the marks and their labels) is PlotPicture's, which the
// copied, saved and printed pictures paint too; this keeps the curve and the
// view, the input, the commands, the trace and what screen readers are told.
// The wheel zooms about the cursor, dragging pans, a double-click resets.
// Every other command is one of the widget's actions (commands()), with its
// shortcut while the focus is here; the context menu lists them.
//
// The hover readout, the focus frame and the traced point are overlays drawn
// on screen only, so a copied or saved picture never holds them; those
// pictures carry a caption line instead, the equation or inequality, which
// the screen leaves out. Its accessible role is a chart.
//
// The trace (T) walks a point along the curve from the keyboard: Left and
// Right by one x tick step, with Shift by a tenth of it; R to the next root,
// V to the vertex, I to the y-intercept; Esc leaves it and gives back the view
// it found. The view follows the point along x, and grows in height rather
// than lose the x axis; each position is announced to screen readers.
#pragma once

#include "PlotPicture.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QAction;
enum class TraceKey;

class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // A new equation resets the view; one with a coefficient moved keeps it.
    // Shown another way (an inequality's answer changes the fit), a view the
    // reader has zoomed or panned stays, one not moved follows the fit.
    // `description` says what the curve is.
    enum class View { Refit, Keep, KeepMoved };
    void setCurve(const PlotCurve& curve, const std::string& description, View view = View::Refit);
    // No curve: the plot shows only `message` (an explanation that failed).
    void clear(const std::string& message);
    bool isEmpty() const { return m_empty; }
    // Drawn faded while the coefficients no longer match the curve.
    void setDimmed(bool dimmed);

    // Labels and the table's points, squared paper: for every picture of
    // the plot, copied, saved and printed too.
    const PlotOptions& options() const { return m_options; }
    void setOptions(const PlotOptions& options);

    const PlotBox& view() const { return m_view; }
    void setView(const PlotBox& view);
    void resetView();

    // Where the point (x, y) of the plane is drawn in a picture of `size`.
    QPointF devicePoint(double x, double y, QSizeF size) const
    {
        return toDevice(x, y, plotArea(size));
    }

    // Draws the plot, without overlays or caption, at the given logical size;
    // returns where its labels went.
    PaintedPlot paint(QPainter& painter, QSizeF size) const;
    // The plot at the given logical size and pixel ratio.
    QImage render(QSize size, qreal pixelRatio) const;
    // What is copied and saved: the plot at the widget's size with its
    // caption line above it.
    QImage picture(qreal pixelRatio) const;
    // PNG, or SVG when the name ends in .svg.
    bool save(const QString& fileName) const;
    void copyToClipboard() const;
    // Where to save and the file type chosen in the dialog, which decides the
    // format of a name without a suffix, the dialog proposing `proposed`;
    // replaceable so that tests never meet a file dialog.
    struct SaveChoice {
        QString fileName;
        QString filter;
    };
    static std::function<SaveChoice(QWidget*, const QString& proposed)> chooseFileName;

    // The plot's commands, in the order of its context menu; a window may
    // show them too. Each has its shortcut while the focus is on the plot.
    QList<QAction*> commands() const { return m_commands; }
    QAction* traceAction() const { return m_trace; }

    // The traced point's x, while the trace is on.
    std::optional<double> tracedX() const { return m_traceX; }
    // What the plot last announced to screen readers.
    const QString& lastAnnouncement() const { return m_announced; }

    QSize sizeHint() const override { return { 480, 400 }; }
    QSize minimumSizeHint() const override { return { 240, 200 }; }

protected:
    bool event(QEvent* event) override;
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
    PlotPicture drawing() const;
    Ink ink() const;
    void paintOverlays(QPainter& painter, const LabelScene& scene) const;
    void paintPicture(QPainter& painter, QSizeF size) const;
    double captionHeight() const;

    void addCommands();
    QAction* command(const QString& text, const QList<QKeySequence>& keys, const QString& tip);
    QAction* commandFor(const QKeyEvent* event) const;
    void setTracing(bool on);
    void restartTrace();
    void moveTrace(TraceKey key);
    void announce(const QString& message);

    QFont plotFont() const;
    QRectF plotArea(QSizeF size) const;
    bool saveSvg(const QString& fileName) const;
    QPointF toDevice(double x, double y, const QRectF& area) const;
    QPointF toData(QPointF position) const;
    void zoomAbout(double factor, QPointF position);
    void panBy(double fx, double fy);
    void saveAs();
    void describe();
    double xStep() const;

    PlotCurve m_curve;
    PlotBox m_view;
    PlotBox m_home;
    PlotOptions m_options;
    std::string m_description;
    bool m_dimmed = false;
    bool m_empty = false;
    std::optional<QPointF> m_hover;
    std::optional<QPointF> m_dragFrom;
    PlotBox m_dragView;

    QList<QAction*> m_commands;
    QList<QAction*> m_viewOnly; // the arrows that pan, given over to the trace while it runs
    QList<QAction*> m_traceOnly;
    QAction* m_trace = nullptr;
    std::optional<double> m_traceX;
    std::optional<PlotBox> m_viewBeforeTrace; // given back when the trace ends
    double m_traceStep = 1; // the step of the last move, which sets the digits said
    QString m_viewDescription;
    QString m_announced;
};
