#include "Solution.h"

#include "ExactNumbers.h"
#include "Solver.h"
#include "SysUtils.h"
#include "Typography.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kLongestExactForm = 40;
const char* const kNames[] = { "a", "b", "c" };

struct Coefficients {
    ExactDecimal a, b, c;
    std::array<bool, 3> rounded {}; // taken as single precision: too long to be exact
    char separator = '.';
};

// The exact values of the texts; a text too long to compute with exactly is
// taken as Solve stored it.
Coefficients exactCoefficients(const SolvedEquation& solved)
{
    Coefficients k;
    k.separator = solved.separator;
    ExactDecimal* values[] = { &k.a, &k.b, &k.c };
    for (std::size_t i = 0; i < 3; ++i) {
        if (auto exact = ParseExactDecimal(solved.texts[i], solved.separator)) {
            *values[i] = *exact;
        } else {
            *values[i] = ExactFromFloat(solved.single[i]);
            k.rounded[i] = true;
        }
    }
    return k;
}

ExactDecimal discriminant(const Coefficients& k)
{
    return k.b * k.b - ExactDecimal { 4, 0 } * k.a * k.c;
}

// The coefficient before x^power: nothing for 1, a power of ten set off by ·.
std::string termFactor(const ExactDecimal& magnitude, int power, char separator)
{
    if (power > 0 && magnitude.m == 1 && magnitude.e == 0)
        return "";
    return TypesetDecimal(magnitude, separator) + (power > 0 && IsScientific(magnitude) ? "·" : "");
}

// "x² − 3x + 1": zero terms left out, ones omitted, signs merged.
std::string polynomial(const Coefficients& k)
{
    const ExactDecimal* values[] = { &k.a, &k.b, &k.c };
    const char* const powers[] = { "x²", "x", "" };
    std::string out;
    for (int i = 0; i < 3; ++i) {
        const ExactDecimal& v = *values[i];
        if (Sign(v) == 0)
            continue;
        const std::string term = termFactor(Sign(v) < 0 ? -v : v, 2 - i, k.separator) + powers[i];
        if (out.empty())
            out = (Sign(v) < 0 ? "−" : "") + term;
        else
            out += (Sign(v) < 0 ? " − " : " + ") + term;
    }
    return out.empty() ? "0" : out;
}

std::string substituted(const ExactDecimal& v, char separator)
{
    const std::string text = TypesetDecimal(v, separator);
    return Sign(v) < 0 || IsScientific(v) ? "(" + text + ")" : text;
}

// An integer of up to six digits needs no decimal beside it: "−50653", not
// "−50653 ≈ −50650".
bool isShortInteger(const std::string& exactText)
{
    const auto digits = static_cast<std::size_t>(std::count_if(
        exactText.begin(), exactText.end(), [](char c) { return c >= '0' && c <= '9'; }));
    const std::size_t minus = exactText.rfind("−", 0) == 0 ? 1 : 0;
    return digits <= 6 && CharacterCount(exactText) == digits + minus;
}

// "= 3/2 = 1,5", "= 1/3 ≈ 0,3333", "= 2"; only "≈ 0,3333" where the exact
// form is long.
std::string withDecimal(const std::string& exactText, const Surd& value, char separator)
{
    bool exact = false;
    const std::string decimal = TypesetApproximation(RoundedToFourDigits(value, &exact), separator);
    if (CharacterCount(exactText) > kLongestExactForm)
        return "≈ " + decimal;
    if (exactText == decimal || isShortInteger(exactText))
        return "= " + exactText;
    return "= " + exactText + (exact ? " = " : " ≈ ") + decimal;
}

Surd asSurd(const Rational& x) { return { x.num, 0, 1, x.den, false }; }

std::string withDecimal(const Rational& x, char separator)
{
    return withDecimal(TypesetRational(x, separator), asSurd(x), separator);
}

std::string shortDecimal(const Surd& x, char separator)
{
    return TypesetApproximation(RoundedToFourDigits(x), separator);
}
std::string shortDecimal(const Rational& x, char separator)
{
    return shortDecimal(asSurd(x), separator);
}

// A mark's label: "x₁ = 2", "x₂ ≈ 0,382".
std::string markLabel(const std::string& name, const Surd& x, char separator)
{
    bool exact = false;
    const std::string decimal = TypesetApproximation(RoundedToFourDigits(x, &exact), separator);
    return name + (exact ? " = " : " ≈ ") + decimal;
}

