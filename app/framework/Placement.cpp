#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint PlaceInside(const QRect& available, const QSize& frame, const QPoint& wanted)
{
    if (frame.width() > available.width() || frame.height() > available.height())
        return available.topLeft();
    return { std::clamp(wanted.x(), available.left(),
                 available.left() + available.width() - frame.width()),
        std::clamp(
            wanted.y(), available.top(), available.top() + available.height() - frame.height()) };
}

void KeepOnScreen(QWidget* window, const QPoint& wanted)
{
    if (QGuiApplication::platformName().startsWith("wayland") || !window->screen())
        return;
    const QRect frame = window->frameGeometry();
    const QPoint target = PlaceInside(window->screen()->availableGeometry(), frame.size(), wanted);
    if (target != frame.topLeft())
        window->move(target);
}
