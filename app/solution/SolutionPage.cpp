#include "SolutionPage.h"

#include "NumberLinePicture.h"
#include "PlainText.h"
#include "PlotPicture.h"
#include "StepsHtml.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Logical units of the layout: CSS pixels, 96 to the inch, whatever the
// device's resolution, so that the plot draws as it does on screen.
constexpr double kPixelsPerMm = 96 / 25.4;

// The anchor on the line of signs, under which the number line is drawn.
const QString kNumberLineAnchor = "number-line";

QString stepsHtml(const EquationSolution& solution, double numberLineHeight)
{
    // The equation or inequality, as the plot's caption states it.
    const QString title
        = solution.statement.empty() ? QString("Решение") : LineHtml(solution.statement);
    // The line of signs, and under it room for the number line itself.
    QString signs;
    if (solution.numberLine)
        signs = "<p style=\"margin-top:0; margin-left:14px; margin-bottom:"
            + QString::number(std::ceil(numberLineHeight) + 8) + "px\"><i><a name=\""
            + kNumberLineAnchor + "\">" + LineHtml(NumberLineSigns(*solution.numberLine))
            + "</a></i></p>";
    return "<p style=\"margin-bottom:2px; font-size:22px\"><b>" + title + "</b></p>"
        + "<p style=\"margin-bottom:6px; color:#555555\">Способ решения: "
        + ProseHtml(MethodName(solution.method, solution.relation)) + "</p>"
        + StepsHtml(solution, signs, "font-size:16px");
}

// The block that holds the line of signs.
QTextBlock numberLineBlock(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto at = block.begin(); !at.atEnd(); ++at) {
            if (at.fragment().charFormat().anchorNames().contains(kNumberLineAnchor))
                return block;
        }
    }
    return {};
}

// A short step (its heading, its lines, its table) stays on one page: where a
// page would break it, it starts the next. A step starts at a block with a
// margin above it: a heading, or the answer.
bool moveFirstSplitStep(QTextDocument& steps, double pageHeight)
{
    QAbstractTextDocumentLayout* layout = steps.documentLayout();
    QTextBlock start;
    double top = 0, bottom = 0;
    const auto moved = [&] {
        const bool split = start.isValid()
            && std::floor(top / pageHeight) != std::floor((bottom - 1) / pageHeight);
        if (!split || bottom - top > pageHeight / 3)
            return false;
        QTextBlockFormat format = start.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(start).setBlockFormat(format);
        return true;
    };
    for (auto at = steps.rootFrame()->begin(); !at.atEnd(); ++at) {
        const QTextBlock block = at.currentBlock();
        const QRectF box = block.isValid() ? layout->blockBoundingRect(block)
                                           : layout->frameBoundingRect(at.currentFrame());
        if (block.isValid() && block.blockFormat().topMargin() > 0) {
            if (moved())
                return true;
            start = block;
            top = box.top();
        }
        bottom = box.bottom();
    }
    return moved();
}

// The plot area of a picture of `size` (inside its tick labels) in millimetres.
QSizeF plotAreaMm(const PlotPicture& plot, QSizeF size)
{
    return plot.area(size).size() / kPixelsPerMm;
}

} // namespace

void SetSolutionPageLayout(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter));
}

