// «Решение и график»: the worked solution of the equation the main window has
// just solved, beside its graph. One instance, not modal, opened from the
// result line's menu or Ctrl+R, built on first use. It follows every Solve
// that writes the result line; after an edit or Clear it keeps the last
// solution, dimmed, under a line that asks for Solve again.
#pragma once

#include "Solution.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QTextEdit;
class PlotWidget;

class SolutionWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SolutionWindow(QWidget* owner);

    void showSolution(const EquationSolution& solution);
    void setStale(bool stale);
    bool isStale() const { return m_stale; }

    // The solution as plain text, as Ctrl+C copies it.
    QString solutionText() const;
    PlotWidget* plot() const { return m_plot; }
    QTextEdit* steps() const { return m_steps; }

    // Opens beside `main` where the screen has room, else where it is.
    void placeBeside(const QWidget* main);

private:
    QLabel* m_staleLine = nullptr;
    QTextEdit* m_steps = nullptr;
    PlotWidget* m_plot = nullptr;
    bool m_stale = false;
    bool m_placed = false;
};

// Ties the window to the main form: an action «Решение и график…» (Ctrl+R)
// on the result line, enabled from the first Solve that writes it; Solve
// clicks and field edits keep the window up to date.
class SolutionLink : public QObject {
    Q_OBJECT

public:
    SolutionLink(QWidget* form, QLabel* resultLine, QAbstractButton* solve,
        const std::array<QLineEdit*, 3>& fields);

    QAction* openAction() const { return m_open; }
    SolutionWindow* window() const { return m_window; }
    void open();

private:
    void solved();
    void edited();
    void explain();

    QWidget* m_form;
    QLabel* m_resultLine;
    std::array<QLineEdit*, 3> m_fields;
    QAction* m_open;
    QPointer<SolutionWindow> m_window;
    std::array<std::string, 3> m_texts; // of the last Solve that wrote the result line
    bool m_stale = false;
};
