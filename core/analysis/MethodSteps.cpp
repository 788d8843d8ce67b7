#include "Typography.h"
#include "Writers.h"

#include <algorithm>
#include <iterator>

namespace {

const char* const kLongRootsNote
    = "Точная запись корней длиннее 40 знаков, поэтому показаны десятичные значения.";
const char* const kLongValueNote = " (точная запись длиннее 40 знаков)";

bool isLong(const std::string& text) { return CharacterCount(text) > kLongestExactForm; }

bool isOne(const ExactDecimal& x) { return x.m == 1 && x.e == 0; }

// A root typeset with the sign of its root part: "(3 + √5)/2", "−5/2".
std::string rootText(const Surd& x, char sep) { return TypesetSurd(x, x.q < 0 ? "−" : "+", sep); }

// (p ± q√r)/d with q ≥ 0: both roots in one.
Surd pairOf(const RootPair& roots)
{
    Surd both = roots.first;
    if (both.q < 0)
        both.q = -both.q;
    return both;
}

// The distance of either root from the axis, √D/(2|a|): q√r/d, or half the
// difference where the roots are rational (and q = 0).
Surd halfWidth(const RootPair& roots)
{
    const Surd& x1 = roots.first;
    const Surd& x2 = roots.second;
    if (x1.q == 0) {
        const BigInt difference = x1.p * x2.d - x2.p * x1.d;
        return AsSurd(
            MakeRational(difference < 0 ? BigInt(-difference) : difference, 2 * x1.d * x2.d));
    }
    Surd half = pairOf(roots);
    half.p = 0;
    const BigInt g = boost::multiprecision::gcd(half.q, half.d);
    half.q /= g;
    half.d /= g;
    return half;
}

// ±√D/(2a) typeset: "±5/4", "±√5/2".
std::string plusMinusHalf(const Surd& half, char sep)
{
    if (half.q != 0)
        return TypesetSurd(half, "±", sep);
    return "±" + TypesetRational(MakeRational(half.p, half.d), sep);
}

// "x₁ = 2", or "x₁ ≈ 2,619" where the exact form is long.
std::string namedRoot(const std::string& name, const Surd& x, char sep)
{
    const std::string text = rootText(x, sep);
    return isLong(text) ? name + " ≈ " + ShortDecimal(x, sep) : name + " = " + text;
}

// "= 25", or "≈ 1,2·10⁷⁵ (точная запись длиннее 40 знаков)".
std::string valueOf(const ExactDecimal& x, char sep)
{
    const std::string text = TypesetDecimal(x, sep);
    if (isLong(text))
        return "≈ " + ShortDecimal(Divide(x, ExactDecimal { 1, 0 }), sep) + kLongValueNote;
    return "= " + text;
}

// A rational after √ or inside a product: bracketed where it is a fraction.
std::string radicand(const Rational& x, char sep)
{
    const std::string text = TypesetRational(x, sep);
    return x.den == 1 && x.num >= 0 ? text : "(" + text + ")";
}

// √x of an exact decimal where it is one: √6,25 = 2,5.
std::optional<ExactDecimal> exactSquareRoot(const ExactDecimal& value)
{
    const ExactDecimal x = Normalised(value);
    if (Sign(x) < 0)
        return std::nullopt;
    BigInt m = x.m;
    long e = x.e;
    if (e % 2 != 0) {
        m *= 10;
        --e;
    }
    const BigInt s = boost::multiprecision::sqrt(m);
    if (s * s != m)
        return std::nullopt;
    return Normalised({ s, e / 2 });
}

// The values put into (−b ± √D)/(2a): "(7 ± √25)/4", "±√32/2", "3 + 1";
// `root` is what stands after the sign.
std::string overDenominator(const ExactDecimal& minusB, const std::string& sign,
    const std::string& root, const ExactDecimal& den, char sep)
{
    const bool alone = Sign(minusB) == 0;
    std::string numerator = (sign == "+" ? "" : sign) + root;
    if (!alone)
        numerator = TypesetDecimal(minusB, sep) + " " + sign + " " + root;
    if (isOne(den))
        return numerator;
    return (alone ? numerator : "(" + numerator + ")") + "/" + Substituted(den, sep);
}

// "x₁ = <how> = <root> ≈ <decimal>": `how` is the method's last expression
// for the root, left out where empty, long or the root itself.
std::string rootLine(const std::string& name, const std::string& how, const Surd& x, char sep)
{
    const std::string text = rootText(x, sep);
    const bool shown = !how.empty() && how != text && !isLong(how) && !isLong(text);
    return name + (shown ? " = " + how : "") + " " + WithDecimal(text, x, sep);
}

// Any exact form of the roots longer than 40 characters.
bool longRoots(const EquationFacts& f)
{
    const char sep = f.k.separator;
    return std::max({ CharacterCount(TypesetSurd(pairOf(f.roots), "±", sep)),
               CharacterCount(rootText(f.roots.first, sep)),
               CharacterCount(rootText(f.roots.second, sep)) })
        > kLongestExactForm;
}

// The decimal real part ("" for 0) and imaginary factor ("i", "0,866i") of
// the complex pair.
void complexDecimals(const EquationFacts& f, std::string& real, std::string& imaginary)
{
    const char sep = f.k.separator;
    const Surd both = pairOf(f.roots);
    Surd imaginaryPart = halfWidth(f.roots);
    imaginaryPart.imaginary = false;
    const Rational re = MakeRational(both.p, both.d);
    const std::string im = ShortDecimal(imaginaryPart, sep);
    real = re.num == 0 ? "" : ShortDecimal(re, sep);
    imaginary = (im == "1" ? "" : im) + "i";
}

// "x₁,₂ = (−1 ± i√3)/2 ≈ −0,5 ± 0,866i", and the note where it is long.
void addComplexPair(const EquationFacts& f, std::vector<std::string>& lines)
{
    std::string real, imaginary;
    complexDecimals(f, real, imaginary);
    const std::string pair = TypesetSurd(pairOf(f.roots), "±", f.k.separator);
    const std::string decimal = (real.empty() ? "±" : real + " ± ") + imaginary;
    if (longRoots(f)) {
        lines.push_back("x₁,₂ ≈ " + decimal);
        lines.push_back(kLongRootsNote);
    } else {
        lines.push_back("x₁,₂ = " + pair + (pair == decimal ? "" : " ≈ " + decimal));
    }
}

// The roots' lines, each after the method's own last expression for it.
void addRootLines(const EquationFacts& f, std::vector<std::string>& lines, const std::string& how1,
    const std::string& how2)
{
    const char sep = f.k.separator;
    if (f.signD == 0) {
        lines.push_back(rootLine("x", how1, f.roots.first, sep));
    } else {
        lines.push_back(rootLine("x₁", how1, f.roots.first, sep));
        lines.push_back(rootLine("x₂", how2, f.roots.second, sep));
    }
    if (longRoots(f))
        lines.push_back(kLongRootsNote);
}

// By the formula (−m ± √R)/n: D with −b over 2a, or D₁ with −k over a.
struct RootFormula {
    const char* name; // "D", "D₁"
    const char* general; // "(−b ± √D)/(2a)"
    const char* single; // "−b/(2a)"
    ExactDecimal minusM, radicand, den;
};

SolutionStep formulaRoots(const EquationFacts& f, const RootFormula& r)
{
    const char sep = f.k.separator;
    const std::string name = r.name;
    SolutionStep step { "Корни", {} };
    if (f.signD < 0) {
        step.lines.push_back(name + " < 0: действительных корней нет, корни комплексные.");
        addComplexPair(f, step.lines);
        return step;
    }
    if (f.signD == 0) {
        step.lines.push_back(name + " = 0: один корень (два совпадающих).");
        addRootLines(f, step.lines, r.single, "");
        return step;
    }
    step.lines.push_back(name + " > 0: два действительных корня.");
    std::string line = "x₁,₂ = " + std::string(r.general);
    const std::string root = TypesetDecimal(r.radicand, sep);
    const std::string put = overDenominator(
        r.minusM, "±", "√" + (IsScientific(r.radicand) ? "(" + root + ")" : root), r.den, sep);
    std::string how1, how2;
    if (const auto s = exactSquareRoot(r.radicand)) {
        // A perfect square: its root put in, then each sign on its own.
        const std::string value = TypesetDecimal(*s, sep);
        const std::string taken = overDenominator(r.minusM, "±", value, r.den, sep);
        if (!isLong(put) && !isLong(taken))
            line += " = " + put + " = " + taken;
        how1 = overDenominator(r.minusM, "+", value, r.den, sep);
        how2 = overDenominator(r.minusM, "−", value, r.den, sep);
    } else if (!longRoots(f)) {
        const std::string pair = TypesetSurd(pairOf(f.roots), "±", sep);
        line += isLong(put) || put == pair ? " = " + pair : " = " + put + " = " + pair;
    }
    step.lines.push_back(line);
    addRootLines(f, step.lines, how1, how2);
    return step;
}

std::vector<SolutionStep> formulaSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    SolutionStep discriminant { "Дискриминант",
        { "D = b² − 4ac = " + Substituted(k.b, sep) + "² − 4·" + Substituted(k.a, sep) + "·"
            + Substituted(k.c, sep) + " " + valueOf(f.d, sep) } };
    const RootFormula formula { "D", "(−b ± √D)/(2a)", "−b/(2a)", -k.b, f.d,
        ExactDecimal { 2, 0 } * k.a };
    return { discriminant, formulaRoots(f, formula) };
}

