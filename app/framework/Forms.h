// The form: a window built from its form description (a Qt Designer .ui
// file). Besides geometry and texts, the description holds form-level
// properties (position, border style and icons, the window icon's
// drawings, font heights) and the wiring as data: each control names its
// handlers in dynamic properties, and the form finds them among its slots by
// name and calls them through TApplication::Dispatch, so no exception ever
// unwinds through Qt.
#pragma once

#include "Accessibility.h"
#include "Application.h"
#include "EventBinding.h"

#include <QPoint>
#include <QWidget>

class TForm : public QWidget, public THandlerHost, public TAccessibleControl {
    Q_OBJECT

public:
    explicit TForm(QWidget* owner);

    // Closes the form; closing the main form ends TApplication::Run.
    void Close();

    int FindHandler(const QVariant& name, const char* parameters) const override;
    bool InvokeHandler(int method, void** argv) override;
    // A form is announced as a window.
    QAccessibleInterface* CreateAccessible() override;

    // The height of the title strip the form draws itself (on Wayland), or 0.
    int TitleBarHeight() const { return m_titleBarHeight; }

protected:
    // Copy (Ctrl+C, Ctrl+Insert) that no field took: the selection of a
    // selectable label, or with the focus on a button its whole text.
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // Applies the form-level properties of the description and binds the
    // controls' events. A form's constructor calls it right after setupUi.
    void Loaded();

private:
    void applyWindowIcon();

    bool m_iconPending = false;
    int m_titleBarHeight = 0;
    QPoint m_designedPosition;
    bool m_placed = false;
};
