// The colours and the sizes of the marks that the plot, the number line and
// the steps share, so that "the same" mark (a filled or hollow end, an arrow,
// the hatching of an answer) is drawn alike in all of them, on screen, in a
// file and on paper. Colours keep a floor of contrast against the background
// (WCAG 2: 3:1 for graphics, 4.5:1 for text), fresh or faded.
#pragma once

#include "Contrast.h"

#include <QColor>
#include <QFont>
#include <QPalette>

inline constexpr double kGraphicsContrast = 3.0;
inline constexpr double kTextContrast = 4.5;

// The colour moved towards white on a dark background, towards black on a
// light one, until it stands out by at least `ratio`.
QColor StandingOut(QColor color, const QColor& background, double ratio = kGraphicsContrast);

// The colour moved towards the background by `share` (0 keeps it, 1 is the
// background), or only as far as keeps it at `ratio`, with a little margin.
QColor Faded(const QColor& color, const QColor& background, double ratio, double share = 1);

// The sizes of the marks, in logical pixels, from the font they are lettered
// in: a larger font draws larger dots, arrows and hatching.
struct MarkSizes {
    double dot = 4.5; // the radius of a point, and of a filled end
    double tableDot = 3; // the radius of a point of the table of values
    double ring = 4; // the radius of a hollow end
    double band = 12; // the hatching's height above the axis
    double hatchSpacing = 6;
    double arrowLength = 11, arrowHalfWidth = 5;
    static MarkSizes forFont(const QFont& font);
};

struct Ink {
    QColor background, text, curve, mark, grid;
    // The lines of squared paper: an exercise book's light blue.
    QColor squares;
    MarkSizes sizes;
    // The palette's colours, each standing out from its Base.
    static Ink forPalette(const QPalette& palette, const QFont& font);
    // Black on white whatever the desktop's theme: paper is white.
    static Ink forPaper(const QFont& font);
    // A stale picture's: visibly fainter, never under the floors.
    Ink faded() const;
};
