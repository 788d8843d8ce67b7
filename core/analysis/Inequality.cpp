#include "Inequality.h"

#include "Typography.h"
#include "Writers.h"

#include <limits>

namespace {

// Whether a value of this sign satisfies `relation` 0.
bool holds(int sign, Relation relation)
{
    switch (relation) {
    case Relation::Greater:
        return sign > 0;
    case Relation::GreaterOrEqual:
        return sign >= 0;
    case Relation::Less:
        return sign < 0;
    case Relation::LessOrEqual:
        return sign <= 0;
    case Relation::Equal:
        break;
    }
    return sign == 0;
}

// The sign alone: ">", "≥", "<", "≤"; flipped, the one a negative divisor gives.
std::string relationSign(Relation relation, bool flipped = false)
{
    const std::string text = RelationText(relation);
    const std::string sign = text.substr(0, text.size() - 2);
    if (!flipped)
        return sign;
    switch (relation) {
    case Relation::Greater:
        return "<";
    case Relation::GreaterOrEqual:
        return "≤";
    case Relation::Less:
        return ">";
    case Relation::LessOrEqual:
        return "≥";
    case Relation::Equal:
        break;
    }
    return sign;
}

const char* signText(int sign) { return sign > 0 ? "+" : sign < 0 ? "−" : "0"; }

// The answer's shapes that a textbook writes without intervals.
enum class Shape { Nothing, Everything, Point, AllButPoint, Intervals };

Shape shapeOf(const SolutionSet& set)
{
    const std::vector<SolutionInterval>& all = set.intervals;
    if (all.empty())
        return Shape::Nothing;
    if (all.size() == 1 && !all[0].from && !all[0].to)
        return Shape::Everything;
    if (all.size() == 1 && all[0].from && all[0].to && Compare(*all[0].from, *all[0].to) == 0)
        return Shape::Point;
    if (all.size() == 2 && !all[0].from && !all[1].to && Compare(*all[0].to, *all[1].from) == 0)
        return Shape::AllButPoint;
    return Shape::Intervals;
}

// How the zeros are written, wherever they stand: exact where the form is
// short, else decimals with as many digits as tell them apart, so that
// (−376 700,42; −376 699,87) never reads as an empty interval.
class ZeroTexts {
public:
    // `decimalsOnly`: as a sentence tells them.
    ZeroTexts(const std::vector<Surd>& zeros, char separator, bool decimalsOnly = false)
        : m_zeros(zeros)
    {
        std::vector<bool> decimal(zeros.size(), decimalsOnly);
        for (std::size_t i = 0; i < zeros.size(); ++i) {
            bool shortened = false;
            m_texts.push_back(decimalsOnly ? "" : ExactOrDecimal(zeros[i], separator, &shortened));
            decimal[i] = decimal[i] || shortened;
            m_rounded = m_rounded || decimal[i];
        }
        // Decimals told apart, worked out only where one stands.
        if (m_rounded) {
            const std::vector<std::string> decimals = DistinctDecimals(zeros, separator);
            for (std::size_t i = 0; i < zeros.size(); ++i)
                m_texts[i] = decimal[i] ? decimals[i] : m_texts[i];
        }
    }

