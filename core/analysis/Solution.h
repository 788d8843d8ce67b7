// The worked solution of a·x² + b·x + c = 0 as data: the steps a student
// would write, in exact arithmetic from the coefficient texts as typed, the
// note where the window's single-precision answer differs, one sentence that
// tells what the plot shows, and the curve to plot. No Qt: the window only
// lays it out.
#pragma once

#include "PlotView.h"

#include <string>
#include <vector>

struct SolutionStep {
    std::string heading;
    std::vector<std::string> lines;
};

struct EquationSolution {
    std::vector<SolutionStep> steps;
    // Empty when the result line says what exact arithmetic says.
    std::string precisionNote;
    std::string description;
    PlotCurve curve;
};

// Explains the equation whose coefficient texts the window has just solved.
// Raises Exception for a text that is no number or out of range, as
// SolveQuadratic does, and for an empty one.
EquationSolution ExplainEquation(
    const std::string& tA, const std::string& tB, const std::string& tC);

// The result line as exact arithmetic would write it.
std::string ExactResultText(const std::string& tA, const std::string& tB, const std::string& tC);
