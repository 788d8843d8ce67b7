#include "Facts.h"

namespace {

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

// m·10^e, normalised, is an even integer: m even, or a multiple of ten.
bool isEvenInteger(const ExactDecimal& x) { return x.e > 0 || (x.e == 0 && x.m % 2 == 0); }

Surd asSurd(const Rational& x) { return { x.num, 0, 1, x.den, false }; }

} // namespace

EquationFacts AnalyseEquation(const SolvedEquation& solved)
{
    EquationFacts f;
    f.k = exactCoefficients(solved);
    const Coefficients& k = f.k;
    const int signA = Sign(k.a);
    if (signA == 0) {
        f.methods = { Method::Linear };
        if (Sign(k.b) != 0) {
            f.kind = EquationFacts::Linear;
            f.zeros = { asSurd(Divide(-k.c, k.b)) };
            f.signs = { -Sign(k.b), Sign(k.b) };
        } else {
            f.kind = Sign(k.c) != 0 ? EquationFacts::Never : EquationFacts::Always;
            f.signs = { Sign(k.c) };
        }
        return f;
    }

    f.kind = EquationFacts::Quadratic;
    f.d = k.b * k.b - ExactDecimal { 4, 0 } * k.a * k.c;
    f.signD = Sign(f.d);
    f.roots = QuadraticRoots(k.a, k.b, f.d);
    if (isEvenInteger(k.b)) {
        f.halfB = Normalised(k.b * ExactDecimal { 5, -1 });
        f.d1 = *f.halfB * *f.halfB - k.a * k.c;
    }
    f.vertexX = Divide(-k.b, ExactDecimal { 2, 0 } * k.a);
    f.vertexY = Divide(-f.d, ExactDecimal { 4, 0 } * k.a);
    // The first root, with +√D over 2a, is the greater where a > 0.
    if (f.signD > 0) {
        f.zeros = signA > 0 ? std::vector<Surd> { f.roots.second, f.roots.first }
                            : std::vector<Surd> { f.roots.first, f.roots.second };
        f.signs = { signA, -signA, signA };
    } else if (f.signD == 0) {
        f.zeros = { f.roots.first };
        f.signs = { signA, signA };
    } else {
        f.signs = { signA };
    }

    f.methods = { Method::Formula, Method::CompletingSquare };
    if (f.d1)
        f.methods.push_back(Method::HalfDiscriminant);
    if (Sign(k.b) == 0 || Sign(k.c) == 0)
        f.methods.push_back(Method::Incomplete);
    // Vieta's theorem as a school applies it: integer roots of the reduced
    // equation, whose p and q are then integers too.
    const auto isInteger = [](const Surd& x) { return x.q == 0 && x.d == 1; };
    if (f.signD >= 0 && isInteger(f.roots.first) && isInteger(f.roots.second))
        f.methods.push_back(Method::Vieta);
    return f;
}
