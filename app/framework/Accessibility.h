// How the form and its controls meet screen readers beyond Qt's defaults. A
// class that implements TAccessibleControl supplies its own accessible
// interface (a form is a window, a picture a graphic, the result line a text
// that announces its changes); the one factory installed at start-up asks it.
#pragma once

class QAccessibleInterface;
class QLabel;

class TAccessibleControl {
public:
    // Null leaves the control to Qt.
    virtual QAccessibleInterface* CreateAccessible() = 0;

protected:
    ~TAccessibleControl() = default;
};

void InstallAccessibility();

// A label whose text a screen reader can read as text, so that a change
// reaches it as a text-changed event although the label never takes the
// focus.
QAccessibleInterface* CreateLiveLabelAccessible(QLabel* label);
