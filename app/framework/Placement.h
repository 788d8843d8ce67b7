// Where a form opens: at the position its description gives, where the
// window manager allows, and kept inside the screen's available area as it
// is shown. Wayland places windows itself. (A second check once the window
// manager has framed the window does not help: Qt still holds the position
// it asked for, so the correction works from stale numbers; under openbox it
// moved the frame by 2 of the 21 pixels it reached beyond the screen.)
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window of outer size `frame` that asks for `wanted` opens within the
// screen's `available` area: where it asked, moved just enough to lie inside
// when it fits, and at the area's top-left corner when it does not.
QPoint PlaceInside(const QRect& available, const QSize& frame, const QPoint& wanted);

// Moves a shown window whose frame reaches beyond its screen back inside.
void KeepOnScreen(QWidget* window, const QPoint& wanted);
