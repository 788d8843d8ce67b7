#include "Ink.h"

#include <QFontMetricsF>

#include <cmath>

QColor StandingOut(QColor color, const QColor& background, double ratio)
{
    const bool dark = RelativeLuminance(background) < 0.2;
    for (int step = 0; step < 20 && ContrastRatio(color, background) < ratio; ++step)
        color = dark ? color.lighter(115) : color.darker(115);
    if (ContrastRatio(color, background) < ratio)
        color = dark ? Qt::white : Qt::black;
    return color;
}

QColor Faded(const QColor& color, const QColor& background, double ratio, double share)
{
    const auto mix = [&](double t) {
        return QColor::fromRgbF(float(color.redF() + (background.redF() - color.redF()) * t),
            float(color.greenF() + (background.greenF() - color.greenF()) * t),
            float(color.blueF() + (background.blueF() - color.blueF()) * t));
    };
    // Halving towards the largest share that keeps the floor, and a
    // twentieth more contrast than the floor, so that rounding to 8 bits
    // never takes it under.
    const double wanted = ratio * 1.05;
    if (ContrastRatio(mix(share), background) >= wanted)
        return mix(share);
    double readable = 0, faint = share;
    for (int i = 0; i < 20; ++i) {
        const double t = (readable + faint) / 2;
        (ContrastRatio(mix(t), background) >= wanted ? readable : faint) = t;
    }
    return mix(readable);
}

MarkSizes MarkSizes::forFont(const QFont& font)
{
    // The sizes below suit a line 14 px high (a 9 pt font on a 96 dpi
    // screen); to the half pixel, so that a dot stays round.
    const double scale = QFontMetricsF(font).height() / 14;
    const auto sized = [scale](double px) { return std::round(px * scale * 2) / 2; };
    MarkSizes sizes;
    sizes.dot = sized(4.5);
    sizes.tableDot = sized(3);
    sizes.ring = sized(4);
    sizes.band = sized(12);
    sizes.hatchSpacing = sized(6);
    sizes.arrowLength = sized(11);
    sizes.arrowHalfWidth = sized(5);
    return sizes;
}

namespace {

// Opaque: the raster engine blends each translucent line on its own, many
// times slower than it fills an opaque rectangle.
QColor gridColor(const QColor& background, const QColor& ink)
{
    return QColor::fromRgbF(0.85f * background.redF() + 0.15f * ink.redF(),
        0.85f * background.greenF() + 0.15f * ink.greenF(),
        0.85f * background.blueF() + 0.15f * ink.blueF());
}

// An exercise book's blue, as faint as the grid is on a light background,
// deep and dim on a dark one.
QColor squaresColor(const QColor& background)
{
    const QColor blue(0x3c, 0x8c, 0xdc);
    constexpr float kShare = 0.35f;
    return QColor::fromRgbF((1 - kShare) * background.redF() + kShare * blue.redF(),
        (1 - kShare) * background.greenF() + kShare * blue.greenF(),
        (1 - kShare) * background.blueF() + kShare * blue.blueF());
}

Ink inkOn(const QColor& background, const QColor& text, const QColor& curve, const QFont& font)
{
    Ink ink;
    ink.background = background;
    ink.text = StandingOut(text, background, kTextContrast);
    ink.curve = StandingOut(curve, background);
    ink.mark = StandingOut(QColor(0xd0, 0x40, 0x2b), background);
    ink.grid = gridColor(background, ink.text);
    ink.squares = squaresColor(background);
    ink.sizes = MarkSizes::forFont(font);
    return ink;
}

} // namespace

Ink Ink::forPalette(const QPalette& palette, const QFont& font)
{
    return inkOn(palette.color(QPalette::Base), palette.color(QPalette::Text),
        palette.color(QPalette::Highlight), font);
}

Ink Ink::forPaper(const QFont& font)
{
    return inkOn(Qt::white, Qt::black, QColor(0x1a, 0x5f, 0xb4), font);
}

namespace {

// Most of the colour's hue taken out: a colour already at its floor of
// contrast still looks faded.
QColor greyer(const QColor& color)
{
    return QColor::fromHslF(color.hslHueF(), color.hslSaturationF() * 0.3f, color.lightnessF());
}

} // namespace

// Greyer, and as far towards the background as 40 % of the colour would go,
// held at the floors: the curve and the marks at 3:1, the text at 4.5:1. The
// grid and the squares stay.
Ink Ink::faded() const
{
    Ink ink = *this;
    constexpr double kShare = 0.6;
    ink.text = Faded(text, background, kTextContrast, kShare);
    ink.curve = Faded(greyer(curve), background, kGraphicsContrast, kShare);
    ink.mark = Faded(greyer(mark), background, kGraphicsContrast, kShare);
    return ink;
}
