// The worked solution as LaTeX, for a student who types up their work: the
// steps and the answer as ragged-right paragraphs that a plain article with
// T2A fonts and utf8 input typesets, the prose as text (so that it wraps),
// each formula in math mode. A formula is written from its text: the
// typographic signs become their commands, a/b and (…)/(…) become \frac
// where they stand alone (the brackets round them \left…\right), √ takes its
// operand into \sqrt{}, and the decimal comma is braced so that it adds no
// space; a long chain breaks at a relation, which the next line repeats
// (\hm, defined where it is not). The number line is written as its line of
// signs.
#pragma once

#include "Solution.h"

#include <string>

std::string SolutionAsLatex(const EquationSolution& solution);
// One line of the steps: its prose as text, its formulas between $.
std::string LatexLine(const StepLine& line);
