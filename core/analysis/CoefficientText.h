// A coefficient moved under the plot, as a text: the one the explanation
// reads (StrToFloat's grammar, so that the steps and Solve read it alike),
// the one its box shows (as the steps write numbers: 1,5, −3, 2,5·10⁹,
// 10¹⁹), and the value of what is typed into the box, which may be either of
// these or a mixture («1e19», «1,5·10⁻³», «−0.5»). No Boost and no Qt here:
// the window includes this header alone.
#pragma once

#include <optional>
#include <string>

// `value` to 15 significant digits, which leaves out the rounding errors of
// a slider's whole steps (0.30000000000000004 is 0.3): the separator for the
// decimal point, an ASCII minus, e and the exponent where a plain decimal
// would be long ("1e19", "2,5e-7").
std::string CoefficientText(double value, char separator);

// The same value as a textbook writes it, as the steps do: U+2212 for the
// minus sign, digits grouped, powers of ten as ·10ⁿ.
std::string TextbookCoefficient(double value, char separator);

// The value of a typed coefficient: either decimal separator, either minus,
// blanks anywhere, an exponent as e or as ·10ⁿ (× and * also, the power in
// superscript or after ^), or a power of ten alone (10¹⁹). Nothing for a text
// that is no number or lies beyond single precision, where Solve stops.
std::optional<double> ReadCoefficient(const std::string& text, char separator);
