// The window frame a form description asks for. BorderIcons lists the title
// bar's buttons; a form without them gets none. On Wayland, Qt's own title
// bar always shows minimise, maximise and close whatever the flags say, so
// such a form draws its own strip: the window's icon and caption on the title
// bar's colours, dragged to move the window.
#pragma once

#include <QStringList>
#include <QWidget>

class TitleBar : public QWidget {
public:
    explicit TitleBar(QWidget* form);

    static constexpr int kHeight = 26;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
};

// Sets the form's window flags for the title bar buttons `icons` names
// (biSystemMenu, biMinimize, biMaximize). Returns the height of the strip the
// form now draws itself, or 0.
int ApplyBorderIcons(QWidget* form, const QStringList& icons);
