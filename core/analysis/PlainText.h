// The solution as plain text, for copies and for screen readers: the steps
// line by line, the number line as its line of signs, the answer after its
// word. No picture stand-in, no joiners: only what a reader would write.
#pragma once

#include "Solution.h"

#include <string>

// «Знаки: + на (−∞; 1), − на (1; 2), + на (2; +∞)»: what the number line
// says, as a line (the page sets it above the picture).
StepLine NumberLineSigns(const NumberLine& line);

// «Ответ: x₁ = 2, x₂ = 1.»
std::string AnswerText(const EquationSolution& solution);

// A table of values point by point, as a screen reader reads it best: one
// line «x = 0; y = 2» for each, each line ending with "\n".
std::string TablePlainText(const ValueTable& table);

// Each heading on its own line with its lines under it, the line of signs
// after the step that draws the number line, the answer, the function's
// section with its table point by point, and the note on single precision
// under its heading; lines end with "\n" but the last.
std::string SolutionPlainText(const EquationSolution& solution);

// The heading of the note on single precision, as every output writes it.
inline constexpr const char* kPrecisionHeading = "Одинарная точность";
