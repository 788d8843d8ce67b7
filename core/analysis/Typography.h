// How the explanation and the plot write numbers and formulas, as a Russian
// textbook does: U+2212 for the minus sign, the decimal separator of the
// regional settings, powers of ten as ·10ⁿ with superscript digits (never
// E notation). The result line keeps its own notation; these are for
// everything around it.
#pragma once

#include "ExactNumbers.h"

#include <string>
#include <vector>

// '-' written as U+2212.
std::string WithTypographicMinus(const std::string& text);

// The narrow no-break space (U+202F) between groups of three digits in an
// integer part of five digits and more: 10 000, 2 500 000 000.
inline constexpr const char* kDigitGroupSpace = "\u202F";
// The integer part at the start of `text` (after a minus) grouped where it
// has five digits or more: "−1234567,5" gives "−1 234 567,5".
std::string GroupedDigits(const std::string& text);

// √ before `radicand`, which is bracketed where a reader could not tell its
// end: grouped digits, a fraction, a power of ten or a sign (√(10 000 000 000),
// √(1/4)); "√5", "√0,4" as they are.
std::string SquareRoot(const std::string& radicand);

// Length in characters (code points) of a UTF-8 text, the spaces between
// groups of digits not counted: a form is as long as its digits and signs.
std::size_t CharacterCount(const std::string& text);

// n in superscript digits: "⁻¹⁹", "⁵".
std::string Superscript(long n);

// `value` rounded to `digits` significant digits (half away from zero):
// "0,3333", "−2,5·10⁹", "10⁵", "−10⁻¹⁹"; integers up to six digits written
// out in full ("100000"). Zero, and a negative zero, are "0".
std::string TextbookNumber(long double value, int digits, char separator);

// Exact values, with U+2212 for minus, the decimal separator, and powers of
// ten as ·10ⁿ where a plain decimal would be long.
std::string TypesetInteger(const BigInt& n);
std::string TypesetDecimal(const ExactDecimal& x, char separator);
// Whether TypesetDecimal writes it with a power of ten.
bool IsScientific(const ExactDecimal& x);
// "3/2", "−1/3"; a finite decimal written with a power of ten as that
// decimal: 1/10³⁸ as 10⁻³⁸.
std::string TypesetRational(const Rational& x, char separator);
// The surd with `sign` ("±", "+" or "−") before its root part.
std::string TypesetSurd(const Surd& x, const std::string& sign, char separator);
// A value to the result line's four significant digits, as a textbook
// writes it: "−0,3333", "2,5·10⁹".
std::string TypesetApproximation(long double value, char separator);

// An exact form longer than this is shown by its decimal value instead.
inline constexpr std::size_t kLongestExactForm = 40;

// `term` (a magnitude) added to a sum with its sign merged: "−5" first,
// then " − 5" or " + 5".
void AppendTerm(std::string& sum, bool negative, const std::string& term);
// "x² − 3x + 1": zero terms left out, ones omitted, signs merged.
std::string TypesetPolynomial(
    const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& c, char separator);
// A value put into a formula: bracketed where negative or with a power of ten.
std::string Substituted(const ExactDecimal& v, char separator);
// "= 3/2 = 1,5", "= 1/3 ≈ 0,3333", "= 2"; only "≈ 0,3333" where the exact
// form is long. An integer of up to six digits stands alone.
std::string WithDecimal(const std::string& exactText, const Surd& value, char separator);
std::string WithDecimal(const Rational& x, char separator);
// The four-digit decimal alone: "0,382".
std::string ShortDecimal(const Surd& x, char separator);
std::string ShortDecimal(const Rational& x, char separator);
// A value on the plot or in a sentence: its four-digit decimal, or the exact
// decimal where it has up to six significant digits (−0,28125); `rounded`
// tells where neither is exact.
std::string LabelNumber(const Surd& x, char separator, bool* rounded);
// The decimals of values that are told apart: four digits, more where two
// different values would read alike (−376 700,42 and −376 699,87).
std::vector<std::string> DistinctDecimals(const std::vector<Surd>& values, char separator);
// A mark's label: "x₁ = 2", "x₂ ≈ 0,382", "y = −0,28125".
std::string MarkLabel(const std::string& name, const Surd& x, char separator);
// x − root with a decimal root: "(x − 0,3333)", "(x + 10¹⁹)", "x".
std::string DecimalFactor(const std::string& decimal);
// x − root with the signs merged: "(x − 2)", "(x + 2)", "x",
// "(x − (3 + √5)/2)", "(x + 100 − 80√2)"; `exactText` is the root typeset.
std::string Factor(const Surd& root, const std::string& exactText, char separator);
// a before the factors: "" for 1, "−" for −1, else the value with its sign
// outside a bracket: "2", "−2", "−(2·10⁵)".
std::string LeadingFactor(const ExactDecimal& a, char separator);
// The exact value where it takes at most 12 characters, else its four-digit
// decimal (`rounded` tells): the y-intercept's label.
std::string CompactDecimal(const ExactDecimal& x, char separator, bool* rounded = nullptr);

// The intervals of an inequality's answer, as a Russian textbook writes them.

// A point on the number line: its exact form where that takes at most
// kLongestExactForm characters, else its four-digit decimal (`decimal` tells).
std::string ExactOrDecimal(const Surd& x, char separator, bool* decimal = nullptr);
// "(−∞; 1)", "[1/2; 3]", "(2; +∞)": an empty end is unbounded (and open), a
// closed end has a square bracket, and "; " stands between the ends.
std::string TypesetInterval(
    const std::string& from, bool fromClosed, const std::string& to, bool toClosed);
