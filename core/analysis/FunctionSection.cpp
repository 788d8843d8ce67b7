#include "FunctionSection.h"

#include "Typography.h"
#include "Writers.h"

#include <string>
#include <utility>

namespace {

// How many points the table takes on either side of its middle.
constexpr int kTableSide = 3;

// a·x² + b·x + c at x, exactly: a decimal at a decimal.
ExactDecimal valueAt(const Coefficients& k, const ExactDecimal& x)
{
    return k.a * x * x - (-(k.b * x)) - (-k.c);
}

// A cell of the table: the exact decimal, or its four digits where the
// exact form is long.
std::string cellText(const ExactDecimal& x, char sep)
{
    const std::string text = TypesetDecimal(x, sep);
    if (CharacterCount(text) <= kLongestExactForm)
        return text;
    return "≈ " + ShortDecimal(Divide(x, ExactDecimal { 1, 0 }), sep);
}

// A value put in for x in full: "2", "(−1)", "(3/2)", "(−2·10⁻¹⁰)".
std::string putExact(const Rational& x, const std::string& text)
{
    const bool bare = x.den == 1 && x.num >= 0 && text.find("·") == std::string::npos;
    return bare ? text : "(" + text + ")";
}

// A value in the properties: exact, or where its form is long, its name in
// the formulas and its decimal after them: «E(y) = [y₀; +∞), y₀ ≈ −2,5·10³⁷».
struct Value {
    std::string text, note;
};

Value valueOf(const Rational& x, const std::string& name, char sep)
{
    bool decimal = false;
    const std::string text = ExactOrDecimal(AsSurd(x), sep, &decimal);
    if (!decimal)
        return { text, "" };
    return { name, name + " ≈ " + text };
}

// ", y₀ ≈ −2,5·10³⁷" after a line where the value stands by its name.
StepLine noted(const Value& v)
{
    return v.note.empty() ? StepLine {} : Prose(", ") + Formula(v.note);
}

// The zeros as the method of intervals writes them, once for every line.
struct Zeros {
    std::vector<std::string> texts;
    bool rounded = false;
    std::string equals() const { return rounded ? " ≈ " : " = "; }
};

// Where the function has the sign `sign`, read off the facts' signs between
// the zeros: "y > 0 при x ∈ (−∞; 1) ∪ (2; +∞)", "y > 0 при x ≠ 1",
// "y < 0 ни при каком x", "y > 0 при любом x".
StepLine signLine(const EquationFacts& f, const Zeros& zeros, int sign, const std::string& number)
{
    const std::vector<std::string>& at = zeros.texts;
    std::vector<std::string> intervals;
    for (std::size_t i = 0; i < f.signs.size(); ++i) {
        if (f.signs[i] == sign)
            intervals.push_back(
                TypesetInterval(i > 0 ? at[i - 1] : "", false, i < at.size() ? at[i] : "", false));
    }
    const StepLine head = Prose(number) + Formula(sign > 0 ? "y > 0" : "y < 0");
    if (intervals.empty())
        return head + Prose(" ни при каком ") + Formula("x");
    if (intervals.size() == f.signs.size() && at.empty())
        return head + Prose(" при любом ") + Formula("x");
    const StepLine rounded = Prose(zeros.rounded ? " (концы округлены)" : "");
    if (intervals.size() == 2 && at.size() == 1)
        return head + Prose(" при ") + Formula("x ≠ " + at[0]) + rounded;
    std::string set = "x ∈ ";
    for (std::size_t i = 0; i < intervals.size(); ++i)
        set += (i > 0 ? " ∪ " : "") + intervals[i];
    return head + Prose(" при ") + Formula(set) + rounded;
}

// "3) y = 0 при x = 1 и x = 2", "3) нулей нет".
StepLine zerosLine(const Zeros& zeros, const std::string& number)
{
    if (zeros.texts.empty())
        return Prose(number + "нулей нет");
    StepLine line = Prose(number) + Formula("y = 0") + Prose(" при ");
    for (std::size_t i = 0; i < zeros.texts.size(); ++i)
        line += Prose(i > 0 ? " и " : "") + Formula("x" + zeros.equals() + zeros.texts[i]);
    return line;
}

// The table of `count` points x from `first` on, each with its value, and
// the same points on the curve as it is drawn. Where the points stand
// symmetrically about the axis, the values repeat the other way round.
SolutionStep tableStep(const Coefficients& k, const ExactDecimal& first, int count, bool symmetric,
    StepLine intro, PlotCurve& curve)
{
    SolutionStep step { "Таблица значений", {}, ValueTable {} };
    step.lines.push_back(std::move(intro));
    std::vector<StepLine>& xs = step.table->xs;
    std::vector<StepLine>& ys = step.table->ys;
    const double start = static_cast<double>(Approximate(first));
    for (int i = 0; i < count; ++i) {
        const ExactDecimal x = first - ExactDecimal { -i, 0 };
        xs.push_back(Formula(cellText(x, k.separator)));
        const bool mirrored = symmetric && 2 * i >= count;
        ys.push_back(mirrored ? ys[count - 1 - i] : Formula(cellText(valueAt(k, x), k.separator)));
        curve.table.emplace_back(start + i, curve.at(start + i));
    }
    return step;
}

// round(x) for a fraction that is not half an integer.
BigInt nearestInteger(const Rational& x)
{
    const BigInt twice = 2 * x.num + x.den;
    const BigInt over = 2 * x.den;
    BigInt floor = twice / over;
    if (twice < 0 && floor * over != twice)
        floor -= 1;
    return floor;
}

std::vector<SolutionStep> parabola(const EquationFacts& f, PlotCurve& curve)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const bool up = Sign(k.a) > 0;
    const Value vx = valueOf(f.vertexX, "x₀", sep);
    const Value vy = valueOf(f.vertexY, "y₀", sep);
    const std::string& x0 = vx.text;
    const std::string& y0 = vy.text;
    Zeros zeros;
    zeros.texts = WriteZeroTexts(f, &zeros.rounded);
    std::vector<SolutionStep> out;

