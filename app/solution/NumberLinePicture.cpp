#include "NumberLinePicture.h"

#include "Hatching.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kEdge = 4; // room left and right of the line

// Where the picture's parts go, from the font and the labels' widths: the
// zeros a comfortable gap apart where `maxWidth` allows, else closer, down to
// where neighbouring values would touch; closer still, the values go on two
// rows, every other one lower.
struct Geometry {
    double gap = 72, width = 0, lineY = 0, height = 0;
    bool staggered = false;
};

Geometry geometry(const NumberLine& numberLine, const QFont& font, double maxWidth)
{
    const QFontMetricsF metrics(font);
    QFont signFont = font;
    signFont.setBold(true);
    std::vector<double> widths;
    for (const NumberLine::Point& point : numberLine.points)
        widths.push_back(metrics.horizontalAdvance(QString::fromStdString(point.label)));
    const double widest = std::max(metrics.horizontalAdvance("x"),
        widths.empty() ? 0.0 : *std::max_element(widths.begin(), widths.end()));
    const double intervals = double(numberLine.points.size() + 1);
    const double fitted = std::floor((maxWidth - 2 * kEdge) / intervals);
    // The least gap at which labels `apart` places apart on one row keep 12
    // px between them, the first stays inside the picture and the last
    // clear of the «x» under the arrow.
    const auto least = [&](std::size_t apart) {
        double gap = 40;
        if (!widths.empty())
            gap = std::max({ gap, widths.front() / 2 + 2,
                widths.back() / 2 + metrics.horizontalAdvance("x") + 12 });
        for (std::size_t i = 0; i < widths.size(); ++i) {
            if (i + apart < widths.size())
                gap = std::max(gap, ((widths[i] + widths[i + apart]) / 2 + 12) / double(apart));
        }
        return std::ceil(gap);
    };
    Geometry g;
    g.gap = std::max(72.0, std::ceil(widest) + 24);
    if (g.gap > fitted) {
        g.staggered = least(1) > fitted;
        g.gap = std::max(least(g.staggered ? 2 : 1), fitted);
    }
    g.width = 2 * kEdge + g.gap * intervals;
    const MarkSizes sizes = MarkSizes::forFont(font);
    g.lineY = std::ceil(QFontMetricsF(signFont).height()) + 2 + sizes.band + 1;
    const double rows = g.staggered ? 2 : 1;
    g.height = g.lineY + sizes.dot + 3 + rows * std::ceil(metrics.height()) + 2;
    return g;
}

} // namespace

QSizeF NumberLineSize(const NumberLine& numberLine, const QFont& font, double maxWidth)
{
    const Geometry g = geometry(numberLine, font, maxWidth);
    return { g.width, g.height };
}

QImage DrawNumberLine(
    const NumberLine& numberLine, const QFont& font, const Ink& ink, qreal ratio, double maxWidth)
{
    const QSizeF size = NumberLineSize(numberLine, font, maxWidth);
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintNumberLine(painter, numberLine, font, ink, maxWidth);
    return image;
}

void PaintNumberLine(QPainter& painter, const NumberLine& numberLine, const QFont& font,
    const Ink& ink, double maxWidth)
{
    const MarkSizes sizes = MarkSizes::forFont(font);
    const QFontMetricsF metrics(font);
    QFont signFont = font;
    signFont.setBold(true);
    const QFontMetricsF signMetrics(signFont);
    const Geometry g = geometry(numberLine, font, maxWidth);
    const double gap = g.gap, width = g.width, lineY = g.lineY;
    const std::size_t count = numberLine.points.size();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double left = kEdge, right = width - kEdge;
    const auto pointX = [&](std::size_t i) { return left + gap * double(i + 1); };

    // Each interval: its sign above the middle, the hatching if it is chosen.
    const double arrow = sizes.arrowLength;
    for (std::size_t i = 0; i <= count; ++i) {
        const double from = i == 0 ? left : pointX(i - 1);
        const double to = i == count ? right - arrow : pointX(i);
        painter.setPen(QPen(ink.text, 1.25, Qt::SolidLine, Qt::FlatCap));
        if (i < numberLine.chosen.size() && numberLine.chosen[i])
            painter.drawLines(HatchStrokes(from + (i == 0 ? 0 : sizes.dot + 1),
                to - (i == count ? 0 : sizes.dot + 1), lineY - sizes.band, lineY - 1.5,
                sizes.hatchSpacing));
        painter.setPen(ink.text);
        if (i < numberLine.signs.size()) {
            const int sign = numberLine.signs[i];
            painter.setFont(signFont);
            painter.drawText(QRectF(from, 0, to - from, signMetrics.height()), Qt::AlignCenter,
                sign > 0       ? "+"
                    : sign < 0 ? "\u2212"
                               : "0");
        }
    }

    // The line with its arrow, and «x» under the arrow's tip.
    painter.setPen(QPen(ink.text, 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, lineY), QPointF(right - 2, lineY));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.text);
    painter.drawPolygon(
        QPolygonF({ QPointF(right, lineY), QPointF(right - arrow, lineY - sizes.arrowHalfWidth),
            QPointF(right - arrow, lineY + sizes.arrowHalfWidth) }));
    painter.setFont(font);
    painter.setPen(ink.text);
    const double labelTop = lineY + sizes.dot + 3;
    painter.drawText(QRectF(right - gap / 2, labelTop, gap / 2, metrics.height()),
        Qt::AlignRight | Qt::AlignTop, "x");

    for (std::size_t i = 0; i < count; ++i) {
        const NumberLine::Point& point = numberLine.points[i];
        const QPointF at(pointX(i), lineY);
        // Filled as the plot fills an end that belongs to the answer, hollow
        // as it leaves one that does not.
        const double radius = point.filled ? sizes.dot : sizes.ring;
        painter.setPen(point.filled ? QPen(ink.background, 1.5) : QPen(ink.text, 2));
        painter.setBrush(point.filled ? ink.text : ink.background);
        painter.drawEllipse(at, radius, radius);
        painter.setPen(ink.text);
        const double row = g.staggered && i % 2 == 1 ? std::ceil(metrics.height()) : 0;
        painter.drawText(QRectF(at.x() - gap, labelTop + row, 2 * gap, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(point.label));
    }
    painter.restore();
}
