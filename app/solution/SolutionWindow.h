// «Решение и график»: the worked solution of the equation the main window has
// just solved, beside its graph. One instance, not modal, opened from the
// result line's menu or Ctrl+R, built on first use. It follows every Solve
// that writes the result line; after an edit or Clear it keeps the last
// solution, dimmed, under a line that asks for Solve again.
#pragma once

#include "Solution.h"
#include "SolutionView.h"

#include <QMainWindow>

class QLabel;
class QTextEdit;
class PlotWidget;

class SolutionWindow : public QMainWindow, public SolutionView {
    Q_OBJECT

public:
    explicit SolutionWindow(QWidget* owner);

    QWidget* widget() override { return this; }
    void explain(const SolvedEquation& solved) override;
    void showFailure(const std::string& reason) override;

    void showSolution(const EquationSolution& solution);
    void setStale(bool stale) override;
    bool isStale() const { return m_stale; }

    // The solution as plain text, as Ctrl+C copies it.
    QString solutionText() const;
    PlotWidget* plot() const { return m_plot; }
    QTextEdit* steps() const { return m_steps; }

    // Opens beside `main` where the screen has room, else where it is.
    void placeBeside(const QWidget* main) override;

private:
    QLabel* m_staleLine = nullptr;
    QTextEdit* m_steps = nullptr;
    PlotWidget* m_plot = nullptr;
    bool m_stale = false;
    bool m_placed = false;
};
