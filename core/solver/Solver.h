// The equation solver: turns the three coefficient texts of the window into
// the text of its result line. It needs no window, so tests, benchmarks and
// fuzzers link it on its own.
#pragma once

#include <array>
#include <string>

enum class TSolveKind { MissingValues, Evaluated };

// What a Solve that wrote the result line produced, handed as a whole to the
// code that explains it (the solution window, a module with copies of its
// own of every global here): the texts, the separator they were typed with,
// the coefficients as stored, and the result line (empty for coefficients
// that no Solve has shown an answer for: moved under the plot).
struct SolvedEquation {
    std::array<std::string, 3> texts;
    char separator = '.';
    std::array<float, 3> single {};
    std::string resultLine;
};

struct TSolveOutcome {
    TSolveKind kind = TSolveKind::Evaluated;
    int firstEmpty = 0; // MissingValues: the first empty field, 1 (a), 2 (b) or 3 (c)
    bool hasResult = false; // Evaluated: whether resultText is to be shown
    std::string resultText;
    // Evaluated: what was solved, resultText included, for the window that
    // explains it.
    SolvedEquation solved;
};

// Solves a·x² + b·x + c = 0 for the texts of a, b and c. An empty text gives
// MissingValues before anything is converted; a text that is no number, or
// whose value lies beyond the single-precision range, raises Exception.
TSolveOutcome SolveQuadratic(const std::string& tA, const std::string& tB, const std::string& tC);

// How every root is written: four significant digits, general format.
std::string FormatRoot(long double value);
std::string FormatRoot(long double value, char separator);

// Solve's conversion and result line for these texts, with this separator.
// Raises Exception where Solve stops: an empty text (with the message of the
// empty-field box), a text that is no number or out of range.
SolvedEquation SolveForExplanation(const std::array<std::string, 3>& texts, char separator);
// Solve's conversion alone, without the result line, for coefficients that
// are explained but not solved in the main window.
SolvedEquation ReadEquation(const std::array<std::string, 3>& texts, char separator);

// The result line's wording, written here only: the equation's kind and its
// roots, x1 the root of +√D, already as they are to be shown.
enum class TResultKind { NoRoots, Infinitely, OneRoot, TwoRoots };
std::string WriteResultLine(TResultKind kind, long double x1, long double x2, char separator);
