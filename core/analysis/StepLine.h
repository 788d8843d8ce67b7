// A line of the steps as its writer built it: runs of prose and formula, so
// that each output (the window's rich text, plain text for copies and screen
// readers, LaTeX) sets prose as prose and formulas as formulas without
// reading the text back. A formula keeps where its chain may break: before
// each relation sign (=, ≈) or ∪ outside brackets, as a Russian textbook
// breaks a long chain, but not after a short side («x₁ = 2» stays whole);
// nowhere inside a term, a bracket or a number.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Run {
    enum Kind { Prose, Formula };
    Kind kind = Prose;
    std::string text;
    // For a formula: where a line may break, the offsets of the relation
    // signs (after the space before them), ascending.
    std::vector<std::size_t> breaks;
};

struct StepLine {
    std::vector<Run> runs;

    bool empty() const { return runs.empty(); }
    // Adjacent runs of one kind are one run.
    StepLine& operator+=(const StepLine& more);
};

StepLine operator+(StepLine line, const StepLine& more);

StepLine Prose(std::string text);
StepLine Formula(std::string text);

// The pieces of a formula between its breaks: "x₁ = 2 ≈ 2,0" gives
// "x₁", "= 2", "≈ 2,0"; each piece after the first begins with its sign.
std::vector<std::string> ChainPieces(const Run& formula);

// The line as plain text: its runs one after another.
std::string PlainText(const StepLine& line);
