// What the main window knows of «Решение и график»: the window lives in a
// module of its own (libquadratic-solution), loaded on first use, so that
// the main window loads none of its code, Boost's included, before then.
#pragma once

#include "Solver.h"

#include <QtGlobal>

#include <string>

class QWidget;

class SolutionView {
public:
    virtual ~SolutionView() = default;

    // The top-level window; its owner (the main form) deletes it.
    virtual QWidget* widget() = 0;
    // Explains and draws what Solve has just produced. Never throws: an
    // explanation that fails says so in the window, with the reason.
    virtual void explain(const SolvedEquation& solved) = 0;
    // Shows that there is no explanation, and why, in place of the last one.
    virtual void showFailure(const std::string& reason) = 0;
    virtual void setStale(bool stale) = 0;
    // Places the window, on first opening, where it leaves `main`'s result
    // line and buttons in view: beside it, else below it, else in a column.
    virtual void placeBeside(const QWidget* main) = 0;
};

// The module's one entry point, looked up by this name; the main program
// only takes its type.
extern "C" Q_DECL_EXPORT SolutionView* CreateSolutionView(QWidget* owner);
using CreateSolutionViewFunction = decltype(&CreateSolutionView);
inline constexpr const char* kCreateSolutionView = "CreateSolutionView";
