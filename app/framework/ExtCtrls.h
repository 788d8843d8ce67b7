// TImage: a picture drawn at its own size from the top-left corner of the
// control's box, neither stretched nor centred, so a picture larger than the
// box is clipped. Pictures are SVG, so they stay sharp at any scale.
#pragma once

#include "Accessibility.h"

#include <QSvgRenderer>
#include <QWidget>

class TImage : public QWidget, public TAccessibleControl {
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    // The picture's own size in pixels at 96 dpi.
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
    QSvgRenderer m_renderer;
};