    const std::string& of(const Surd& zero) const
    {
        std::size_t i = 0;
        while (i + 1 < m_zeros.size() && Compare(m_zeros[i], zero) != 0)
            ++i;
        return m_texts[i];
    }
    bool rounded() const { return m_rounded; }

private:
    const std::vector<Surd>& m_zeros;
    std::vector<std::string> m_texts;
    bool m_rounded = false;
};

std::string intervalText(const SolutionInterval& i, const ZeroTexts& zeros)
{
    return TypesetInterval(
        i.from ? zeros.of(*i.from) : "", i.fromClosed, i.to ? zeros.of(*i.to) : "", i.toClosed);
}

// The set: "x ∈ (−∞; 1) ∪ (2; +∞)", "x = −1", "x ≠ −1", "x — любое число",
// and that the ends are rounded where they are.
StepLine answerText(const SolutionSet& set, const ZeroTexts& zeros)
{
    const std::vector<SolutionInterval>& all = set.intervals;
    const StepLine roundedPoint = Prose(zeros.rounded() ? " (число округлено)" : "");
    switch (shapeOf(set)) {
    case Shape::Nothing:
        return Prose("решений нет");
    case Shape::Everything:
        return Formula("x") + Prose(" — любое число");
    case Shape::Point:
        return Formula((zeros.rounded() ? "x ≈ " : "x = ") + zeros.of(*all[0].from));
    case Shape::AllButPoint:
        return Formula("x ≠ " + zeros.of(*all[0].to)) + roundedPoint;
    case Shape::Intervals:
        break;
    }
    std::string text = "x ∈ ";
    for (std::size_t i = 0; i < all.size(); ++i)
        text += (i > 0 ? " ∪ " : "") + intervalText(all[i], zeros);
    return Formula(text) + Prose(zeros.rounded() ? " (концы округлены)" : "");
}

// The set in words, with decimals: "при x < 1 и при x > 2".
std::string setInWords(const SolutionSet& set, const ZeroTexts& zeros)
{
    const std::vector<SolutionInterval>& all = set.intervals;
    const auto decimal = [&zeros](const Surd& x) { return zeros.of(x); };
    switch (shapeOf(set)) {
    case Shape::Nothing:
        return "не выполняется ни при каком x";
    case Shape::Everything:
        return "выполняется при любом x";
    case Shape::Point:
        return "выполняется только при x = " + decimal(*all[0].from);
    case Shape::AllButPoint:
        return "выполняется при x ≠ " + decimal(*all[0].to);
    case Shape::Intervals:
        break;
    }
    std::string text = "выполняется";
    for (std::size_t i = 0; i < all.size(); ++i) {
        const SolutionInterval& piece = all[i];
        text += std::string(i > 0 ? " и" : "") + " при ";
        if (piece.from && piece.to)
            text += decimal(*piece.from) + (piece.fromClosed ? " ≤ " : " < ") + "x"
                + (piece.toClosed ? " ≤ " : " < ") + decimal(*piece.to);
        else if (piece.from)
            text += std::string("x ") + (piece.fromClosed ? "≥ " : "> ") + decimal(*piece.from);
        else
            text += std::string("x ") + (piece.toClosed ? "≤ " : "< ") + decimal(*piece.to);
    }
    return text;
}

// "1 и 2", "(3 − √5)/2 и (3 + √5)/2", "−1".
StepLine joined(const std::vector<std::string>& parts)
{
    StepLine line;
    for (std::size_t i = 0; i < parts.size(); ++i)
        line += Prose(i > 0 ? " и " : "") + Formula(parts[i]);
    return line;
}

// "«+»": a sign in quotes.
StepLine quotedSign(int sign) { return Prose("«") + Formula(signText(sign)) + Prose("»"); }

// The interval of the line between point i − 1 and point i, open: "(1; 2)".
std::string lineInterval(const NumberLine& line, std::size_t i)
{
    const std::vector<NumberLine::Point>& points = line.points;
    return TypesetInterval(
        i > 0 ? points[i - 1].label : "", false, i < points.size() ? points[i].label : "", false);
}

// The zeros on the line, labelled as the steps write them.
NumberLine numberLine(const EquationFacts& f, Relation relation, const ZeroTexts& zeros)
{
    NumberLine line;
    for (const Surd& zero : f.zeros)
        line.points.push_back({ zeros.of(zero), holds(0, relation) });
    line.signs = f.signs;
    for (const int sign : f.signs)
        line.chosen.push_back(holds(sign, relation));
    return line;
}

// The steps from the zeros on a number line to the intervals taken: the
// quadratic with real roots.
std::vector<SolutionStep> intervalSteps(
    const EquationFacts& f, Relation relation, const NumberLine& line)
{
    const bool one = line.points.size() == 1;
    const bool strict = !holds(0, relation);
    const int signA = Sign(f.k.a);
    std::vector<std::string> labels;
    for (const NumberLine::Point& point : line.points)
        labels.push_back(point.label);
    SolutionStep mark { "Метод интервалов", {} };
    StepLine points = Prose(one ? "Отмечаем на прямой корень " : "Отмечаем на прямой корни ");
    points += joined(labels);
    if (strict)
        points += Prose(one ? " выколотой точкой" : " выколотыми точками");
    else
        points += Prose(one ? " закрашенной точкой" : " закрашенными точками");
    mark.lines.push_back(
        points + Prose(strict ? " (неравенство строгое)." : " (неравенство нестрогое)."));
    const StepLine sign = Formula(signA > 0 ? "a > 0" : "a < 0");
    const StepLine signOfA = quotedSign(signA);
    if (one)
        mark.lines.push_back(
            sign + Prose(", корень двойной: знак ") + signOfA + Prose(" с обеих сторон от него."));
    else
        mark.lines.push_back(sign + Prose(": правее корней знак ") + signOfA
            + Prose(", при переходе через корень знак меняется."));

    SolutionStep choose { "Выбор промежутков", {} };
    std::vector<std::string> taken;
    for (std::size_t i = 0; i < line.chosen.size(); ++i) {
        if (line.chosen[i])
            taken.push_back(lineInterval(line, i));
    }
    const StepLine wanted = quotedSign(holds(1, relation) ? 1 : -1);
    if (taken.empty())
        choose.lines.push_back(Prose("Промежутков со знаком ") + wanted + Prose(" нет."));
    else
        choose.lines.push_back(Prose(taken.size() == 1 ? "Берём промежуток" : "Берём промежутки")
            + Prose(" со знаком ") + wanted + Prose(": ") + joined(taken) + Prose("."));
    if (!strict)
        choose.lines.push_back(Prose("Неравенство нестрогое: добавляем ")
            + Prose(one ? "корень " : "корни ") + joined(labels) + Prose("."));
    return { mark, choose };
}

// D < 0: no roots, the sign of a everywhere.
SolutionStep constantSignStep(const EquationFacts& f, Relation relation)
{
    const bool up = Sign(f.k.a) > 0;
    const StepLine parabola = Formula(up ? "a > 0" : "a < 0")
        + Prose(up ? ": корней нет, парабола целиком выше оси "
                   : ": корней нет, парабола целиком ниже оси ")
        + Formula("x");
    const std::string sign = up ? "положителен" : "отрицателен";
    const std::string verdict
        = holds(up ? 1 : -1, relation) ? "верно при любом " : "не выполняется ни при каком ";
    return { "Знак трёхчлена",
        { Formula("D < 0") + Prose(" и ") + parabola + Prose(", трёхчлен " + sign + " при любом ")
                + Formula("x") + Prose("."),
            Prose("Поэтому неравенство " + verdict) + Formula("x") + Prose(".") } };
}

// a = 0, b ≠ 0: bx + c ∨ 0 solved directly, dividing by b.
SolutionStep linearStep(const EquationFacts& f, Relation relation, const NumberLine& line)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal zero { 0, 0 };
    SolutionStep step { "Линейное неравенство",
        { Formula("a = 0") + Prose(", поэтому неравенство линейное: ")
            + Formula(TypesetPolynomial(k.a, k.b, k.c, sep) + " " + RelationText(relation))
            + Prose(".") } };
    if (Sign(k.c) != 0)
        step.lines.push_back(Formula(TypesetPolynomial(zero, k.b, zero, sep) + " "
            + relationSign(relation) + " " + TypesetDecimal(-k.c, sep)));
    const bool negative = Sign(k.b) < 0;
    step.lines.push_back(Prose("Делим обе части на ")
        + Formula(TypesetDecimal(k.b, sep) + (negative ? " < 0" : " > 0"))
        + Prose(negative ? " и меняем знак неравенства: " : ", знак неравенства сохраняется: ")
        + Formula("x " + relationSign(relation, negative) + " " + line.points[0].label)
        + Prose("."));
    return step;
}

