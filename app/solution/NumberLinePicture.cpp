#include "NumberLinePicture.h"

#include "Hatching.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kEdge = 4; // room left and right of the line
constexpr double kBand = 10; // the hatching's height above the line
constexpr double kRadius = 4;

// Where the picture's parts go, from the font and the widest label.
struct Geometry {
    double gap = 72, width = 0, lineY = 0, height = 0;
};

Geometry geometry(const NumberLine& numberLine, const QFont& font)
{
    const QFontMetricsF metrics(font);
    QFont signFont = font;
    signFont.setBold(true);
    double widest = metrics.horizontalAdvance("x");
    for (const NumberLine::Point& point : numberLine.points)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(point.label)));
    Geometry g;
    g.gap = std::max(72.0, std::ceil(widest) + 24);
    g.width = 2 * kEdge + g.gap * double(numberLine.points.size() + 1);
    g.lineY = std::ceil(QFontMetricsF(signFont).height()) + 2 + kBand + 1;
    g.height = g.lineY + kRadius + 3 + std::ceil(metrics.height()) + 2;
    return g;
}

} // namespace

QSizeF NumberLineSize(const NumberLine& numberLine, const QFont& font)
{
    const Geometry g = geometry(numberLine, font);
    return { g.width, g.height };
}

QImage DrawNumberLine(
    const NumberLine& numberLine, const QFont& font, const NumberLineInk& ink, qreal ratio)
{
    const QSizeF size = NumberLineSize(numberLine, font);
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintNumberLine(painter, numberLine, font, ink);
    return image;
}

void PaintNumberLine(
    QPainter& painter, const NumberLine& numberLine, const QFont& font, const NumberLineInk& ink)
{
    const QFontMetricsF metrics(font);
    QFont signFont = font;
    signFont.setBold(true);
    const QFontMetricsF signMetrics(signFont);
    const Geometry g = geometry(numberLine, font);
    const double gap = g.gap, width = g.width, lineY = g.lineY;
    const std::size_t count = numberLine.points.size();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double left = kEdge, right = width - kEdge;
    const auto pointX = [&](std::size_t i) { return left + gap * double(i + 1); };

    // Each interval: its sign above the middle, the hatching if it is chosen.
    painter.setPen(QPen(ink.line, 1));
    for (std::size_t i = 0; i <= count; ++i) {
        const double from = i == 0 ? left : pointX(i - 1);
        const double to = i == count ? right - 9 : pointX(i);
        if (i < numberLine.chosen.size() && numberLine.chosen[i])
            painter.drawLines(HatchStrokes(from + (i == 0 ? 0 : kRadius + 1),
                to - (i == count ? 0 : kRadius + 1), lineY - kBand, lineY - 1.5, 5));
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
    painter.setPen(QPen(ink.line, 1.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, lineY), QPointF(right - 2, lineY));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.line);
    painter.drawPolygon(QPolygonF(
        { QPointF(right, lineY), QPointF(right - 9, lineY - 4), QPointF(right - 9, lineY + 4) }));
    painter.setFont(font);
    painter.setPen(ink.line);
    const double labelTop = lineY + kRadius + 3;
    painter.drawText(QRectF(right - gap / 2, labelTop, gap / 2, metrics.height()),
        Qt::AlignRight | Qt::AlignTop, "x");

    for (std::size_t i = 0; i < count; ++i) {
        const NumberLine::Point& point = numberLine.points[i];
        const QPointF at(pointX(i), lineY);
        painter.setPen(QPen(ink.line, 1.5));
        painter.setBrush(point.filled ? ink.line : ink.background);
        painter.drawEllipse(at, kRadius, kRadius);
        painter.setPen(ink.line);
        painter.drawText(QRectF(at.x() - gap / 2, labelTop, gap, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(point.label));
    }
    painter.restore();
}