// "= (3/2; −1/4) = (1,5; −0,25)", "= (1/3; 0) ≈ (0,3333; 0)", "≈ (…)" where
// the exact pair is long, "= (2; 1)".
std::string withDecimals(const Rational& x, const Rational& y, char separator)
{
    const std::string exactX = TypesetRational(x, separator);
    const std::string exactY = TypesetRational(y, separator);
    const std::string exact = "(" + exactX + "; " + exactY + ")";
    bool roundedNothingX = false, roundedNothingY = false;
    const std::string decimal = "("
        + TypesetApproximation(RoundedToFourDigits(x, &roundedNothingX), separator) + "; "
        + TypesetApproximation(RoundedToFourDigits(y, &roundedNothingY), separator) + ")";
    if (CharacterCount(exact) > kLongestExactForm)
        return "≈ " + decimal;
    if (exact == decimal || (isShortInteger(exactX) && isShortInteger(exactY)))
        return "= " + exact;
    return "= " + exact + (roundedNothingX && roundedNothingY ? " = " : " ≈ ") + decimal;
}

// x − root with a decimal root: "(x − 0,3333)", "(x + 10¹⁹)", "x".
std::string decimalFactor(const std::string& decimal)
{
    if (decimal == "0")
        return "x";
    if (decimal.rfind("−", 0) == 0)
        return "(x + " + decimal.substr(std::string("−").size()) + ")";
    return "(x − " + decimal + ")";
}

// x − root with the signs merged: "(x − 2)", "(x + 2)", "x",
// "(x − (3 + √5)/2)", "(x + 100 − 80√2)".
std::string factor(const Surd& root, const std::string& exactText, char separator)
{
    if (root.p == 0 && root.q == 0)
        return "x";
    if (exactText.front() == '(')
        return "(x − " + exactText + ")";
    const Surd negated { -root.p, -root.q, root.r, root.d, root.imaginary };
    std::string text = "x + " + TypesetSurd(negated, negated.q < 0 ? "−" : "+", separator);
    if (text.compare(4, 3, "−") == 0)
        text.replace(2, 5, "− ");
    return "(" + text + ")";
}

std::string leadingFactor(const ExactDecimal& a, char separator)
{
    if (a.m == 1 && a.e == 0)
        return "";
    if (a.m == -1 && a.e == 0)
        return "−";
    return substituted(a, separator);
}