// a = b = 0: the constant c against 0.
SolutionStep constantStep(const EquationFacts& f, Relation relation)
{
    const int sign = Sign(f.k.c);
    return { "Неравенство без x",
        { Formula("a = b = 0") + Prose(": остаётся ")
            + Formula(TypesetDecimal(f.k.c, f.k.separator) + " " + RelationText(relation))
            + Prose(
                holds(sign, relation) ? ", это верно при любом " : ", это неверно ни при каком ")
            + Formula("x") + Prose(".") } };
}

std::vector<PlotInterval> plotIntervals(const SolutionSet& set)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    std::vector<PlotInterval> out;
    for (const SolutionInterval& i : set.intervals)
        out.push_back({ i.from ? static_cast<double>(Approximate(*i.from)) : -infinity,
            i.to ? static_cast<double>(Approximate(*i.to)) : infinity, i.fromClosed, i.toClosed });
    return out;
}

} // namespace

std::vector<std::string> WriteZeroTexts(const EquationFacts& f, bool* rounded)
{
    const ZeroTexts zeros(f.zeros, f.k.separator);
    std::vector<std::string> out;
    for (const Surd& zero : f.zeros)
        out.push_back(zeros.of(zero));
    if (rounded)
        *rounded = zeros.rounded();
    return out;
}

