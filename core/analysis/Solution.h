// The worked solution of a·x² + b·x + c = 0 as data: the steps a student
// would write, in exact arithmetic from the coefficient texts as typed, the
// note where the window's single-precision answer differs, one sentence that
// tells what the plot shows, and the curve to plot. No Qt: the window only
// lays it out.
#pragma once

#include "PlotView.h"
#include "Solver.h"

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

// Explains the equation that Solve has just solved, in the separator it was
// typed with. Reads no global: everything comes with `solved`.
EquationSolution ExplainEquation(const SolvedEquation& solved);
// Solve, then explain: for tests, fuzzers and benchmarks. Raises Exception
// where Solve stops.
inline EquationSolution ExplainEquation(
    const std::string& tA, const std::string& tB, const std::string& tC, char separator)
{
    return ExplainEquation(SolveForExplanation({ tA, tB, tC }, separator));
}

// The result line as exact arithmetic would write it.
std::string ExactResultText(const SolvedEquation& solved);
