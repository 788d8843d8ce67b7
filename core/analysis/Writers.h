// The writers that turn the facts of an equation into what the window shows;
// each reads the facts only. Internal to the analysis: ExplainEquation
// (Solution.h) puts their parts together.
#pragma once

#include "Facts.h"
#include "Solution.h"

#include <string>
#include <vector>

// MethodSteps.cpp: the steps by one method (after the step that states the
// equation) up to the roots, their check and the factors, the answer line of
// the equation, and the step about the graph. Where D < 0 the steps end at
// «корней нет» unless `complexRoots`.
std::vector<SolutionStep> WriteMethodSteps(
    const EquationFacts& facts, Method method, bool complexRoots);
StepLine WriteEquationAnswer(const EquationFacts& facts, bool complexRoots);
// The last step: the parabola (vertex, axis, branches, intercept) or the line.
SolutionStep WriteGraphStep(const EquationFacts& facts);
// The methods that apply, always in the order a school meets them.
std::vector<Method> OfferedMethods(const EquationFacts& facts);

// Inequality.cpp: for a relation other than =, the method of intervals after
// the roots (steps appended), the answer line, the solution set on the curve
// and its sentence in the description.
void WriteInequality(const EquationFacts& facts, Relation relation, EquationSolution& out);

// SolutionSummary.cpp: the curve with its marks, the sentence that describes
// the plot, the roots in a few words, and the result line as exact
// arithmetic would write it.
PlotCurve WriteCurve(const EquationFacts& facts);
std::string WriteDescription(const EquationFacts& facts);
std::string WriteRootSummary(const EquationFacts& facts);
std::string WriteExactResultLine(const EquationFacts& facts);