SolutionSet SolveInequality(const EquationFacts& f, Relation relation)
{
    // The line as pieces: interval 0, zero 0, interval 1, zero 1, …; a run of
    // pieces where the inequality holds is one interval of the answer.
    SolutionSet set;
    bool inside = false;
    for (std::size_t piece = 0; piece <= 2 * f.zeros.size(); ++piece) {
        const bool atZero = piece % 2 == 1;
        const bool in = holds(atZero ? 0 : f.signs[piece / 2], relation);
        if (in && !inside) {
            SolutionInterval run;
            if (piece > 0)
                run.from = f.zeros[(piece - 1) / 2];
            run.fromClosed = atZero;
            set.intervals.push_back(run);
        } else if (!in && inside) {
            set.intervals.back().to = f.zeros[(piece - 1) / 2];
            set.intervals.back().toClosed = !atZero;
        }
        inside = in;
    }
    return set;
}

bool Contains(const SolutionSet& set, const Surd& x)
{
    for (const SolutionInterval& i : set.intervals) {
        const int from = i.from ? Compare(x, *i.from) : 1;
        const int to = i.to ? Compare(x, *i.to) : -1;
        if ((from > 0 || (from == 0 && i.fromClosed)) && (to < 0 || (to == 0 && i.toClosed)))
            return true;
    }
    return false;
}

void WriteInequality(const EquationFacts& f, Relation relation, EquationSolution& out)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const SolutionSet set = SolveInequality(f, relation);
    // The picture of the signs after the step that marks the zeros; with no
    // zeros (D < 0, a = b = 0) the sign is one for all x and the steps say it.
    const ZeroTexts zeros(f.zeros, sep);
    const NumberLine line = numberLine(f, relation, zeros);
    std::vector<SolutionStep> steps;
    if (f.kind == EquationFacts::Quadratic && f.signD >= 0)
        steps = intervalSteps(f, relation, line);
    else if (f.kind == EquationFacts::Quadratic)
        steps = { constantSignStep(f, relation) };
    else if (f.kind == EquationFacts::Linear)
        steps = { linearStep(f, relation, line) };
    else
        steps = { constantStep(f, relation) };
    if (zeros.rounded())
        steps.back().lines.push_back(
            Prose("Точная запись концов длиннее 40 знаков: показаны десятичные значения."));
    if (!f.zeros.empty()) {
        out.numberLine = line;
        out.numberLineStep = out.steps.size();
    }
    for (SolutionStep& step : steps)
        out.steps.push_back(std::move(step));

    out.answer = answerText(set, zeros) + Prose(".");
    out.curve.inequality = true;
    out.curve.solution = plotIntervals(set);
    out.description += ". Неравенство " + TypesetPolynomial(k.a, k.b, k.c, sep) + " "
        + RelationText(relation) + " " + setInWords(set, ZeroTexts(f.zeros, sep, true));
}
