#include "TitleBar.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

TitleBar::TitleBar(QWidget* form)
    : QWidget(form)
{
    setObjectName("TitleBar");
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont font = form->font();
    font.setPixelSize(12);
    font.setBold(true);
    setFont(font);
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool active = window()->isActiveWindow();
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, active ? QColor(0x3E, 0x6E, 0xB4) : QColor(0x84, 0x94, 0xA8));
    gradient.setColorAt(1, active ? QColor(0xB9, 0xD1, 0xEA) : QColor(0xC8, 0xD0, 0xDA));
    painter.fillRect(rect(), gradient);
    const int iconSize = 16;
    const int margin = (height() - iconSize) / 2;
    window()->windowIcon().paint(&painter, QRect(margin, margin, iconSize, iconSize));
    painter.setPen(active ? Qt::white : QColor(0xF0, 0xF0, 0xF0));
    const QRect textRect = rect().adjusted(iconSize + 2 * margin, 0, -margin, 0);
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
        fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, textRect.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
}

bool TitleBar::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate
        || event->type() == QEvent::WindowIconChange)
        update();
    return QWidget::event(event);
}

namespace {

// The strip on top, everything else moved down below it.
int addOwnTitleBar(QWidget* form)
{
    const int height = TitleBar::kHeight;
    for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() + height);
    form->resize(form->width(), form->height() + height);
    auto* bar = new TitleBar(form);
    bar->setGeometry(0, 0, form->width(), height);
    return height;
}

} // namespace

int ApplyBorderIcons(QWidget* form, const QStringList& icons)
{
    int ownTitleBar = 0;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons.contains("biSystemMenu")) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (icons.contains("biMinimize"))
            flags |= Qt::WindowMinimizeButtonHint;
        if (icons.contains("biMaximize"))
            flags |= Qt::WindowMaximizeButtonHint;
    } else if (QGuiApplication::platformName().startsWith("wayland")) {
        ownTitleBar = addOwnTitleBar(form);
        flags = Qt::Window | Qt::FramelessWindowHint;
    }
    form->setWindowFlags(flags);
    return ownTitleBar;
}