void explainQuadratic(const Coefficients& k, EquationSolution& out)
{
    const char sep = k.separator;
    const ExactDecimal d = discriminant(k);
    std::string value = TypesetDecimal(d, sep);
    if (CharacterCount(value) > kLongestExactForm)
        value = "≈ " + shortDecimal(Divide(d, ExactDecimal { 1, 0 }), sep)
            + " (точная запись длиннее 40 знаков)";
    else
        value = "= " + value;
    out.steps.push_back({ "Дискриминант",
        { "D = b² − 4ac = " + substituted(k.b, sep) + "² − 4·" + substituted(k.a, sep) + "·"
            + substituted(k.c, sep) + " " + value } });

    const RootPair roots = QuadraticRoots(k.a, k.b, d);
    const std::string first = TypesetSurd(roots.first, roots.first.q < 0 ? "−" : "+", sep);
    const std::string second = TypesetSurd(roots.second, roots.second.q < 0 ? "−" : "+", sep);
    Surd both = roots.first;
    if (both.q < 0)
        both.q = -both.q;
    const std::string pair = TypesetSurd(both, "±", sep);
    const int sign = Sign(d);
    const std::string lead = leadingFactor(k.a, sep);
    std::string factored;
    if (sign == 0)
        factored = lead + factor(roots.first, first, sep) + "²";
    else
        factored = lead + factor(roots.first, first, sep) + factor(roots.second, second, sep);
    const bool longForm
        = std::max({ CharacterCount(pair), CharacterCount(first), CharacterCount(second) })
        > kLongestExactForm;
    const char* const longNote
        = "Точная запись корней длиннее 40 знаков, поэтому показаны десятичные значения.";

    SolutionStep step { "Корни", {} };
    // D < 0: the decimal real part ("" for 0) and imaginary factor ("" for 1).
    std::string realDecimal, imaginaryDecimal;
    if (sign > 0) {
        step.lines.push_back("D > 0: два действительных корня.");
        if (roots.first.q != 0 && !longForm)
            step.lines.push_back("x₁,₂ = (−b ± √D)/(2a) = " + pair);
        else
            step.lines.push_back("x₁,₂ = (−b ± √D)/(2a)");
        step.lines.push_back("x₁ " + withDecimal(first, roots.first, sep));
        step.lines.push_back("x₂ " + withDecimal(second, roots.second, sep));
    } else if (sign == 0) {
        step.lines.push_back("D = 0: один корень (два совпадающих).");
        step.lines.push_back("x = −b/(2a) " + withDecimal(first, roots.first, sep));
    } else {
        step.lines.push_back("D < 0: действительных корней нет, корни комплексные.");
        Surd imaginaryPart = both;
        imaginaryPart.p = 0;
        imaginaryPart.imaginary = false;
        const Rational real = MakeRational(both.p, both.d);
        const std::string imaginary = shortDecimal(imaginaryPart, sep);
        realDecimal = real.num == 0 ? "" : shortDecimal(real, sep);
        imaginaryDecimal = (imaginary == "1" ? "" : imaginary) + "i";
        const std::string decimal
            = (realDecimal.empty() ? "±" : realDecimal + " ± ") + imaginaryDecimal;
        if (longForm)
            step.lines.push_back("x₁,₂ ≈ " + decimal);
        else
            step.lines.push_back("x₁,₂ = " + pair + (pair == decimal ? "" : " ≈ " + decimal));
    }
    if (longForm)
        step.lines.push_back(longNote);
    out.steps.push_back(step);

    SolutionStep check { "Проверка по теореме Виета",
        { "x₁ + x₂ = −b/a " + withDecimal(Divide(-k.b, k.a), sep),
            "x₁·x₂ = c/a " + withDecimal(Divide(k.c, k.a), sep) } };
    std::string factoredLine = "a(x − x₁)(x − x₂) ";
    if (CharacterCount(factored) <= kLongestExactForm) {
        factoredLine += "= " + factored;
    } else if (sign > 0) {
        // The decimal values in place of the long exact ones.
        factoredLine += "≈ " + lead + decimalFactor(shortDecimal(roots.first, sep))
            + decimalFactor(shortDecimal(roots.second, sep));
    } else if (sign == 0) {
        factoredLine += "≈ " + lead + decimalFactor(shortDecimal(roots.first, sep)) + "²";
    } else {
        const std::string re = realDecimal.empty() ? "" : realDecimal + " ";
        factoredLine += "≈ " + lead + "(x − (" + re + "+ " + imaginaryDecimal + "))(x − (" + re
            + "− " + imaginaryDecimal + "))";
    }
    check.lines.push_back(factoredLine + (sign < 0 ? " (над комплексными числами)" : ""));
    out.steps.push_back(check);

    const Rational vertexX = Divide(-k.b, ExactDecimal { 2, 0 } * k.a);
    const Rational vertexY = Divide(-d, ExactDecimal { 4, 0 } * k.a);
    const std::string vertexDecimal
        = "(" + shortDecimal(vertexX, sep) + "; " + shortDecimal(vertexY, sep) + ")";
    out.steps.push_back({ "Парабола",
        { "Вершина: (−b/(2a); −D/(4a)) " + withDecimals(vertexX, vertexY, sep),
            "Ось симметрии: x " + withDecimal(vertexX, sep),
            Sign(k.a) > 0 ? "Ветви направлены вверх (a > 0)." : "Ветви направлены вниз (a < 0).",
            "Пересечение с осью y: (0; c) = (0; " + TypesetDecimal(k.c, sep) + ")" } });

    PlotCurve& curve = out.curve;
    const Surd* real[] = { &roots.first, &roots.second };
    if (sign > 0) {
        for (int i = 0; i < 2; ++i)
            curve.points.push_back({ PlotPoint::Root, static_cast<double>(Approximate(*real[i])), 0,
                markLabel(i == 0 ? "x₁" : "x₂", *real[i], sep) });
    } else if (sign == 0) {
        curve.points.push_back({ PlotPoint::Root, static_cast<double>(Approximate(roots.first)), 0,
            markLabel("x", roots.first, sep) });
    }
    curve.points.push_back({ PlotPoint::Vertex, static_cast<double>(Approximate(vertexX)),
        static_cast<double>(Approximate(vertexY)), "вершина " + vertexDecimal });

    std::string sentence = "Парабола y = " + polynomial(k) + ", ветви "
        + (Sign(k.a) > 0 ? "вверх" : "вниз") + ", вершина " + vertexDecimal;
    if (sign > 0) {
        std::string low = shortDecimal(roots.first, sep), high = shortDecimal(roots.second, sep);
        if (Approximate(roots.first) > Approximate(roots.second))
            std::swap(low, high);
        sentence += ", пересекает ось x в точках " + low + " и " + high;
    } else if (sign == 0) {
        sentence += ", касается оси x в точке " + shortDecimal(roots.first, sep);
    } else {
        sentence += ", ось x не пересекает";
    }
    out.description = sentence;
}

