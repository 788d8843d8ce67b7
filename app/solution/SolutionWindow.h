// «Решение и график»: the worked solution of the equation the main window has
// just solved, beside its graph. One instance, not modal, opened from the
// result line's menu or Ctrl+R, built on first use. It follows every Solve
// that writes the result line; after an edit or Clear it keeps the last
// solution, dimmed, under a line that asks for Solve again. Two selectors
// above the steps choose the method the steps follow and the sign that makes
// the equation an inequality; either explains the last solved equation anew
// at once, and both carry over to the next Solve. The method picked stays
// the preferred one, in later sessions too (SolutionChoices): an equation it
// does not apply to is solved by the formula, the next one it applies to by
// it again. The menu «Решение» turns on complex roots where D < 0, the menu
// «График» the graph's labels and squared paper, all kept between sessions.
// Under the plot, a, b and c can be moved (CoefficientSliders): the window
// then explains the equation they make, says above the steps that it is not
// the main window's, and «Вернуть» or the next Solve goes back.
#pragma once

#include "PlotWidget.h"
#include "SolutionChoice.h"
#include "SolutionChoices.h"
#include "SolutionView.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CoefficientSliders;
struct EquationSolution;
class QBoxLayout;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPrintPreviewDialog;
class QPrinter;
class QSplitter;
class QTextEdit;
class QTimer;

// Where the window's frame goes so that it covers nothing of the main
// window's frame `main` on the screen's free area `room`: beside it where a
// side holds the side-by-side `minimum` (the wider side), else below it; else
// in a column beside it, the steps above the plot (`stacked` minimum); else in
// the largest free band, smaller than it would like. At most `wanted`, as
// near the main window as the band allows. An empty frame: no free band.
struct SolutionPlacement {
    QRect frame;
    bool stacked = false;
};
SolutionPlacement PlaceSolution(
    const QRect& room, const QRect& main, QSize wanted, QSize minimum, QSize stackedMinimum);

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
    QSplitter* splitter() const { return m_splitter; }
    QComboBox* methodBox() const { return m_methodBox; }
    QComboBox* relationBox() const { return m_relationBox; }
    CoefficientSliders* sliders() const { return m_sliders; }
    // The sliders' equation is explained, not the one solved.
    bool isExploring() const { return m_explored.has_value(); }
    // Back to the coefficients last solved, as «Вернуть» does.
    void returnToSolved();
    // What was last announced to screen readers (from Qt 6.8 on).
    const QString& lastAnnouncement() const { return m_announced; }

    // The solution on paper and in LaTeX, from the menu «Решение»: the
    // equation last solved, by the method and sign chosen. Each does nothing
    // while there is no solution.
    QString solutionLatex() const;
    void copyAsLatex();
    bool saveAsPdf(const QString& fileName);
    void saveAsPdfChosen();
    void print();
    void previewPrint();
    // Where to save the PDF (empty: cancelled; the dialog proposes
    // `proposed`), the print dialog (false: cancelled), the print preview
    // and a failure's message box; replaceable so that tests never meet a
    // dialog.
    static std::function<QString(QWidget*, const QString& proposed)> choosePdfFileName;
    static std::function<bool(QPrinter*, QWidget*)> confirmPrint;
    static std::function<void(QPrintPreviewDialog*)> showPrintPreview;
    static std::function<void(QWidget*, const QString&)> reportPaperFailure;

    // Opens where PlaceSolution says, once; on Wayland where the compositor puts it.
    void placeBeside(const QWidget* main) override;
    // The same on a screen whose free area is `room`, beside the main
    // window's frame `main`; `frame` is what the window manager adds around.
    void placeWithin(const QRect& room, const QRect& main, QSize frame);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // `moving`: a coefficient moves, and the function's section follows when
    // the moves pause.
    void present(const EquationSolution& solution, PlotWidget::View view = PlotWidget::View::Refit,
        bool moving = false);
    void showSteps(bool keepScroll, bool function);
    EquationSolution explanation(const SolvedEquation& solved) const;
    void methodPicked();
    void relationChanged();
    void showComplexRoots(bool shown);
    void explainAgain();
    void drawNumberLine(bool relayout = true);
    void fitSelectors();
    void setNarrow(bool narrow);
    void dimSteps();
    void announce(const QString& message);
    void addPaperMenu();
    void addPlotMenu();
    // The graph's options as the menu «График» has them.
    PlotOptions plotOptions() const;
    void explore();
    void showHeading();
    void showUnexplained(const std::string& reason);
    // Stale steps and plot are faded, unless moved coefficients are explored.
    bool isFaded() const { return m_stale && !m_explored; }

    QLabel* m_staleLine = nullptr;
    QComboBox* m_methodBox = nullptr;
    QComboBox* m_relationBox = nullptr;
    QWidget* m_selectors = nullptr;
    QBoxLayout* m_selectorRow = nullptr;
    std::vector<QHBoxLayout*> m_selectorGroups;
    QTextEdit* m_steps = nullptr;
    PlotWidget* m_plot = nullptr;
    QSplitter* m_splitter = nullptr;
    QString m_announced;
    QWidget* m_exploreLine = nullptr;
    CoefficientSliders* m_sliders = nullptr;
    // A burst of moves explains only the last values.
    QTimer* m_exploreSoon = nullptr;
    QTimer* m_functionSoon = nullptr; // the function's section after a pause in the moves
    // What the selectors re-explain; none after a failure.
    std::optional<SolvedEquation> m_solved;
    // The equation of the moved coefficients, while they differ from m_solved.
    std::optional<SolvedEquation> m_explored;
    // The method last picked, not the one shown (a method that does not
    // apply falls back to the formula without changing it), and whether
    // complex roots are shown.
    SolutionChoices m_choices;
    Relation m_relation = Relation::Equal;
    // What the steps and the plot show (the explored equation while the
    // coefficients are moved), for paper and LaTeX; none after a failure.
    std::shared_ptr<const EquationSolution> m_shown;
    bool m_stale = false;
    bool m_placed = false;
    int m_longestMethod = 0;
};
