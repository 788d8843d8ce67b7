// The worked solution as LaTeX, for a student who types up their work: the
// steps and the answer as one align* block that plain amsmath typesets (the
// Russian words in \text{}, so that T2A fonts with utf8 input set them). The
// formulas are taken from the lines as the explanation writes them: the
// typographic signs become their commands, a/b and (…)/(…) become \frac
// where they stand alone, √ takes its operand into \sqrt{}, and the decimal
// comma is braced so that it adds no space. The number line is written as
// the text that stands for its picture.
#pragma once

#include "Solution.h"

#include <string>

std::string SolutionAsLatex(const EquationSolution& solution);
// One line of the steps as a row of the block, without the & and \\.
std::string LatexLine(const std::string& line);