std::vector<SolutionStep> halfDiscriminantSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal& half = *f.halfB;
    const ExactDecimal& d1 = *f.d1;
    SolutionStep discriminant { "Дискриминант D₁",
        { "k = b/2 = " + TypesetDecimal(k.b, sep) + "/2 " + valueOf(half, sep),
            "D₁ = k² − ac = " + Substituted(half, sep) + "² − " + Substituted(k.a, sep) + "·"
                + Substituted(k.c, sep) + " " + valueOf(d1, sep) } };
    const RootFormula formula { "D₁", "(−k ± √D₁)/a", "−k/a", -half, d1, k.a };
    return { discriminant, formulaRoots(f, formula) };
}

// Exactly zero.
bool isZero(const Surd& x) { return x.p == 0 && x.q == 0; }

std::vector<SolutionStep> incompleteSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal zero { 0, 0 };
    const std::string square = TypesetPolynomial(k.a, zero, zero, sep);
    SolutionStep step { "Неполное уравнение", {} };
    if (Sign(k.b) == 0 && Sign(k.c) == 0) {
        step.heading += " (b = c = 0)";
        if (!isOne(k.a))
            step.lines.push_back(square + " = 0");
        step.lines.push_back("x² = 0");
        addRootLines(f, step.lines, "", "");
    } else if (Sign(k.c) == 0) {
        // x(ax + b) = 0: one factor is zero.
        const std::string linear = TypesetPolynomial(zero, k.a, k.b, sep);
        step.heading += " (c = 0)";
        step.lines.push_back("x(" + linear + ") = 0");
        step.lines.push_back("x = 0 или " + linear + " = 0");
        const Rational other = Divide(-k.b, k.a);
        const std::string otherLine = "= −b/a " + WithDecimal(other, sep);
        // x₁ is the root with +√D = +|b| over 2a.
        const bool firstIsZero = isZero(f.roots.first);
        step.lines.push_back("x₁ " + (firstIsZero ? "= 0" : otherLine));
        step.lines.push_back("x₂ " + (firstIsZero ? otherLine : "= 0"));
    } else {
        // ax² = −c, x² = −c/a.
        const Rational quotient = Divide(-k.c, k.a);
        step.heading += " (b = 0)";
        if (!isOne(k.a))
            step.lines.push_back(square + " = " + TypesetDecimal(-k.c, sep));
        step.lines.push_back("x² = −c/a " + WithDecimal(quotient, sep));
        if (quotient.num < 0) {
            step.lines.push_back("−c/a < 0: действительных корней нет, корни комплексные.");
            addComplexPair(f, step.lines);
            return { step };
        }
        const std::string pair = plusMinusHalf(halfWidth(f.roots), sep);
        const std::string put = "±√" + radicand(quotient, sep);
        if (!isLong(put) && !isLong(pair))
            step.lines.push_back("x₁,₂ = ±√(−c/a) = " + put + (put == pair ? "" : " = " + pair));
        addRootLines(f, step.lines, "", "");
    }
    return { step };
}

