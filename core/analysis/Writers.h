// The writers that turn the facts of an equation into what the window shows;
// each reads the facts only. Internal to the analysis: ExplainEquation
// (Solution.h) puts their parts together.
#pragma once

#include "Facts.h"
#include "Solution.h"

#include <string>
#include <vector>

// MethodSteps.cpp: the steps by one method (after the step that states the
// equation) up to the roots, their check and the factors, and the answer line
// of the equation. Where D < 0 the steps end at
// «корней нет» unless `complexRoots`.
std::vector<SolutionStep> WriteMethodSteps(
    const EquationFacts& facts, Method method, bool complexRoots);
StepLine WriteEquationAnswer(const EquationFacts& facts, bool complexRoots);
// The vertex's abscissa with the values put in, up to `x0` as written:
// "x₀ = −b/(2a) = 4/4 = 1".
std::string VertexXFormula(const EquationFacts& facts, const std::string& x0);
// a·x² + b·x + c with `value` put in for x: "(3/2)² − 3·(3/2) + 2".
std::string TrinomialAt(const Coefficients& k, const std::string& value);
// The methods that apply, always in the order a school meets them.
std::vector<Method> OfferedMethods(const EquationFacts& facts);

// Inequality.cpp: for a relation other than =, the method of intervals after
// the roots (steps appended), the answer line, the solution set on the curve
// and its sentence in the description.
void WriteInequality(const EquationFacts& facts, Relation relation, EquationSolution& out);
// The zeros ascending as the steps of the intervals write them; `rounded`
// tells where decimals stand for long exact forms.
std::vector<std::string> WriteZeroTexts(const EquationFacts& facts, bool* rounded = nullptr);

// SolutionSummary.cpp: the curve with its marks, the sentence that describes
// the plot, the roots in a few words, and the result line as exact
// arithmetic would write it.
PlotCurve WriteCurve(const EquationFacts& facts);
std::string WriteDescription(const EquationFacts& facts);
std::string WriteRootSummary(const EquationFacts& facts);
std::string WriteExactResultLine(const EquationFacts& facts);
