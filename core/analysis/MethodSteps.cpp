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
StepLine valueOf(const ExactDecimal& x, char sep)
{
    const std::string text = TypesetDecimal(x, sep);
    if (isLong(text))
        return Formula("≈ " + ShortDecimal(Divide(x, ExactDecimal { 1, 0 }), sep))
            + Prose(kLongValueNote);
    return Formula("= " + text);
}

// The root of a rational: "√4", "√(1/4)".
std::string rootOf(const Rational& x, char sep) { return SquareRoot(TypesetRational(x, sep)); }

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
// The values put into (−b ± √D)/(2a): "(7 ± √25)/4", "(±√32)/2", "3 + 1";
// `root` is what stands after the sign. A root over a denominator is
// bracketed, since √32/2 would read as √(32/2).
std::string overDenominator(const ExactDecimal& minusB, const std::string& sign,
    const std::string& root, const ExactDecimal& den, char sep)
{
    const bool alone = Sign(minusB) == 0;
    std::string numerator = (sign == "+" ? "" : sign) + root;
    if (!alone)
        numerator = TypesetDecimal(minusB, sep) + " " + sign + " " + root;
    if (isOne(den))
        return numerator;
    const bool bracketed = !alone || root.find("√") != std::string::npos;
    return (bracketed ? "(" + numerator + ")" : numerator) + "/" + Substituted(den, sep);
}

// x/y with the values put in: "6/2", "−3/(−2)", or x alone for y = 1 or x = 0.
std::string quotient(const ExactDecimal& x, const ExactDecimal& y, char sep)
{
    const std::string over = isOne(y) || Sign(x) == 0 ? "" : "/" + Substituted(y, sep);
    return TypesetDecimal(x, sep) + over;
}