// The rational as a finite decimal where it is one (its denominator 2ⁱ·5ʲ).
std::optional<ExactDecimal> finiteDecimal(const Rational& x)
{
    BigInt den = x.den;
    long twos = 0, fives = 0;
    for (; den % 2 == 0; den /= 2)
        ++twos;
    for (; den % 5 == 0; den /= 5)
        ++fives;
    if (den != 1)
        return std::nullopt;
    const long n = std::max(twos, fives);
    BigInt scale = 1;
    for (long i = 0; i < n; ++i)
        scale *= 10;
    return Normalised({ x.num * scale / x.den, -n });
}

// x² + px + q: "x² − 3,5x + 1,5", "x² − (5/6)x + 1/6".
std::string reducedPolynomial(const Rational& p, const Rational& q, char sep)
{
    const auto finiteP = finiteDecimal(p), finiteQ = finiteDecimal(q);
    if (finiteP && finiteQ)
        return TypesetPolynomial({ 1, 0 }, *finiteP, *finiteQ, sep);
    std::string out = "x²";
    if (p.num != 0) {
        const Rational magnitude { p.num < 0 ? BigInt(-p.num) : p.num, p.den };
        const bool bare = magnitude.num == 1 && magnitude.den == 1;
        out += (p.num < 0 ? " − " : " + ") + (bare ? "" : radicand(magnitude, sep)) + "x";
    }
    if (q.num != 0) {
        const Rational magnitude { q.num < 0 ? BigInt(-q.num) : q.num, q.den };
        out += (q.num < 0 ? " − " : " + ") + TypesetRational(magnitude, sep);
    }
    return out;
}

