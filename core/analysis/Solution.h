// The worked solution of a·x² + b·x + c = 0, or of the inequality
// a·x² + b·x + c ∨ 0, as data: the steps a student would write by the chosen
// method, in exact arithmetic from the coefficient texts as typed, the answer
// line, the note where the window's single-precision answer differs, one
// sentence that tells what the plot shows, and the curve to plot. No Qt: the
// window only lays it out.
#pragma once

#include "Facts.h"
#include "PlotView.h"
#include "SolutionChoice.h"
#include "Solver.h"
#include "StepLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The method of intervals' picture: the zeros of the trinomial on a number
// line, filled where they belong to the answer, hollow where not, the sign of
// the trinomial on each interval between them, and the intervals of the
// answer.
struct NumberLine {
    struct Point {
        std::string label; // the exact value: "1", "(3 − √5)/2"
        bool filled = false;
    };
    std::vector<Point> points; // ascending
    std::vector<int> signs; // points.size() + 1: +1, −1 or 0
    std::vector<bool> chosen; // points.size() + 1: the interval is in the answer
};

// A table of values of the function: x in the first row, y = f(x) under
// each, exact, as formulas.
struct ValueTable {
    std::vector<StepLine> xs, ys;
};

struct SolutionStep {
    SolutionStep() = default;
    SolutionStep(std::string heading, std::vector<StepLine> lines,
        std::optional<ValueTable> table = std::nullopt)
        : heading(std::move(heading))
        , lines(std::move(lines))
        , table(std::move(table))
    {
    }
    std::string heading; // prose
    std::vector<StepLine> lines;
    // Set after the lines where the step is the function's table of values.
    std::optional<ValueTable> table;
};

// The word every answer begins with, then a space; the window, the page and
// LaTeX set it in bold before the answer.
inline constexpr std::string_view kAnswerWord = "Ответ:";

struct EquationSolution {
    // The equation or inequality: «x² − 3x + 2 > 0», the first line of the
    // steps and the title of the page.
    StepLine statement;
    std::vector<SolutionStep> steps;
    // «x₁ = 2, x₂ = 1.» after kAnswerWord, the exact forms and nothing else.
    StepLine answer;
    // After the answer: the function y = a·x² + b·x + c as the ninth grade
    // draws it by points and reads its properties off (the construction, the
    // table of values, the properties).
    std::vector<SolutionStep> function;
    // Empty when the result line says what exact arithmetic says, or where
    // there is none (coefficients moved under the plot).
    std::string precisionNote;
    std::string description;
    // The real roots as a screen reader is told them after a coefficient
    // moves: «корни 1 и 2», «корень около 2,618», «корней нет».
    std::string rootSummary;
    PlotCurve curve;
    // For an inequality: the number line, drawn after the lines of the step
    // numberLineStep (in plain text, its line of signs: PlainText.h).
    std::optional<NumberLine> numberLine;
    std::size_t numberLineStep = 0;
    // The methods offered, in the order a school meets them, and the one the
    // steps use.
    std::vector<Method> methods;
    Method method = Method::Formula;
    Relation relation = Relation::Equal;
};

// «По формуле», «Через D₁», …, «Линейное уравнение» («Линейное неравенство»
// for another relation).
std::string MethodName(Method method, Relation relation = Relation::Equal);
// "= 0", "> 0", "≥ 0", "< 0", "≤ 0".
std::string RelationText(Relation relation);

// Explains the equation (or, with another relation, the inequality) that
// Solve has just solved, in the separator it was typed with, by `method`
// where it applies and else by the formula (the linear case by its own way).
// The school's course knows real roots only: where D < 0 the steps end at
// «корней нет»; `complexRoots` writes the complex pair, its check and its
// factors, as in grades 10–11. Reads no global: everything comes with `solved`.
EquationSolution ExplainEquation(const SolvedEquation& solved,
    std::optional<Method> method = std::nullopt, Relation relation = Relation::Equal,
    bool complexRoots = false);
// Solve, then explain: for tests, fuzzers and benchmarks. Raises Exception
// where Solve stops.
inline EquationSolution ExplainEquation(const std::string& tA, const std::string& tB,
    const std::string& tC, char separator, std::optional<Method> method = std::nullopt,
    Relation relation = Relation::Equal, bool complexRoots = false)
{
    return ExplainEquation(
        SolveForExplanation({ tA, tB, tC }, separator), method, relation, complexRoots);
}

// The result line as exact arithmetic would write it.
std::string ExactResultText(const SolvedEquation& solved);