// "<formula> = <values>": the values left out where long or the same text
// as the value they give.
std::string formulaWithValues(
    const std::string& formula, const std::string& values, const std::string& result)
{
    return values == result || isLong(values) ? formula : formula + " = " + values;
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

// "x₁,₂ = (−1 ± i√3)/2", or "x₁,₂ ≈ −0,5 ± 0,866i" where the exact pair is
// long.
std::string complexPair(const EquationFacts& f, bool withDecimals)
{
    std::string real, imaginary;
    complexDecimals(f, real, imaginary);
    const std::string pair = TypesetSurd(pairOf(f.roots), "±", f.k.separator);
    const std::string decimal = (real.empty() ? "±" : real + " ± ") + imaginary;
    if (longRoots(f))
        return "x₁,₂ ≈ " + decimal;
    return "x₁,₂ = " + pair + (!withDecimals || pair == decimal ? "" : " ≈ " + decimal);
}

// Where D < 0: in the school's course, that there are no roots; else the
// complex pair, with the note where it is long.
void addNoRealRoots(const EquationFacts& f, bool complexRoots, const StepLine& realLine,
    const StepLine& complexLine, std::vector<StepLine>& lines)
{
    if (!complexRoots) {
        lines.push_back(realLine);
        return;
    }
    lines.push_back(complexLine);
    lines.push_back(Formula(complexPair(f, true)));
    if (longRoots(f))
        lines.push_back(Prose(kLongRootsNote));
}

const char* const kNoSquareRoot = "Квадрат числа не может быть отрицательным, поэтому корней нет.";

// The roots' lines, each after the method's own last expression for it.
void addRootLines(const EquationFacts& f, std::vector<StepLine>& lines, const std::string& how1,
    const std::string& how2)
{
    const char sep = f.k.separator;
    if (f.signD == 0) {
        lines.push_back(Formula(rootLine("x", how1, f.roots.first, sep)));
    } else if (isLong(rootText(f.roots.first, sep)) && isLong(rootText(f.roots.second, sep))) {
        // Decimals that tell the roots apart, however close.
        const std::vector<std::string> decimals
            = DistinctDecimals({ f.roots.first, f.roots.second }, sep);
        lines.push_back(Formula("x₁ ≈ " + decimals[0]));
        lines.push_back(Formula("x₂ ≈ " + decimals[1]));
    } else {
        lines.push_back(Formula(rootLine("x₁", how1, f.roots.first, sep)));
        lines.push_back(Formula(rootLine("x₂", how2, f.roots.second, sep)));
    }
    if (longRoots(f))
        lines.push_back(Prose(kLongRootsNote));
}

// By the formula (−m ± √R)/n: D with −b over 2a, or D₁ with −k over a.
struct RootFormula {
    const char* name; // "D", "D₁"
    const char* general; // "(−b ± √D)/(2a)"
    const char* single; // "−b/(2a)"
    ExactDecimal minusM, radicand, den;
};

SolutionStep formulaRoots(const EquationFacts& f, const RootFormula& r, bool complexRoots)
{
    const char sep = f.k.separator;
    const std::string name = r.name;
    SolutionStep step { "Корни", {} };
    if (f.signD < 0) {
        addNoRealRoots(f, complexRoots, Formula(name + " < 0") + Prose(", корней нет."),
            Formula(name + " < 0") + Prose(": действительных корней нет, корни комплексные."),
            step.lines);
        return step;
    }
    if (f.signD == 0) {
        step.lines.push_back(Formula(name + " = 0") + Prose(": один корень (два совпадающих)."));
        addRootLines(f, step.lines,
            formulaWithValues(
                r.single, quotient(r.minusM, r.den, sep), rootText(f.roots.first, sep)),
            "");
        return step;
    }
    // «Действительных» only where complex numbers are taught.
    step.lines.push_back(Formula(name + " > 0")
        + Prose(complexRoots ? ": два действительных корня." : ": два корня."));
    std::string line = "x₁,₂ = " + std::string(r.general);
    const std::string root = TypesetDecimal(r.radicand, sep);
    const std::string put = overDenominator(r.minusM, "±", SquareRoot(root), r.den, sep);
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
        if (!isLong(put) && put != pair)
            line += " = " + put;
        // The square taken out of the root first: (20 ± √396)/2 = (20 ± 6√11)/2.
        const ExactDecimal n = Normalised(r.radicand);
        if (n.e >= 0) {
            BigInt square, rest;
            TakeOutSquares(n.m * BigInt(pow(BigInt(10), static_cast<unsigned>(n.e))), square, rest);
            const std::string taken = overDenominator(r.minusM, "±",
                TypesetInteger(square) + SquareRoot(TypesetInteger(rest)), r.den, sep);
            if (square > 1 && rest > 1 && taken != pair && !isLong(taken))
                line += " = " + taken;
        }
        line += " = " + pair;
    }
    step.lines.push_back(Formula(line));
    addRootLines(f, step.lines, how1, how2);
    return step;
}

// "D = b² − 4ac = (−7)² − 4·2·3 = 25".
StepLine discriminantLine(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    return Formula("D = b² − 4ac = " + Substituted(k.b, sep) + "² − 4·" + Substituted(k.a, sep)
               + "·" + Substituted(k.c, sep) + " ")
        + valueOf(f.d, sep);
}

std::vector<SolutionStep> formulaSteps(const EquationFacts& f, bool complexRoots)
{
    const Coefficients& k = f.k;
    SolutionStep discriminant { "Дискриминант", { discriminantLine(f) } };
    const RootFormula formula { "D", "(−b ± √D)/(2a)", "−b/(2a)", -k.b, f.d,
        ExactDecimal { 2, 0 } * k.a };
    return { discriminant, formulaRoots(f, formula, complexRoots) };
}