std::vector<SolutionStep> vietaSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational p = Divide(k.b, k.a), q = Divide(k.c, k.a);
    const Rational minusP { -p.num, p.den };
    SolutionStep step { "По теореме Виета", {} };
    // x² + px + q = 0 as it is where a = 1.
    if (!isOne(k.a))
        step.lines.push_back("Делим на a = " + TypesetDecimal(k.a, sep) + ": "
            + reducedPolynomial(p, q, sep) + " = 0");
    step.lines.push_back("x₁ + x₂ = −p " + WithDecimal(minusP, sep));
    step.lines.push_back("x₁·x₂ = q " + WithDecimal(q, sep));
    if (f.signD == 0)
        step.lines.push_back("Подбором: " + namedRoot("x₁ = x₂", f.roots.first, sep));
    else
        step.lines.push_back("Подбором: " + namedRoot("x₁", f.roots.first, sep) + ", "
            + namedRoot("x₂", f.roots.second, sep));
    return { step };
}

std::vector<SolutionStep> completingSquareSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational& h = f.vertexX; // −b/(2a)
    const Rational right = MakeRational(-f.vertexY.num, f.vertexY.den); // D/(4a)
    const Rational reducedRight = Divide(f.d, ExactDecimal { 4, 0 } * k.a * k.a); // D/(4a²)
    const std::string hText = TypesetRational(h, sep);
    const std::string lead = LeadingFactor(k.a, sep);
    std::string rightText = TypesetRational(right, sep);
    std::string reducedText = TypesetRational(reducedRight, sep);
    const bool exact = !isLong(hText) && !isLong(rightText) && !isLong(reducedText);
    const std::string relation = exact ? " = " : " ≈ ";
    if (!exact) {
        rightText = ShortDecimal(right, sep);
        reducedText = ShortDecimal(reducedRight, sep);
    }
    // x + b/(2a) with the value: "x − 3/2", "x".
    std::string inner = "x";
    if (h.num != 0)
        inner = exact ? Factor(AsSurd(h), hText, sep) : DecimalFactor(ShortDecimal(h, sep));
    if (inner != "x")
        inner = inner.substr(1, inner.size() - 2);
    const std::string squared = inner == "x" ? "x²" : "(" + inner + ")²";

    SolutionStep step { "Выделение полного квадрата",
        { "a(x + b/(2a))² = D/(4a), D = b² − 4ac " + valueOf(f.d, sep) } };
    step.lines.push_back(lead + squared + relation + rightText);
    if (!isOne(k.a))
        step.lines.push_back(squared + relation + reducedText);
    if (f.signD < 0) {
        step.lines.push_back("Квадрат не может быть отрицательным: действительных корней нет, "
                             "корни комплексные.");
        addComplexPair(f, step.lines);
        return { step };
    }
    if (f.signD == 0) {
        addRootLines(f, step.lines, "−b/(2a)", "");
        return { step };
    }
    const Surd half = halfWidth(f.roots);
    const std::string halfText = plusMinusHalf(half, sep);
    std::string how1, how2;
    if (exact && !isLong(halfText)) {
        const std::string put = "±√" + radicand(reducedRight, sep);
        step.lines.push_back(inner + " = " + put + (put == halfText ? "" : " = " + halfText));
        if (h.num != 0) {
            // x₁ takes +√D/(2a): the upper sign where a > 0.
            const std::string plus = hText + " + " + TypesetSurd(half, "+", sep);
            const std::string minus = hText + " − " + TypesetSurd(half, "+", sep);
            how1 = Sign(k.a) > 0 ? plus : minus;
            how2 = Sign(k.a) > 0 ? minus : plus;
        }
    } else {
        step.lines.push_back(inner + " ≈ ±" + ShortDecimal(half, sep));
    }
    addRootLines(f, step.lines, how1, how2);
    return { step };
}