    SolutionStep build { "Функция y = " + TypesetPolynomial(k.a, k.b, k.c, sep), {} };
    std::vector<StepLine>& lines = build.lines;
    lines.push_back(
        Prose(up ? "Графиком является парабола. Ветви параболы направлены вверх, так как "
                 : "Графиком является парабола. Ветви параболы направлены вниз, так как ")
        + Formula("a = " + TypesetDecimal(k.a, sep) + (up ? " > 0" : " < 0")) + Prose("."));
    if (vx.note.empty() && vy.note.empty()) {
        const std::string at = "y₀ = y(" + x0 + ")";
        const std::string put = TrinomialAt(k, putExact(f.vertexX, x0));
        const bool shown = CharacterCount(at + put) <= 2 * kLongestExactForm;
        lines.push_back(Prose("Вершина параболы: ") + Formula(VertexXFormula(f, x0)) + Prose(","));
        lines.push_back(Formula((shown ? at + " = " + put : at) + " = " + y0) + Prose(";"));
        lines.push_back(
            Prose("вершина — точка ") + Formula("(" + x0 + "; " + y0 + ")") + Prose("."));
    } else {
        lines.push_back(Prose("Вершина параболы: ") + Formula("(x₀; y₀)") + Prose(" ≈ ")
            + Formula(
                "(" + ShortDecimal(f.vertexX, sep) + "; " + ShortDecimal(f.vertexY, sep) + ")")
            + Prose("."));
    }
    lines.push_back(
        Prose("Ось симметрии — прямая ") + Formula("x = " + x0) + noted(vx) + Prose("."));
    lines.push_back(Prose("Пересечение с осью ") + Formula("Oy") + Prose(": ")
        + Formula("(0; " + TypesetDecimal(k.c, sep) + ")") + Prose("."));
    const std::string near = zeros.rounded ? "≈ " : "";
    if (f.signD > 0)
        lines.push_back(Prose("Пересечение с осью ") + Formula("Ox") + Prose(": ")
            + Formula(near + "(" + zeros.texts[0] + "; 0)") + Prose(" и ")
            + Formula(near + "(" + zeros.texts[1] + "; 0)") + Prose("."));
    else if (f.signD == 0)
        lines.push_back(Prose("Парабола касается оси ") + Formula("Ox") + Prose(" в точке ")
            + Formula(near + "(" + zeros.texts[0] + "; 0)") + Prose("."));
    else
        lines.push_back(Prose("Ось ") + Formula("Ox") + Prose(" парабола не пересекает: ")
            + Formula("D < 0") + Prose("."));
    out.push_back(std::move(build));

    // x₀ and three steps of 1 on either side where x₀ is a whole or a half;
    // else whole x about the nearest integer.
    const bool symmetric = f.vertexX.den <= 2;
    const ExactDecimal middle
        = symmetric ? *FiniteDecimal(f.vertexX) : Normalised({ nearestInteger(f.vertexX), 0 });
    StepLine intro = Prose("Возьмём целые ") + Formula("x") + Prose(" около ")
        + Formula("x₀ = " + x0) + noted(vx) + Prose(":");
    if (symmetric)
        intro = Prose("Значения ") + Formula("x") + Prose(" берём симметрично относительно оси ")
            + Formula("x = " + x0) + noted(vx) + Prose(":");
    out.push_back(tableStep(k, middle - ExactDecimal { kTableSide, 0 }, 2 * kTableSide + 1,
        symmetric, std::move(intro), curve));

