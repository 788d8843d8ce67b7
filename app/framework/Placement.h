// Where a form opens: at the position its description gives, where the
// window manager allows, and kept inside the screen's available area. A
// window manager places the frame, whose size is known only once it is
// mapped, so the position is checked then. Wayland places windows itself.
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
