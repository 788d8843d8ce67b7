#include "ExtCtrls.h"

#include <QAccessibleWidget>
#include <QPainter>

QPicture LoadDrawing(const QString& file)
{
    QPicture drawing;
    if (!drawing.load(file) || drawing.boundingRect().isEmpty())
        return QPicture();
    return drawing;
}

void PaintDrawing(QPainter& painter, const QPicture& drawing, const QSizeF& size)
{
    const QSize own = drawing.boundingRect().size();
    if (own.isEmpty())
        return;
    painter.save();
    if (size != QSizeF(own))
        painter.scale(size.width() / own.width(), size.height() / own.height());
    painter.drawPicture(0, 0, drawing);
    painter.restore();
}

QPixmap DrawingPixmap(const QPicture& drawing, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintDrawing(painter, drawing, QSizeF(size, size));
    return pixmap;
}

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
}

void TImage::setPicture(const QString& file)
{
    m_file = file;
    m_drawing = LoadDrawing(file);
    update();
}

void TImage::setPictureSize(const QSize& size)
{
    m_size = size;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    // The recording carries its own render hints (antialiasing).
    QPainter painter(this);
    PaintDrawing(painter, m_drawing, m_size.isValid() ? m_size : m_drawing.boundingRect().size());
}

QAccessibleInterface* TImage::CreateAccessible()
{
    return new QAccessibleWidget(this, QAccessible::Graphic);
}
