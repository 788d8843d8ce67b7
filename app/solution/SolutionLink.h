// Ties «Решение и график» to the main form: an action «Решение и график…»
// (Ctrl+R) on the result line, enabled from the first Solve that writes it.
// The form hands over what that Solve solved (texts, coefficients, result
// line); until the window is first opened the link only keeps it. The
// window's module is loaded then, and from then on every Solve that writes
// the result line updates it and every edit dims it.
#pragma once

#include "SolutionView.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QLineEdit;

class SolutionLink : public QObject {
    Q_OBJECT

public:
    SolutionLink(QWidget* form, QLabel* resultLine, const std::array<QLineEdit*, 3>& fields);

    // A Solve has written the result line for `equation`.
    void solved(const SolvedEquation& equation);

    QAction* openAction() const { return m_open; }
    // The window, once opened; null before.
    SolutionView* window() const { return m_window ? m_view : nullptr; }
    void open();

    // Makes the window: by default through the module, found beside the
    // program or in its library folder. Tests that link the window set it.
    static inline CreateSolutionViewFunction create = nullptr;

private:
    void edited();
    void explain();
    static CreateSolutionViewFunction loadModule();

    QWidget* m_form;
    QAction* m_open;
    QPointer<QWidget> m_window;
    SolutionView* m_view = nullptr;
    SolvedEquation m_solved; // by the last Solve that wrote the result line
    bool m_stale = false;
};
