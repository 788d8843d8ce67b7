// Ties «Решение и график» to the main form: an action «Решение и график…»
// (Ctrl+R) on the result line, enabled from the first Solve that writes it.
// Until the window is first opened a Solve only keeps the three texts; the
// window's module is loaded then, and from then on every Solve that writes
// the result line updates it and every edit dims it.
#pragma once

#include "SolutionView.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <string>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;

class SolutionLink : public QObject {
    Q_OBJECT

public:
    SolutionLink(QWidget* form, QLabel* resultLine, QAbstractButton* solve,
        const std::array<QLineEdit*, 3>& fields);

    QAction* openAction() const { return m_open; }
    // The window, once opened; null before.
    SolutionView* window() const { return m_window ? m_view : nullptr; }
    void open();

    // Makes the window: by default through the module, found beside the
    // program or in its library folder. Tests that link the window set it.
    static inline CreateSolutionViewFunction create = nullptr;

private:
    void solved();
    void edited();
    void explain();
    static CreateSolutionViewFunction loadModule();

    QWidget* m_form;
    QLabel* m_resultLine;
    std::array<QLineEdit*, 3> m_fields;
    QAction* m_open;
    QPointer<QWidget> m_window;
    SolutionView* m_view = nullptr;
    std::array<std::string, 3> m_texts; // of the last Solve that wrote the result line
    bool m_stale = false;
};
