// The section after the answer: the function y = a·x² + b·x + c as the ninth
// grade draws it and reads it off: the construction (branches, vertex, axis,
// the points on the axes), a table of values symmetric about the axis, and
// the properties of the function, numbered as a textbook lists them. The
// straight line of a = 0 is written the same way in short.
#pragma once

#include "Facts.h"
#include "Solution.h"

#include <vector>

// The steps of the section; the table's points go to `curve.table`, to be
// drawn as dots on the curve.
std::vector<SolutionStep> WriteFunctionSection(const EquationFacts& facts, PlotCurve& curve);