std::vector<SolutionStep> halfDiscriminantSteps(const EquationFacts& f, bool complexRoots)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal& half = *f.halfB;
    const ExactDecimal& d1 = *f.d1;
    SolutionStep discriminant { "Дискриминант D₁",
        { Formula("k = b/2 = " + TypesetDecimal(k.b, sep) + "/2 ") + valueOf(half, sep),
            Formula("D₁ = k² − ac = " + Substituted(half, sep) + "² − " + Substituted(k.a, sep)
                + "·" + Substituted(k.c, sep) + " ")
                + valueOf(d1, sep) } };
    const RootFormula formula { "D₁", "(−k ± √D₁)/a", "−k/a", -half, d1, k.a };
    return { discriminant, formulaRoots(f, formula, complexRoots) };
}

// Exactly zero.
bool isZero(const Surd& x) { return x.p == 0 && x.q == 0; }

std::vector<SolutionStep> incompleteSteps(const EquationFacts& f, bool complexRoots)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal zero { 0, 0 };
    const std::string square = TypesetPolynomial(k.a, zero, zero, sep);
    SolutionStep step { "Неполное уравнение", {} };
    if (Sign(k.b) == 0 && Sign(k.c) == 0) {
        step.heading += " (b = c = 0)";
        if (!isOne(k.a))
            step.lines.push_back(Formula(square + " = 0"));
        step.lines.push_back(Formula("x² = 0"));
        addRootLines(f, step.lines, "", "");
    } else if (Sign(k.c) == 0) {
        // x(ax + b) = 0: one factor is zero.
        const std::string linear = TypesetPolynomial(zero, k.a, k.b, sep);
        step.heading += " (c = 0)";
        step.lines.push_back(Formula("x(" + linear + ") = 0"));
        step.lines.push_back(Formula("x = 0") + Prose(" или ") + Formula(linear + " = 0"));
        const Rational other = Divide(-k.b, k.a);
        if (!isOne(k.a))
            step.lines.push_back(Formula(
                TypesetPolynomial(zero, k.a, zero, sep) + " = " + TypesetDecimal(-k.b, sep)));
        const std::string otherLine
            = rootLine("", quotient(-k.b, k.a, sep), AsSurd(other), sep).substr(1);
        // x₁ is the root with +√D = +|b| over 2a.
        const bool firstIsZero = isZero(f.roots.first);
        step.lines.push_back(Formula("x₁ " + (firstIsZero ? "= 0" : otherLine)));
        step.lines.push_back(Formula("x₂ " + (firstIsZero ? otherLine : "= 0")));
    } else {
        // ax² = −c, x² = −c/a.
        const Rational ratio = Divide(-k.c, k.a);
        step.heading += " (b = 0)";
        if (!isOne(k.a))
            step.lines.push_back(Formula(square + " = " + TypesetDecimal(-k.c, sep)));
        const std::string values = quotient(-k.c, k.a, sep);
        const bool withValues = values != TypesetRational(ratio, sep) && !isLong(values);
        step.lines.push_back(
            Formula("x² " + (withValues ? "= " + values + " " : "") + WithDecimal(ratio, sep)));
        if (ratio.num < 0) {
            addNoRealRoots(f, complexRoots, Prose(kNoSquareRoot),
                Formula("−c/a < 0") + Prose(": действительных корней нет, корни комплексные."),
                step.lines);
            return { step };
        }
        const std::string pair = plusMinusHalf(halfWidth(f.roots), sep);
        const std::string put = "±" + rootOf(ratio, sep);
        if (!isLong(put) && !isLong(pair))
            step.lines.push_back(Formula("x₁,₂ = " + put + (put == pair ? "" : " = " + pair)));
        addRootLines(f, step.lines, "", "");
    }
    return { step };
}

// A value put in for x: "3", "(−2)", "1,5", "(1/3)".
std::string putIn(const Rational& x, char sep)
{
    if (const auto decimal = FiniteDecimal(x)) {
        if (CharacterCount(TypesetDecimal(*decimal, sep)) <= 8)
            return Substituted(*decimal, sep);
    }
    return "(" + TypesetRational(x, sep) + ")";
}

