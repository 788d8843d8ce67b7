#include "Solver.h"

#include "SysUtils.h"

#include <cfloat>
#include <cmath>

namespace {

// Coefficients are single precision: a value that underflows becomes zero (the
// equation then loses its degree), one beyond the range is refused rather than
// turned into infinity.
float toCoefficient(const std::string& text, char separator)
{
    const float value = static_cast<float>(StrToFloat(text, separator));
    if (std::isinf(value))
        throw Exception("Число " + QuoteForMessage(text)
            + " вне допустимого диапазона: " + "по модулю не больше "
            + FloatToStrF(FLT_MAX, TFloatFormat::ffGeneral, 2, 2, separator) + ".");
    return value;
}

// Roots are shown as single-precision values, like the coefficients. A root
// outside the normal single range (it can be, for a tiny a) keeps its
// working-precision value, so that it is neither shown as 0 nor overflows.
long double asShown(long double root)
{
    const float single = static_cast<float>(root);
    if (root == 0 || (std::isfinite(single) && std::fabs(single) >= FLT_MIN))
        return single;
    return root;
}

std::string twoRoots(float a, float b, float c, long double d, char separator)
{
    // The textbook formula loses the smaller root to cancellation when
    // |b| ≈ √D (e.g. a = c = 1, b = 1e19 gives 0 instead of -1e-19). The root
    // whose sign matches -b is computed with the formula, where -b and ∓√D add
    // up; the other follows from Vieta's x1·x2 = c/a (Numerical Recipes, 5.6).
    // x1 stays the root of +√D and x2 that of -√D.
    const long double s = std::sqrt(d);
    const long double twoA = 2.0L * a;
    long double x1 = 0;
    long double x2 = 0;
    if (b < 0) {
        x1 = (-static_cast<long double>(b) + s) / twoA;
        x2 = c / (a * x1);
    } else {
        x2 = (-static_cast<long double>(b) - s) / twoA;
        x1 = c / (a * x2);
    }
    return WriteResultLine(TResultKind::TwoRoots, asShown(x1), asShown(x2), separator);
}

std::string resultFor(float a, float b, float c, char separator)
{
    // Products of two floats are exact in long double, so the sign of D, and
    // with it the choice of rule, is exact for the stored coefficients.
    const long double d = static_cast<long double>(b) * b - 4.0L * a * c;
    if (a == 0 && b == 0 && c == 0)
        return WriteResultLine(TResultKind::Infinitely, 0, 0, separator);
    if (a == 0 && b != 0)
        return WriteResultLine(
            TResultKind::OneRoot, -static_cast<long double>(c) / b, 0, separator);
    if (a != 0 && d > 0)
        return twoRoots(a, b, c, d, separator);
    if (d < 0 || (a == 0 && b == 0))
        return WriteResultLine(TResultKind::NoRoots, 0, 0, separator);
    if (b == 0 && c == 0)
        return WriteResultLine(TResultKind::OneRoot, 0, 0, separator);
    // a ≠ 0 and D = 0: the double root.
    return WriteResultLine(
        TResultKind::OneRoot, asShown(-static_cast<long double>(b) / (2.0L * a)), 0, separator);
}

} // namespace

std::string FormatRoot(long double value) { return FormatRoot(value, DecimalSeparator); }

std::string WriteResultLine(TResultKind kind, long double x1, long double x2, char separator)
{
    switch (kind) {
    case TResultKind::NoRoots:
        return "Уравнение решений не имеет";
    case TResultKind::Infinitely:
        return "Бесконечное множество решений";
    case TResultKind::OneRoot:
        return "Один корень и он равен " + FormatRoot(x1, separator);
    case TResultKind::TwoRoots:
        break;
    }
    return "x1= " + FormatRoot(x1, separator) + "; x2= " + FormatRoot(x2, separator);
}

std::string FormatRoot(long double value, char separator)
{
    return FloatToStrF(value, TFloatFormat::ffGeneral, 4, 2, separator);
}

TSolveOutcome SolveQuadratic(const std::string& tA, const std::string& tB, const std::string& tC)
{
    const std::string* const texts[] = { &tA, &tB, &tC };
    for (int field = 0; field < 3; ++field) {
        if (texts[field]->empty())
            return { TSolveKind::MissingValues, field + 1, false, {}, {} };
    }
    TSolveOutcome outcome { TSolveKind::Evaluated, 0, true, {},
        SolveForExplanation({ tA, tB, tC }, DecimalSeparator) };
    outcome.resultText = outcome.solved.resultLine;
    return outcome;
}

SolvedEquation ReadEquation(const std::array<std::string, 3>& texts, char separator)
{
    for (const std::string& text : texts) {
        if (text.empty())
            throw Exception("Надо ввести значения параметров a,b,c");
    }
    SolvedEquation solved { texts, separator, {}, {} };
    for (std::size_t i = 0; i < texts.size(); ++i)
        solved.single[i] = toCoefficient(texts[i], separator);
    return solved;
}

SolvedEquation SolveForExplanation(const std::array<std::string, 3>& texts, char separator)
{
    SolvedEquation solved = ReadEquation(texts, separator);
    solved.resultLine = resultFor(solved.single[0], solved.single[1], solved.single[2], separator);
    return solved;
}