void explainLinear(const Coefficients& k, EquationSolution& out)
{
    const char sep = k.separator;
    const std::string line = "Прямая y = " + polynomial(k);
    if (Sign(k.b) != 0) {
        const Rational root = Divide(-k.c, k.b);
        out.steps.push_back({ "Линейное уравнение",
            { "a = 0, поэтому уравнение линейное: bx + c = 0.",
                "x = −c/b " + withDecimal(root, sep) } });
        out.curve.points.push_back({ PlotPoint::Root, static_cast<double>(Approximate(root)), 0,
            markLabel("x", asSurd(root), sep) });
        out.description = line + ", пересекает ось x в точке " + shortDecimal(root, sep);
    } else if (Sign(k.c) != 0) {
        out.steps.push_back({ "Решений нет",
            { "a = 0 и b = 0, а c ≠ 0: равенство " + TypesetDecimal(k.c, sep)
                + " = 0 неверно ни при каком x." } });
        out.description = line + ", параллельна оси x и её не пересекает";
    } else {
        out.steps.push_back({ "Любое x",
            { "a = b = c = 0: равенство 0 = 0 верно при любом x, решений бесконечно много." } });
        out.description = line + ", совпадает с осью x";
    }
    out.steps.push_back({ "График",
        { line + " пересекает ось y в точке (0; " + TypesetDecimal(k.c, sep) + ")." } });
}

// The result line as exact arithmetic would write it.
std::string exactResultText(const Coefficients& k)
{
    const char sep = k.separator;
    const std::string oneRoot = "Один корень и он равен ";
    const std::string none = "Уравнение решений не имеет";
    if (Sign(k.a) == 0) {
        if (Sign(k.b) != 0)
            return oneRoot + FormatRoot(RoundedToFourDigits(Divide(-k.c, k.b)), sep);
        return Sign(k.c) == 0 ? "Бесконечное множество решений" : none;
    }
    const ExactDecimal d = discriminant(k);
    if (Sign(d) < 0)
        return none;
    const RootPair roots = QuadraticRoots(k.a, k.b, d);
    if (Sign(d) == 0)
        return oneRoot + FormatRoot(RoundedToFourDigits(roots.first), sep);
    return "x1= " + FormatRoot(RoundedToFourDigits(roots.first), sep)
        + "; x2= " + FormatRoot(RoundedToFourDigits(roots.second), sep);
}

} // namespace

EquationSolution ExplainEquation(const SolvedEquation& solved)
{
    const Coefficients k = exactCoefficients(solved);
    const char sep = k.separator;
    EquationSolution out;
    SolutionStep equation { "Уравнение",
        { polynomial(k) + " = 0",
            "a = " + TypesetDecimal(k.a, sep) + ", b = " + TypesetDecimal(k.b, sep)
                + ", c = " + TypesetDecimal(k.c, sep) } };
    for (std::size_t i = 0; i < 3; ++i) {
        if (k.rounded[i])
            equation.lines.push_back(std::string("Запись ") + kNames[i]
                + " слишком длинная для точного счёта: взято её значение одинарной точности.");
    }
    out.steps.push_back(equation);

    out.curve.a = static_cast<double>(Approximate(k.a));
    out.curve.b = static_cast<double>(Approximate(k.b));
    out.curve.c = static_cast<double>(Approximate(k.c));
    out.curve.separator = sep;
    if (Sign(k.a) != 0)
        explainQuadratic(k, out);
    else
        explainLinear(k, out);
    const std::string exactC = TypesetDecimal(k.c, sep);
    const std::string intercept = CharacterCount(exactC) <= 12
        ? exactC
        : shortDecimal(Divide(k.c, ExactDecimal { 1, 0 }), sep);
    out.curve.points.push_back({ PlotPoint::Intercept, 0, out.curve.c, "(0; " + intercept + ")" });
    out.description += ", ось y в точке " + intercept;

    const std::string& shown = solved.resultLine;
    const std::string exact = exactResultText(k);
    if (shown != exact) {
        std::string note = "Главное окно хранит коэффициенты в одинарной точности, поэтому его "
                           "ответ отличается от точного. В строке результата: «"
            + shown + "», точно: «" + exact + "».";
        const float a = solved.single[0], b = solved.single[1], c = solved.single[2];
        if (a != 0) {
            const long double d = static_cast<long double>(b) * b - 4.0L * a * c;
            note += " В одинарной точности D ≈ " + TypesetApproximation(d, sep) + ".";
        }
        out.precisionNote = note;
    }
    return out;
}

std::string ExactResultText(const SolvedEquation& solved)
{
    return exactResultText(exactCoefficients(solved));
}