// |x|.
Rational magnitude(const Rational& x) { return { x.num < 0 ? BigInt(-x.num) : x.num, x.den }; }

// x² + px + q with rationals: "x² − 3,5x + 1,5", "x² − (5/6)x + 1/6".
std::string reducedPolynomial(const Rational& p, const Rational& q, char sep)
{
    const auto finiteP = FiniteDecimal(p), finiteQ = FiniteDecimal(q);
    if (finiteP && finiteQ)
        return TypesetPolynomial({ 1, 0 }, *finiteP, *finiteQ, sep);
    std::string out = "x²";
    if (p.num != 0) {
        const Rational m = magnitude(p);
        const std::string text = TypesetRational(m, sep);
        const std::string factor = m.den != 1 ? "(" + text + ")" : m.num == 1 ? "" : text;
        AppendTerm(out, p.num < 0, factor + "x");
    }
    if (q.num != 0)
        AppendTerm(out, q.num < 0, TypesetRational(magnitude(q), sep));
    return out;
}

// «Делим на a = 2: x² − 3x + 1 = 0».
StepLine dividedByA(const ExactDecimal& a, const std::string& reduced, char sep)
{
    return Prose("Делим на ") + Formula("a = " + TypesetDecimal(a, sep)) + Prose(": ")
        + Formula(reduced + " = 0");
}

// Only for integer roots, which make p and q integers too.
std::vector<SolutionStep> vietaSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational p = Divide(k.b, k.a), q = Divide(k.c, k.a);
    SolutionStep step { "По теореме Виета", {} };
    // x² + px + q = 0 as it is where a = 1.
    if (!isOne(k.a))
        step.lines.push_back(dividedByA(k.a, reducedPolynomial(p, q, sep), sep));
    step.lines.push_back(Formula("p = " + TypesetInteger(p.num)) + Prose(", ")
        + Formula("q = " + TypesetInteger(q.num)));
    step.lines.push_back(Formula("x₁ + x₂ = −p = " + TypesetInteger(-p.num)));
    step.lines.push_back(Formula("x₁·x₂ = q = " + TypesetInteger(q.num)));
    if (f.signD == 0)
        step.lines.push_back(
            Prose("Подбором: ") + Formula("x₁ = x₂ = " + rootText(f.roots.first, sep)));
    else
        step.lines.push_back(Prose("Подбором: ") + Formula("x₁ = " + rootText(f.roots.first, sep))
            + Prose(", ") + Formula("x₂ = " + rootText(f.roots.second, sep)));
    return { step };
}

