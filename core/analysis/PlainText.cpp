#include "PlainText.h"

#include "Typography.h"

namespace {

const char* signText(int sign) { return sign > 0 ? "+" : sign < 0 ? "−" : "0"; }

} // namespace

StepLine NumberLineSigns(const NumberLine& line)
{
    const std::vector<NumberLine::Point>& points = line.points;
    StepLine out = Prose("Знаки:");
    for (std::size_t i = 0; i < line.signs.size(); ++i) {
        const std::string interval = TypesetInterval(i > 0 ? points[i - 1].label : "", false,
            i < points.size() ? points[i].label : "", false);
        out += Prose(i > 0 ? ", " : " ") + Formula(signText(line.signs[i])) + Prose(" на ")
            + Formula(interval);
    }
    return out;
}

std::string AnswerText(const EquationSolution& solution)
{
    return std::string(kAnswerWord) + " " + PlainText(solution.answer);
}

std::string TablePlainText(const ValueTable& table)
{
    std::string text;
    for (std::size_t i = 0; i < table.xs.size(); ++i) {
        const std::string y = PlainText(table.ys[i]);
        text += "x = " + PlainText(table.xs[i]) + "; y" + (y.starts_with("≈") ? " " : " = ") + y
            + "\n";
    }
    return text;
}

std::string SolutionPlainText(const EquationSolution& solution)
{
    std::string text;
    const auto write = [&text](const SolutionStep& step) {
        text += step.heading + "\n";
        for (const StepLine& line : step.lines)
            text += PlainText(line) + "\n";
        if (step.table)
            text += TablePlainText(*step.table);
    };
    for (std::size_t i = 0; i < solution.steps.size(); ++i) {
        write(solution.steps[i]);
        if (solution.numberLine && i == solution.numberLineStep)
            text += PlainText(NumberLineSigns(*solution.numberLine)) + "\n";
    }
    if (!solution.answer.empty())
        text += AnswerText(solution) + "\n";
    for (const SolutionStep& step : solution.function)
        write(step);
    if (!solution.precisionNote.empty())
        text += std::string(kPrecisionHeading) + "\n" + solution.precisionNote + "\n";
    if (!text.empty())
        text.pop_back();
    return text;
}
