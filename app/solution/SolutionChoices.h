// What «Решение и график» keeps between sessions: the method the user last
// picked in «Способ решения», whether complex roots are shown, and how the
// graph is drawn (the menu «График»: labels, squared paper). Kept in
// the user's configuration under the program's app id
// (~/.config/org.kvadratnoe.Quadratic.conf on Linux); the main window keeps
// nothing there.
#pragma once

#include "SolutionChoice.h"

#include <optional>

struct SolutionChoices {
    // None until the user picks a method: the formula is shown.
    std::optional<Method> method;
    bool complexRoots = false;
    // «Подписи»: the marks' labels and the table's points on the graph.
    bool plotLabels = true;
    // «В клетку»: the graph on squared paper.
    bool squaredPaper = false;
};

// A method stored under a name this version does not know is no choice.
SolutionChoices LoadSolutionChoices();
// A choice at its default is not stored: saving {} leaves a first session's.
void SaveSolutionChoices(const SolutionChoices& choices);
