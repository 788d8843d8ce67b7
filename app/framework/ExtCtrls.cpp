#include "ExtCtrls.h"

#include <QAccessibleWidget>
#include <QPainter>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QString& file)
{
    m_file = file;
    m_renderer.load(file);
    update();
}

void TImage::setPictureSize(const QSize& size)
{
    m_size = size;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (!m_renderer.isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize size = m_size.isValid() ? m_size : m_renderer.defaultSize();
    m_renderer.render(&painter, QRectF(QPointF(0, 0), size));
}

QAccessibleInterface* TImage::CreateAccessible()
{
    return new QAccessibleWidget(this, QAccessible::Graphic);
}