// "3 − 5/2": the second term's sign merged, a root that is a sum bracketed.
std::string sumOf(const std::string& x, const std::string& y)
{
    const auto term = [](const std::string& t) {
        return t.find(' ') != std::string::npos && t.front() != '(' ? "(" + t + ")" : t;
    };
    const std::string minus = "−";
    if (term(y) == y && y.compare(0, minus.size(), minus) == 0)
        return term(x) + " − " + y.substr(minus.size());
    return term(x) + " + " + term(y);
}

// "2·(−5)": a negative second factor bracketed.
std::string productOf(const std::string& x, const std::string& y)
{
    return x + "·" + (y.compare(0, std::string("−").size(), "−") == 0 ? "(" + y + ")" : y);
}

// "x₁ + x₂ = 3 + 1/2 = 7/2 = −b/a"; where the exact forms are long, the
// same in decimals: "x₁ + x₂ ≈ 2,619 + 0,3818 ≈ 3,001 = −b/a".
std::string checkLine(bool product, const std::string& expression, const RootPair& roots,
    const Rational& value, char sep)
{
    const std::string left = product ? "x₁·x₂" : "x₁ + x₂";
    const std::string right = product ? "c/a" : "−b/a";
    const std::string text = TypesetRational(value, sep);
    if (!isLong(expression) && !isLong(text))
        return left + " = " + expression + " = " + text + " = " + right;
    const std::string d1 = ShortDecimal(roots.first, sep), d2 = ShortDecimal(roots.second, sep);
    bool roundedNothing = false;
    const std::string decimal
        = TypesetApproximation(RoundedToFourDigits(value, &roundedNothing), sep);
    return left + " ≈ " + (product ? productOf(d1, d2) : sumOf(d1, d2)) + " ≈ " + decimal
        + (roundedNothing ? " = " : " ≈ ") + right;
}

// Sum and product of the actual roots against −b/a and c/a, and the
// factored form.
SolutionStep checkStep(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational sum = Divide(-k.b, k.a), product = Divide(k.c, k.a);
    SolutionStep check { "Проверка по теореме Виета", {} };
    if (f.signD < 0) {
        check.lines.push_back("x₁ + x₂ = −b/a " + WithDecimal(sum, sep));
        check.lines.push_back("x₁·x₂ = c/a " + WithDecimal(product, sep));
    } else {
        const Surd& x1 = f.roots.first;
        const Surd& x2 = f.roots.second;
        const std::string t1 = rootText(x1, sep), t2 = rootText(x2, sep);
        std::string added = sumOf(t1, t2);
        std::string multiplied = productOf(t1, t2);
        if (x1.q != 0 && x1.p != 0) {
            // Conjugates over one denominator: the product of the brackets.
            const Surd n1 { x1.p, x1.q, x1.r, 1, false }, n2 { x2.p, x2.q, x2.r, 1, false };
            multiplied = "(" + rootText(n1, sep) + ")(" + rootText(n2, sep) + ")";
            if (x1.d != 1)
                multiplied += "/" + TypesetInteger(x1.d * x1.d);
        }
        check.lines.push_back(checkLine(false, added, f.roots, sum, sep));
        check.lines.push_back(checkLine(true, multiplied, f.roots, product, sep));
    }

    const std::string first = rootText(f.roots.first, sep);
    const std::string second = rootText(f.roots.second, sep);
    const std::string lead = LeadingFactor(k.a, sep);
    std::string factored = lead + Factor(f.roots.first, first, sep);
    factored += f.signD == 0 ? "²" : Factor(f.roots.second, second, sep);
    std::string factoredLine = "a(x − x₁)(x − x₂) ";
    if (CharacterCount(factored) <= kLongestExactForm) {
        factoredLine += "= " + factored;
    } else if (f.signD > 0) {
        // The decimal values in place of the long exact ones.
        factoredLine += "≈ " + lead + DecimalFactor(ShortDecimal(f.roots.first, sep))
            + DecimalFactor(ShortDecimal(f.roots.second, sep));
    } else if (f.signD == 0) {
        factoredLine += "≈ " + lead + DecimalFactor(ShortDecimal(f.roots.first, sep)) + "²";
    } else {
        std::string real, imaginary;
        complexDecimals(f, real, imaginary);
        const std::string re = real.empty() ? "" : real + " ";
        factoredLine += "≈ " + lead + "(x − (" + re + "+ " + imaginary + "))(x − (" + re + "− "
            + imaginary + "))";
    }
    check.lines.push_back(factoredLine + (f.signD < 0 ? " (над комплексными числами)" : ""));
    return check;
}