std::vector<SolutionStep> completingSquareSteps(const EquationFacts& f, bool complexRoots)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational& h = f.vertexX; // −b/(2a)
    const Rational right = MakeRational(-f.vertexY.num, f.vertexY.den); // D/(4a)
    const Rational reducedRight = Divide(f.d, ExactDecimal { 4, 0 } * k.a * k.a); // D/(4a²)
    const Rational p = Divide(k.b, k.a), q = Divide(k.c, k.a);
    const Surd half = halfWidth(f.roots); // √D/(2|a|), where D > 0
    // Decimals all the way where every number on it is a short one
    // (x² − 3,5x + 1,5 = 0, (x − 1,75)² = 1,5625), else fractions.
    const auto shortDecimal = [sep](const Rational& x) {
        const auto decimal = FiniteDecimal(x);
        return decimal && CharacterCount(TypesetDecimal(*decimal, sep)) <= 8;
    };
    const bool decimals = shortDecimal(h) && shortDecimal(q) && shortDecimal(reducedRight)
        && (f.signD <= 0 || half.q != 0 || shortDecimal(MakeRational(half.p, half.d)));
    const auto number = [&](const Rational& x) {
        return decimals ? TypesetDecimal(*FiniteDecimal(x), sep) : TypesetRational(x, sep);
    };
    const std::string hText = number(h);
    const std::string lead = LeadingFactor(k.a, sep);
    std::string rightText = TypesetRational(right, sep);
    std::string reducedText = number(reducedRight);
    const bool exact = !isLong(hText) && !isLong(rightText) && !isLong(reducedText);
    const std::string relation = exact ? " = " : " ≈ ";
    if (!exact) {
        rightText = ShortDecimal(right, sep);
        reducedText = ShortDecimal(reducedRight, sep);
    }
    // x + b/(2a) with the value: "x − 3/2", "x − 1,5", "x".
    std::string inner = "x";
    if (h.num != 0 && exact)
        inner = decimals ? DecimalFactor(hText) : Factor(AsSurd(h), hText, sep);
    else if (h.num != 0)
        inner = DecimalFactor(ShortDecimal(h, sep));
    if (inner != "x")
        inner = inner.substr(1, inner.size() - 2);
    const std::string squared = inner == "x" ? "x²" : "(" + inner + ")²";

    SolutionStep step { "Выделение полного квадрата", {} };
    // As the eighth grade does it: x² + px + q = 0 (divided by a), the square
    // of x + p/2 completed by adding and taking away (p/2)², then moved apart.
    const std::string halfP = number(magnitude(h));
    const std::string halfPText = decimals || h.den == 1 ? halfP : "(" + halfP + ")";
    std::string completed = "x²";
    AppendTerm(completed, h.num > 0, "2·x·" + halfPText);
    completed += " + " + halfPText + "² − " + halfPText + "²";
    if (q.num != 0)
        AppendTerm(completed, q.num < 0, number(magnitude(q)));
    const std::string reduced = reducedPolynomial(p, q, sep);
    if (exact && CharacterCount(completed) <= 2 * kLongestExactForm && !isLong(reduced)) {
        if (!isOne(k.a))
            step.lines.push_back(dividedByA(k.a, reduced, sep));
        if (h.num != 0) {
            step.lines.push_back(Formula(completed + " = 0"));
            if (reducedRight.num != 0) {
                // (x + p/2)² − (p/2)² + q = 0, where (p/2)² − q = D/(4a²).
                std::string moved = squared;
                AppendTerm(moved, reducedRight.num > 0, number(magnitude(reducedRight)));
                step.lines.push_back(Formula(moved + " = 0"));
            }
        }
        step.lines.push_back(Formula(squared + " = " + reducedText));
    } else {
        // Too long to write out: the identity a(x + b/(2a))² = D/(4a) at once.
        step.lines.push_back(discriminantLine(f));
        step.lines.push_back(Formula("a(x + b/(2a))² = D/(4a)"));
        step.lines.push_back(Formula(lead + squared + relation + rightText));
        if (!isOne(k.a))
            step.lines.push_back(Formula(squared + relation + reducedText));
    }
    if (f.signD < 0) {
        addNoRealRoots(f, complexRoots, Prose(kNoSquareRoot),
            Prose("Квадрат не может быть отрицательным: действительных корней нет, корни "
                  "комплексные."),
            step.lines);
        return { step };
    }
    if (f.signD == 0) {
        if (inner != "x")
            step.lines.push_back(Formula(inner + " = 0"));
        addRootLines(f, step.lines, "", "");
        return { step };
    }
    // The half-width as the rest of the way writes it: "5/4", "1,25", "3√11".
    const std::string halfValue
        = half.q == 0 ? number(MakeRational(half.p, half.d)) : TypesetSurd(half, "+", sep);
    const std::string halfText = "±" + halfValue;
    std::string how1, how2;
    if (exact && !isLong(halfText)) {
        const std::string put = "±" + SquareRoot(reducedText);
        step.lines.push_back(
            Formula(inner + " = " + put + (put == halfText ? "" : " = " + halfText)));
        if (h.num != 0) {
            // x₁ takes +√D/(2a): the upper sign where a > 0.
            const std::string plus = hText + " + " + halfValue;
            const std::string minus = hText + " − " + halfValue;
            how1 = Sign(k.a) > 0 ? plus : minus;
            how2 = Sign(k.a) > 0 ? minus : plus;
        }
    } else {
        step.lines.push_back(Formula(inner + " ≈ ±" + ShortDecimal(half, sep)));
    }
    addRootLines(f, step.lines, how1, how2);
    return { step };
}