    SolutionStep properties { "Свойства функции", {} };
    std::vector<StepLine>& p = properties.lines;
    p.push_back(Prose("1) ") + Formula("D(y) = (−∞; +∞)") + Prose(";"));
    const std::string range
        = up ? TypesetInterval(y0, true, "", false) : TypesetInterval("", false, y0, true);
    p.push_back(Prose("2) ") + Formula("E(y) = " + range) + noted(vy) + Prose(";"));
    p.push_back(zerosLine(zeros, "3) ") + Prose(";"));
    p.push_back(signLine(f, zeros, 1, "4) ") + Prose(";"));
    p.push_back(signLine(f, zeros, -1, "5) ") + Prose(";"));
    const std::string left = TypesetInterval("", false, x0, true);
    const std::string right = TypesetInterval(x0, true, "", false);
    p.push_back(Prose(up ? "6) убывает на " : "6) возрастает на ") + Formula(left)
        + Prose(up ? ", возрастает на " : ", убывает на ") + Formula(right) + noted(vx)
        + Prose(";"));
    p.push_back(Prose(up ? "7) наименьшее значение " : "7) наибольшее значение ")
        + Formula(vy.note.empty() ? "y = " + y0 : vy.note) + Prose(" при ")
        + Formula(vx.note.empty() ? "x = " + x0 : vx.note)
        + Prose(up ? ", наибольшего нет;" : ", наименьшего нет;"));
    if (Sign(k.b) == 0)
        p.push_back(Prose("8) функция чётная: ") + Formula("y(−x) = y(x)") + Prose(";"));
    else
        p.push_back(Prose("8) функция ни чётная, ни нечётная;"));
    p.push_back(Prose(up ? "9) ограничена снизу, сверху не ограничена."
                         : "9) ограничена сверху, снизу не ограничена."));
    out.push_back(std::move(properties));
    return out;
}

// a = 0, b ≠ 0: the straight line by two points.
std::vector<SolutionStep> line(const EquationFacts& f, PlotCurve& curve)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    Zeros zeros;
    zeros.texts = WriteZeroTexts(f, &zeros.rounded);
    std::vector<SolutionStep> out;
    out.push_back({ "Функция y = " + TypesetPolynomial(k.a, k.b, k.c, sep),
        { Prose("При ") + Formula("a = 0") + Prose(" функция линейная, её график — прямая."),
            Prose("Пересечение с осью ") + Formula("Oy") + Prose(": ")
                + Formula("(0; " + TypesetDecimal(k.c, sep) + ")") + Prose(", с осью ")
                + Formula("Ox") + Prose(": ")
                + Formula((zeros.rounded ? "≈ (" : "(") + zeros.texts[0] + "; 0)")
                + Prose(".") } });
    out.push_back(tableStep(k, ExactDecimal { 0, 0 }, 2, false,
        Prose("Для построения прямой достаточно двух точек:"), curve));
    out.push_back({ "Свойства функции",
        { Prose("1) ") + Formula("D(y) = (−∞; +∞)") + Prose(", ") + Formula("E(y) = (−∞; +∞)")
                + Prose(";"),
            zerosLine(zeros, "2) ") + Prose(";"), signLine(f, zeros, 1, "3) ") + Prose(";"),
            signLine(f, zeros, -1, "4) ") + Prose(";"),
            Prose(Sign(k.b) > 0 ? "5) возрастает на " : "5) убывает на ") + Formula("(−∞; +∞)")
                + Prose(", наибольшего и наименьшего значений нет.") } });
    return out;
}

} // namespace

std::vector<SolutionStep> WriteFunctionSection(const EquationFacts& f, PlotCurve& curve)
{
    switch (f.kind) {
    case EquationFacts::Quadratic:
        return parabola(f, curve);
    case EquationFacts::Linear:
        return line(f, curve);
    case EquationFacts::Never:
    case EquationFacts::Always:
        break;
    }
    // a = b = 0: one line.
    const std::string c = TypesetDecimal(f.k.c, f.k.separator);
    const StepLine graph = f.kind == EquationFacts::Always
        ? Prose("График — ось ") + Formula("Ox") + Prose(".")
        : Prose("График — прямая, параллельная оси ") + Formula("Ox") + Prose(", через точку ")
            + Formula("(0; " + c + ")") + Prose(".");
    std::vector<SolutionStep> out;
    out.push_back({ "Функция y = " + c, { graph } });
    return out;
}
