#include "Typography.h"
#include "Writers.h"

#include <algorithm>

namespace {

std::vector<SolutionStep> formulaSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal& d = f.d;
    std::vector<SolutionStep> out;
    std::string value = TypesetDecimal(d, sep);
    if (CharacterCount(value) > kLongestExactForm)
        value = "≈ " + ShortDecimal(Divide(d, ExactDecimal { 1, 0 }), sep)
            + " (точная запись длиннее 40 знаков)";
    else
        value = "= " + value;
    out.push_back({ "Дискриминант",
        { "D = b² − 4ac = " + Substituted(k.b, sep) + "² − 4·" + Substituted(k.a, sep) + "·"
            + Substituted(k.c, sep) + " " + value } });

    const RootPair& roots = f.roots;
    const std::string first = TypesetSurd(roots.first, roots.first.q < 0 ? "−" : "+", sep);
    const std::string second = TypesetSurd(roots.second, roots.second.q < 0 ? "−" : "+", sep);
    Surd both = roots.first;
    if (both.q < 0)
        both.q = -both.q;
    const std::string pair = TypesetSurd(both, "±", sep);
    const int sign = Sign(d);
    const std::string lead = LeadingFactor(k.a, sep);
    std::string factored;
    if (sign == 0)
        factored = lead + Factor(roots.first, first, sep) + "²";
    else
        factored = lead + Factor(roots.first, first, sep) + Factor(roots.second, second, sep);
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
        step.lines.push_back("x₁ " + WithDecimal(first, roots.first, sep));
        step.lines.push_back("x₂ " + WithDecimal(second, roots.second, sep));
    } else if (sign == 0) {
        step.lines.push_back("D = 0: один корень (два совпадающих).");
        step.lines.push_back("x = −b/(2a) " + WithDecimal(first, roots.first, sep));
    } else {
        step.lines.push_back("D < 0: действительных корней нет, корни комплексные.");
        Surd imaginaryPart = both;
        imaginaryPart.p = 0;
        imaginaryPart.imaginary = false;
        const Rational real = MakeRational(both.p, both.d);
        const std::string imaginary = ShortDecimal(imaginaryPart, sep);
        realDecimal = real.num == 0 ? "" : ShortDecimal(real, sep);
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
    out.push_back(step);

    SolutionStep check { "Проверка по теореме Виета",
        { "x₁ + x₂ = −b/a " + WithDecimal(Divide(-k.b, k.a), sep),
            "x₁·x₂ = c/a " + WithDecimal(Divide(k.c, k.a), sep) } };
    std::string factoredLine = "a(x − x₁)(x − x₂) ";
    if (CharacterCount(factored) <= kLongestExactForm) {
        factoredLine += "= " + factored;
    } else if (sign > 0) {
        // The decimal values in place of the long exact ones.
        factoredLine += "≈ " + lead + DecimalFactor(ShortDecimal(roots.first, sep))
            + DecimalFactor(ShortDecimal(roots.second, sep));
    } else if (sign == 0) {
        factoredLine += "≈ " + lead + DecimalFactor(ShortDecimal(roots.first, sep)) + "²";
    } else {
        const std::string re = realDecimal.empty() ? "" : realDecimal + " ";
        factoredLine += "≈ " + lead + "(x − (" + re + "+ " + imaginaryDecimal + "))(x − (" + re
            + "− " + imaginaryDecimal + "))";
    }
    check.lines.push_back(factoredLine + (sign < 0 ? " (над комплексными числами)" : ""));
    out.push_back(check);

    const Rational& vertexX = f.vertexX;
    const Rational& vertexY = f.vertexY;
    out.push_back({ "Парабола",
        { "Вершина: (−b/(2a); −D/(4a)) " + WithDecimals(vertexX, vertexY, sep),
            "Ось симметрии: x " + WithDecimal(vertexX, sep),
            Sign(k.a) > 0 ? "Ветви направлены вверх (a > 0)." : "Ветви направлены вниз (a < 0).",
            "Пересечение с осью y: (0; c) = (0; " + TypesetDecimal(k.c, sep) + ")" } });
    return out;
}

std::vector<SolutionStep> linearSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const std::string line = "Прямая y = " + TypesetPolynomial(k.a, k.b, k.c, sep);
    std::vector<SolutionStep> out;
    if (Sign(k.b) != 0) {
        const Rational root = Divide(-k.c, k.b);
        out.push_back({ "Линейное уравнение",
            { "a = 0, поэтому уравнение линейное: bx + c = 0.",
                "x = −c/b " + WithDecimal(root, sep) } });
    } else if (Sign(k.c) != 0) {
        out.push_back({ "Решений нет",
            { "a = 0 и b = 0, а c ≠ 0: равенство " + TypesetDecimal(k.c, sep)
                + " = 0 неверно ни при каком x." } });
    } else {
        out.push_back({ "Любое x",
            { "a = b = c = 0: равенство 0 = 0 верно при любом x, решений бесконечно много." } });
    }
    out.push_back({ "График",
        { line + " пересекает ось y в точке (0; " + TypesetDecimal(k.c, sep) + ")." } });
    return out;
}

} // namespace

std::vector<SolutionStep> WriteMethodSteps(const EquationFacts& facts, Method method)
{
    if (method == Method::Linear)
        return linearSteps(facts);
    return formulaSteps(facts);
}

std::string WriteEquationAnswer(const EquationFacts&) { return ""; }

std::vector<Method> OfferedMethods(const EquationFacts& facts) { return facts.methods; }