// "3 + (−5/2)": a root that is a sum or negative bracketed.
std::string sumOf(const std::string& x, const std::string& y)
{
    const auto term = [](const std::string& t) {
        return t.find(' ') != std::string::npos && t.front() != '(' ? "(" + t + ")" : t;
    };
    // A negative term bracketed, as the product brackets it: 2 + (−2).
    const std::string second = term(y) == y && y.rfind("−", 0) == 0 ? "(" + y + ")" : term(y);
    return term(x) + " + " + second;
}

bool isNegative(const std::string& text) { return text.rfind("−", 0) == 0; }

// "(−1)·5", "2·(−5)": a negative factor bracketed.
std::string productOf(const std::string& x, const std::string& y)
{
    return (isNegative(x) ? "(" + x + ")" : x) + "·" + (isNegative(y) ? "(" + y + ")" : y);
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

// a·x² + b·x + c with `value` put in for x: "1,5² − 3·1,5 + 2",
// "2·(−1)² + 3".
std::string trinomialAt(const Coefficients& k, const std::string& value)
{
    const ExactDecimal* coefficients[] = { &k.a, &k.b, &k.c };
    std::string out;
    for (int i = 0; i < 3; ++i) {
        const ExactDecimal& v = *coefficients[i];
        if (Sign(v) == 0)
            continue;
        const ExactDecimal magnitude = Sign(v) < 0 ? -v : v;
        std::string term;
        if (i == 2)
            term = TypesetDecimal(magnitude, k.separator);
        else
            term = (isOne(magnitude) ? "" : TypesetDecimal(magnitude, k.separator) + "·") + value
                + (i == 0 ? "²" : "");
        AppendTerm(out, Sign(v) < 0, term);
    }
    return out;
}

// The terms of a·x² + b·x + c worked out at `x`: "9 − 15 + 6"; empty where
// there is nothing to work out (a single term, a zero term) or it is long.
std::string termValues(const Coefficients& k, const ExactDecimal& x)
{
    const ExactDecimal* coefficients[] = { &k.a, &k.b, &k.c };
    const ExactDecimal values[] = { k.a * x * x, k.b * x, k.c };
    std::string out;
    int terms = 0;
    for (int i = 0; i < 3; ++i) {
        if (Sign(*coefficients[i]) == 0)
            continue;
        if (Sign(values[i]) == 0)
            return "";
        ++terms;
        const bool negative = Sign(values[i]) < 0;
        AppendTerm(out, negative, TypesetDecimal(negative ? -values[i] : values[i], k.separator));
    }
    return terms > 1 && !isLong(out) ? out : "";
}

// Sum and product of the actual roots against −b/a and c/a.
SolutionStep vietaCheckStep(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const Rational sum = Divide(-k.b, k.a), product = Divide(k.c, k.a);
    SolutionStep check { "Проверка по теореме Виета", {} };
    if (f.signD < 0) {
        check.lines.push_back(Formula("x₁ + x₂ = −b/a " + WithDecimal(sum, sep)));
        check.lines.push_back(Formula("x₁·x₂ = c/a " + WithDecimal(product, sep)));
        return check;
    }
    const Surd& x1 = f.roots.first;
    const Surd& x2 = f.roots.second;
    const std::string t1 = rootText(x1, sep), t2 = rootText(x2, sep);
    // The one root is both x₁ and x₂ of the theorem.
    if (f.signD == 0)
        check.lines.push_back(Formula("x₁ = x₂ = " + (isLong(t1) ? "x" : t1)));
    std::string multiplied = productOf(t1, t2);
    if (x1.q != 0 && x1.p != 0) {
        // Conjugates over one denominator: the product of the brackets.
        const Surd n1 { x1.p, x1.q, x1.r, 1, false }, n2 { x2.p, x2.q, x2.r, 1, false };
        multiplied = "(" + rootText(n1, sep) + ")(" + rootText(n2, sep) + ")";
        if (x1.d != 1)
            multiplied += "/" + TypesetInteger(x1.d * x1.d);
    }
    check.lines.push_back(Formula(checkLine(false, sumOf(t1, t2), f.roots, sum, sep)));
    check.lines.push_back(Formula(checkLine(true, multiplied, f.roots, product, sep)));
    return check;
}

// The roots found by Vieta's theorem put into the equation as typed.
SolutionStep substitutionStep(const EquationFacts& f)
{
    SolutionStep check { "Проверка подстановкой", {} };
    const Surd* roots[] = { &f.roots.first, &f.roots.second };
    for (int i = 0; i < (f.signD == 0 ? 1 : 2); ++i) {
        const Surd& x = *roots[i]; // an integer
        const std::string worked = termValues(f.k, { x.p, 0 });
        check.lines.push_back(Formula(trinomialAt(f.k, putIn(MakeRational(x.p, x.d), f.k.separator))
            + (worked.empty() ? "" : " = " + worked) + " = 0"));
    }
    return check;
}

// a(x − x₁)(x − x₂) with the school's signs, or its decimals where long.
SolutionStep factorStep(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const std::string first = rootText(f.roots.first, sep);
    const std::string second = rootText(f.roots.second, sep);
    const std::string lead = LeadingFactor(k.a, sep);
    std::string factors = Factor(f.roots.first, first, sep);
    if (f.signD == 0)
        factors += "²";
    else if (isZero(f.roots.second)) // x(x − 5), not (x − 5)x
        factors.insert(0, "x");
    else
        factors += Factor(f.roots.second, second, sep);
    const std::string factored = lead + factors;
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
    return { "Разложение на множители",
        { Formula(factoredLine) + Prose(f.signD < 0 ? " (над комплексными числами)" : "") } };
}

std::vector<SolutionStep> linearSteps(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const ExactDecimal zero { 0, 0 };
    std::vector<SolutionStep> out;
    if (Sign(k.b) != 0) {
        // bx + c = 0, bx = −c, x = −c/b, each with its values.
        const Rational root = Divide(-k.c, k.b);
        SolutionStep step { "Линейное уравнение",
            { Formula("a = 0") + Prose(", поэтому уравнение линейное: ")
                + Formula(TypesetPolynomial(zero, k.b, k.c, sep) + " = 0") + Prose(".") } };
        if (Sign(k.c) != 0 && !isOne(k.b))
            step.lines.push_back(Formula(
                TypesetPolynomial(zero, k.b, zero, sep) + " = " + TypesetDecimal(-k.c, sep)));
        step.lines.push_back(Formula(rootLine("x", quotient(-k.c, k.b, sep), AsSurd(root), sep)));
        out.push_back(step);
    } else if (Sign(k.c) != 0) {
        out.push_back({ "Решений нет",
            { Formula("a = 0") + Prose(" и ") + Formula("b = 0") + Prose(", а ") + Formula("c ≠ 0")
                + Prose(": равенство ") + Formula(TypesetDecimal(k.c, sep) + " = 0")
                + Prose(" неверно ни при каком ") + Formula("x") + Prose(".") } });
    } else {
        out.push_back({ "Любое x",
            { Formula("a = b = c = 0") + Prose(": равенство ") + Formula("0 = 0")
                + Prose(" верно при любом ") + Formula("x")
                + Prose(", решений бесконечно много.") } });
    }
    return out;
}

// The steps of the method itself, up to the roots.
std::vector<SolutionStep> rootSteps(const EquationFacts& f, Method method, bool complexRoots)
{
    switch (method) {
    case Method::HalfDiscriminant:
        return halfDiscriminantSteps(f, complexRoots);
    case Method::Incomplete:
        return incompleteSteps(f, complexRoots);
    case Method::Vieta:
        return vietaSteps(f);
    case Method::CompletingSquare:
        return completingSquareSteps(f, complexRoots);
    case Method::Formula:
    case Method::Linear:
        break;
    }
    return formulaSteps(f, complexRoots);
}

bool applies(const EquationFacts& f, Method method)
{
    return std::find(f.methods.begin(), f.methods.end(), method) != f.methods.end();
}

} // namespace