PrintedSolution PrintSolution(
    const EquationSolution& solution, QPagedPaintDevice& device, const PlotOptions& options)
{
    PrintedSolution printed;
    QPainter painter;
    if (!painter.begin(&device))
        return printed;
    const QSizeF room
        = device.pageLayout().paintRect(QPageLayout::Millimeter).size() * kPixelsPerMm;
    painter.scale(device.logicalDpiX() / 96.0, device.logicalDpiY() / 96.0);

    QFont font = QApplication::font();
    font.setPixelSize(14);
    QTextDocument steps;
    steps.setDefaultFont(font);
    steps.setDocumentMargin(0);
    steps.setPageSize(room);
    const QSizeF numberLine
        = solution.numberLine ? NumberLineSize(*solution.numberLine, font) : QSizeF();
    steps.setHtml(stepsHtml(solution, numberLine.height()));
    RestoreDigitGroupSpaces(&steps);
    int moves = 0;
    while (moves < 100 && moveFirstSplitStep(steps, room.height()))
        ++moves;
    // The number line goes into the room left under its line of signs.
    std::optional<QPointF> numberLineAt;
    if (const QTextBlock block = numberLineBlock(steps); block.isValid()) {
        steps.documentLayout()->blockBoundingRect(block); // lays the steps out
        const QRectF lines = block.layout()->boundingRect();
        numberLineAt = block.layout()->position() + QPointF(lines.left(), lines.bottom() + 4);
    }
    printed.pages = steps.pageCount();
    const double textEnd = steps.documentLayout()->blockBoundingRect(steps.lastBlock()).bottom()
        - (printed.pages - 1) * room.height();

    QFont plotFont = font;
    plotFont.setPixelSize(12);
    const Ink ink = Ink::forPaper(plotFont);
    const PlotBox fitted = FitView(solution.curve);
    PlotBox view = fitted;
    // Squared paper as an exercise book has it: 5 mm squares, two to the
    // centimetre that is the unit wherever the scale is 1 cm.
    PlotOptions paperOptions = options;
    paperOptions.squareSide = 5 * kPixelsPerMm;
    const PlotPicture plot(solution.curve, view, plotFont, ink, paperOptions);

    // The graph below the last of the steps, as tall as it may be up to
    // 15 cm, on a page of its own where less than 6 cm is left or where only
    // a page of its own gives it one unit to the centimetre, or room for the
    // table's points at that scale.
    QFont captionFont = font;
    captionFont.setPixelSize(12);
    const double captionHeight = QFontMetricsF(captionFont).height() + 6;
    const auto graphBelow = [&](double top) {
        return QSizeF(
            room.width(), std::min(150 * kPixelsPerMm, room.height() - top - captionHeight));
    };
    const auto planBelow = [&](double top) {
        const QSizeF area = plotAreaMm(plot, graphBelow(top));
        return PlanPaper(solution.curve, fitted, area.width(), area.height());
    };
    double graphTop = textEnd + 6 * kPixelsPerMm;
    if (room.height() - graphTop - captionHeight < 60 * kPixelsPerMm) {
        graphTop = 0;
    } else {
        const PaperPlan below = planBelow(graphTop), alone = planBelow(0);
        if (alone.scale.trueScale() && (!below.scale.trueScale() || (alone.table && !below.table)))
            graphTop = 0;
    }
    const QSizeF graph = graphBelow(graphTop);
    const PaperPlan plan = planBelow(graphTop);
    printed.scale = plan.scale;

    for (int page = 0; page < printed.pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -page * room.height());
        steps.drawContents(&painter, QRectF(0, page * room.height(), room.width(), room.height()));
        if (numberLineAt && int(numberLineAt->y() / room.height()) == page) {
            painter.translate(*numberLineAt);
            PaintNumberLine(painter, *solution.numberLine, font, Ink::forPaper(font));
        }
        painter.restore();
    }
    if (graphTop == 0) {
        device.newPage();
        ++printed.pages;
    }
    // The tick labels of the new view may take another width: fit twice.
    for (int pass = 0; pass < 2; ++pass) {
        const QSizeF area = plotAreaMm(plot, graph);
        view = PaperView(plan.fitted, printed.scale, area.width(), area.height(), solution.curve.a);
    }
    const QRectF area = plot.area(graph);
    const QPointF origin = plot.toDevice(view.xMin, view.yMin, area);
    printed.xUnitMm
        = (plot.toDevice(view.xMin + 1, view.yMin, area).x() - origin.x()) / kPixelsPerMm;
    printed.yUnitMm
        = (origin.y() - plot.toDevice(view.xMin, view.yMin + 1, area).y()) / kPixelsPerMm;

    painter.save();
    painter.translate(0, graphTop);
    printed.labels = plot.paint(painter, graph).labels;
    painter.restore();
    painter.setFont(captionFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, graphTop + graph.height() + 4, room.width(), captionHeight),
        Qt::AlignLeft | Qt::AlignTop,
        QString::fromStdString(ScaleCaption(printed.scale, solution.curve.separator)));
    painter.end();
    return printed;
}
