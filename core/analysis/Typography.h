// How the explanation and the plot write numbers and formulas, as a Russian
// textbook does: U+2212 for the minus sign, the decimal separator of the
// regional settings, powers of ten as ·10ⁿ with superscript digits (never
// E notation), and formulas that a line breaks only between their parts.
// The result line keeps its own notation; these are for everything around it.
#pragma once

#include <string>

// '-' written as U+2212.
std::string WithTypographicMinus(const std::string& text);

// Length in characters (code points) of a UTF-8 text.
std::size_t CharacterCount(const std::string& text);

// n in superscript digits: "⁻¹⁹", "⁵".
std::string Superscript(long n);

// `value` rounded to `digits` significant digits (half away from zero):
// "0,3333", "−2,5·10⁹", "10⁵", "−10⁻¹⁹"; integers up to six digits written
// out in full ("100000"). Zero, and a negative zero, are "0".
std::string TextbookNumber(long double value, int digits, char separator);

// The line with the spaces where it must not break made non-breaking
// (U+00A0): inside brackets, between the parts of a term, around an operator
// of a short formula, and before a relation sign whose either side is short
// («bx + c = 0», «(0; 5)», «x₁ = 2» stay whole). A line then breaks between
// words of the text, after a comma or colon, and before = or ≈ in a chain.
std::string NoBreakInsideTerms(const std::string& line);