std::vector<SolutionStep> WriteMethodSteps(
    const EquationFacts& facts, Method method, bool complexRoots)
{
    if (facts.kind != EquationFacts::Quadratic)
        return linearSteps(facts);
    const Method used = applies(facts, method) ? method : Method::Formula;
    std::vector<SolutionStep> out = rootSteps(facts, used, complexRoots);
    // No roots in the school's course: nothing to check or factor.
    if (facts.signD < 0 && !complexRoots)
        return out;
    out.push_back(used == Method::Vieta ? substitutionStep(facts) : vietaCheckStep(facts));
    out.push_back(factorStep(facts));
    return out;
}

std::string VertexXFormula(const EquationFacts& facts, const std::string& x0)
{
    const Coefficients& k = facts.k;
    const std::string put = quotient(-k.b, ExactDecimal { 2, 0 } * k.a, k.separator);
    return formulaWithValues("x₀ = −b/(2a)", put, x0) + " = " + x0;
}

std::string TrinomialAt(const Coefficients& k, const std::string& value)
{
    return trinomialAt(k, value);
}

StepLine WriteEquationAnswer(const EquationFacts& facts, bool complexRoots)
{
    const char sep = facts.k.separator;
    const StepLine stop = Prose(".");
    switch (facts.kind) {
    case EquationFacts::Linear:
        return Formula(namedRoot("x", facts.zeros[0], sep)) + stop;
    case EquationFacts::Never:
        return Prose("решений нет.");
    case EquationFacts::Always:
        return Formula("x") + Prose(" — любое число.");
    case EquationFacts::Quadratic:
        break;
    }
    if (facts.signD < 0)
        return complexRoots ? Formula(complexPair(facts, false)) + stop : Prose("корней нет.");
    if (facts.signD == 0)
        return Formula(namedRoot("x", facts.roots.first, sep)) + stop;
    const std::string x1 = rootText(facts.roots.first, sep);
    const std::string x2 = rootText(facts.roots.second, sep);
    if (!isLong(x1) && !isLong(x2))
        return Formula("x₁ = " + x1) + Prose(", ") + Formula("x₂ = " + x2) + stop;
    // Decimals with as many digits as tell the roots apart.
    const std::vector<std::string> decimals
        = DistinctDecimals({ facts.roots.first, facts.roots.second }, sep);
    return Formula("x₁ ≈ " + decimals[0]) + Prose(", ") + Formula("x₂ ≈ " + decimals[1]) + stop;
}

std::vector<Method> OfferedMethods(const EquationFacts& facts)
{
    // The school's order: the formula first, whatever the equation, so that
    // a class told to solve by it finds it in the same place every time.
    static const Method order[] = {
        Method::Formula,
        Method::HalfDiscriminant,
        Method::Incomplete,
        Method::Vieta,
        Method::CompletingSquare,
        Method::Linear,
    };
    std::vector<Method> out;
    std::copy_if(std::begin(order), std::end(order), std::back_inserter(out),
        [&facts](Method method) { return applies(facts, method); });
    return out;
}
