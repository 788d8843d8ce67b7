// A line of the steps as its writer built it: runs of prose and formula, so
// that each output (the window's rich text, plain text for copies and screen
// readers, LaTeX) sets prose as prose and formulas as formulas without
// reading the text back. A formula's chain may break (ChainPieces): before
// each relation sign (=, ≈) or ∪ outside brackets, as a Russian textbook
// breaks a long chain, but not after a short side («x₁ = 2» stays whole);
// nowhere inside a term, a bracket or a number.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct Run {
    enum Kind { Prose, Formula };
    Kind kind = Prose;
    std::string text;
};

struct StepLine {
    std::vector<Run> runs;

    bool empty() const { return runs.empty(); }
    // Adjacent runs of one kind are one run.
    StepLine& operator+=(const StepLine& more) { return *this += StepLine(more); }
    StepLine& operator+=(StepLine&& more);
};

inline StepLine operator+(StepLine line, StepLine&& more) { return line += std::move(more); }
inline StepLine operator+(StepLine line, const StepLine& more) { return line += more; }

StepLine Prose(std::string text);
StepLine Formula(std::string text);

// The pieces of a formula between the places where its chain may break:
// "x₁ = (3 + √5)/2 ≈ 2,618" gives "x₁ = (3 + √5)/2" and "≈ 2,618"; each
// piece after the first begins with its sign. Worked out by the writers
// that lay a line out, not while the steps are written.
std::vector<std::string> ChainPieces(const Run& formula);

// The line as plain text: its runs one after another.
std::string PlainText(const StepLine& line);
