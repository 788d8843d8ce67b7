// What the main window knows of «Решение и график»: the window lives in a
// module of its own (libquadratic-solution), loaded on first use, so that
// the main window loads none of its code, Boost's included, before then.
#pragma once

#include <QtGlobal>

#include <array>
#include <string>

class QWidget;

class SolutionView {
public:
    virtual ~SolutionView() = default;

    // The top-level window; its owner (the main form) deletes it.
    virtual QWidget* widget() = 0;
    // Explains and draws the equation of these coefficient texts, which
    // Solve has just converted.
    virtual void explain(const std::array<std::string, 3>& texts) = 0;
    virtual void setStale(bool stale) = 0;
    // Opens beside `main` where the screen has room.
    virtual void placeBeside(const QWidget* main) = 0;
};

// The module's one entry point, looked up by this name; the main program
// only takes its type.
extern "C" Q_DECL_EXPORT SolutionView* CreateSolutionView(QWidget* owner);
using CreateSolutionViewFunction = decltype(&CreateSolutionView);
inline constexpr const char* kCreateSolutionView = "CreateSolutionView";
