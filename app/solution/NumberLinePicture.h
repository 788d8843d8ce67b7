// The method of intervals' number line as a picture for the steps: the zeros
// evenly spaced along a line, closer or with their values on two rows where
// the steps are narrow, with an arrow and «x», filled or hollow, their
// values below, the sign of the trinomial above each interval and the
// intervals of the answer hatched above the line, as a student draws it. Not
// to scale: the zeros only keep their order. Drawn in the text colour of the
// ink it is given, so that the steps' palette (faded when stale, light or
// dark) carries over, with the marks' sizes the plot draws at that font.
#pragma once

#include "Ink.h"
#include "Solution.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

inline constexpr double kNoLimit = 1e9;

// The picture at `ratio` device pixels per logical pixel, at most `maxWidth`
// logical pixels wide where its labels allow; its logical size is
// image.deviceIndependentSize().
QImage DrawNumberLine(const NumberLine& numberLine, const QFont& font, const Ink& ink, qreal ratio,
    double maxWidth = kNoLimit);
// The same as lines and text, with its top left at the painter's origin (on
// paper, where its labels stay text), and its size.
void PaintNumberLine(QPainter& painter, const NumberLine& numberLine, const QFont& font,
    const Ink& ink, double maxWidth = kNoLimit);
QSizeF NumberLineSize(const NumberLine& numberLine, const QFont& font, double maxWidth = kNoLimit);