SolutionStep parabolaStep(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    return { "Парабола",
        { "Вершина: (−b/(2a); −D/(4a)) " + WithDecimals(f.vertexX, f.vertexY, sep),
            "Ось симметрии: x " + WithDecimal(f.vertexX, sep),
            Sign(k.a) > 0 ? "Ветви направлены вверх (a > 0)." : "Ветви направлены вниз (a < 0).",
            "Пересечение с осью y: (0; c) = (0; " + TypesetDecimal(k.c, sep) + ")" } };
}

std::vector<SolutionStep> linearSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
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
    return out;
}

// The steps of the method itself, up to the roots.
std::vector<SolutionStep> rootSteps(const EquationFacts& f, Method method)
{
    switch (method) {
    case Method::HalfDiscriminant:
        return halfDiscriminantSteps(f);
    case Method::Incomplete:
        return incompleteSteps(f);
    case Method::Vieta:
        return vietaSteps(f);
    case Method::CompletingSquare:
        return completingSquareSteps(f);
    case Method::Formula:
    case Method::Linear:
        break;
    }
    return formulaSteps(f);
}

bool applies(const EquationFacts& f, Method method)
{
    return std::find(f.methods.begin(), f.methods.end(), method) != f.methods.end();
}

std::size_t length(const std::vector<SolutionStep>& steps)
{
    std::size_t n = 0;
    for (const SolutionStep& step : steps) {
        n += CharacterCount(step.heading);
        for (const std::string& line : step.lines)
            n += CharacterCount(line);
    }
    return n;
}

} // namespace

std::vector<SolutionStep> WriteMethodSteps(const EquationFacts& facts, Method method)
{
    if (facts.kind != EquationFacts::Quadratic)
        return linearSteps(facts);
    std::vector<SolutionStep> out
        = rootSteps(facts, applies(facts, method) ? method : Method::Formula);
    out.push_back(checkStep(facts));
    return out;
}

SolutionStep WriteGraphStep(const EquationFacts& facts)
{
    if (facts.kind == EquationFacts::Quadratic)
        return parabolaStep(facts);
    const Coefficients& k = facts.k;
    return { "График",
        { "Прямая y = " + TypesetPolynomial(k.a, k.b, k.c, k.separator)
            + " пересекает ось y в точке (0; " + TypesetDecimal(k.c, k.separator) + ")." } };
}

std::string WriteEquationAnswer(const EquationFacts& facts)
{
    const char sep = facts.k.separator;
    switch (facts.kind) {
    case EquationFacts::Linear:
        return "Ответ: " + namedRoot("x", facts.zeros[0], sep) + ".";
    case EquationFacts::Never:
        return "Ответ: решений нет.";
    case EquationFacts::Always:
        return "Ответ: x — любое число.";
    case EquationFacts::Quadratic:
        break;
    }
    if (facts.signD < 0)
        return "Ответ: действительных корней нет.";
    if (facts.signD == 0)
        return "Ответ: " + namedRoot("x", facts.roots.first, sep) + ".";
    return "Ответ: " + namedRoot("x₁", facts.roots.first, sep) + ", "
        + namedRoot("x₂", facts.roots.second, sep) + ".";
}

std::vector<Method> OfferedMethods(const EquationFacts& facts)
{
    // Ties go to the method a school meets first for such an equation.
    static const Method order[] = {
        Method::Incomplete,
        Method::Vieta,
        Method::HalfDiscriminant,
        Method::Formula,
        Method::CompletingSquare,
        Method::Linear,
    };
    std::vector<std::pair<std::size_t, Method>> ranked;
    for (const Method method : order) {
        if (!applies(facts, method))
            continue;
        const std::size_t n = method == Method::Linear ? 0 : length(rootSteps(facts, method));
        ranked.emplace_back(n, method);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
        [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<Method> out;
    std::transform(ranked.begin(), ranked.end(), std::back_inserter(out),
        [](const auto& entry) { return entry.second; });
    return out;
}
