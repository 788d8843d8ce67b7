// TImage: a picture drawn at its own size from the top-left corner of the
// control's box, neither stretched nor centred, so a picture larger than the
// box is clipped. A picture is a recording of a drawing's painting commands
// (made at build time from its SVG), replayed as vectors: it stays sharp at
// any scale, and needs no SVG library.
#pragma once

#include "Accessibility.h"

#include <QPicture>
#include <QPixmap>
#include <QWidget>

// A drawing recorded at build time, read from a file; its bounds are its own
// size, from (0, 0). A null recording when the file holds none.
QPicture LoadDrawing(const QString& file);
// Paints the drawing scaled from its own size to `size`.
void PaintDrawing(QPainter& painter, const QPicture& drawing, const QSizeF& size);
// The drawing in a transparent square pixmap of `size` pixels.
QPixmap DrawingPixmap(const QPicture& drawing, int size);

class TImage : public QWidget, public TAccessibleControl {
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    // The size the picture is drawn at, in pixels at 96 dpi; the recording's
    // own size when not set.
    Q_PROPERTY(QSize pictureSize READ pictureSize WRITE setPictureSize)

public:
    explicit TImage(QWidget* parent = nullptr);

    QString picture() const { return m_file; }
    void setPicture(const QString& file);
    QSize pictureSize() const { return m_size; }
    void setPictureSize(const QSize& size);
    // A picture is announced as a graphic.
    QAccessibleInterface* CreateAccessible() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_file;
    QSize m_size;
    QPicture m_drawing;
};
