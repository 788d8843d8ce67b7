#include "Solver.h"
#include "Typography.h"
#include "Writers.h"

#include <utility>
#include <vector>

namespace {

// "(1,25; −0,28125)", or "≈ (1,25; −0,2813)" where a coordinate is rounded.
std::string pointLabel(const Rational& x, const Rational& y, char separator)
{
    bool roundedX = false, roundedY = false;
    const std::string text = "(" + LabelNumber(AsSurd(x), separator, &roundedX) + "; "
        + LabelNumber(AsSurd(y), separator, &roundedY) + ")";
    return (roundedX || roundedY ? "≈ " : "") + text;
}

struct Value {
    std::string text;
    bool rounded = false;
};

// The values on the plot and in a sentence, with more digits where two
// different ones would read alike.
std::vector<Value> valuesOf(const std::vector<Surd>& xs, char separator)
{
    std::vector<Value> out;
    for (const Surd& x : xs) {
        Value v;
        v.text = LabelNumber(x, separator, &v.rounded);
        out.push_back(v);
    }
    if (out.size() == 2 && out[0].text == out[1].text && Compare(xs[0], xs[1]) != 0) {
        const std::vector<std::string> distinct = DistinctDecimals(xs, separator);
        for (std::size_t i = 0; i < 2; ++i)
            out[i].text = distinct[i];
    }
    return out;
}

// A value in a sentence, «около» where rounded.
std::string spoken(const Value& v) { return v.rounded ? "около " + v.text : v.text; }
std::string spoken(const Surd& x, char separator) { return spoken(valuesOf({ x }, separator)[0]); }

// How the function goes and the values it takes, in one sentence: «Функция
// убывает при x ≤ 1,5 и возрастает при x ≥ 1,5, её наименьшее значение
// −0,25» (and so the values from −0,25 up); the vertex as the sentence
// before says it.
std::string behaviour(const EquationFacts& f, const std::string& x0, const std::string& y0)
{
    if (f.kind == EquationFacts::Quadratic) {
        const bool up = Sign(f.k.a) > 0;
        return std::string("Функция ") + (up ? "убывает" : "возрастает") + " при x ≤ " + x0 + " и "
            + (up ? "возрастает" : "убывает") + " при x ≥ " + x0 + ", её "
            + (up ? "наименьшее" : "наибольшее") + " значение " + y0;
    }
    if (f.kind == EquationFacts::Linear)
        return std::string("Функция ") + (Sign(f.k.b) > 0 ? "возрастает" : "убывает")
            + " на всей прямой и принимает любые значения";
    return "Функция постоянна";
}

} // namespace

PlotCurve WriteCurve(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    PlotCurve curve;
    curve.a = static_cast<double>(Approximate(k.a));
    curve.b = static_cast<double>(Approximate(k.b));
    curve.c = static_cast<double>(Approximate(k.c));
    curve.separator = sep;
    if (f.kind == EquationFacts::Quadratic) {
        if (f.signD > 0) {
            const std::vector<Surd> roots { f.roots.first, f.roots.second };
            const std::vector<Value> values = valuesOf(roots, sep);
            for (std::size_t i = 0; i < 2; ++i)
                curve.points.push_back(
                    { PlotPoint::Root, static_cast<double>(Approximate(roots[i])), 0,
                        (i == 0 ? "x₁" : "x₂") + std::string(values[i].rounded ? " ≈ " : " = ")
                            + values[i].text });
        } else if (f.signD == 0) {
            curve.points.push_back(
                { PlotPoint::Root, static_cast<double>(Approximate(f.roots.first)), 0,
                    MarkLabel("x", f.roots.first, sep) });
        }
        curve.points.push_back({ PlotPoint::Vertex, static_cast<double>(Approximate(f.vertexX)),
            static_cast<double>(Approximate(f.vertexY)),
            "вершина " + pointLabel(f.vertexX, f.vertexY, sep) });
    } else if (f.kind == EquationFacts::Linear) {
        curve.points.push_back({ PlotPoint::Root, static_cast<double>(Approximate(f.zeros[0])), 0,
            MarkLabel("x", f.zeros[0], sep) });
    }
    bool rounded = false;
    const std::string c = CompactDecimal(k.c, sep, &rounded);
    curve.points.push_back(
        { PlotPoint::Intercept, 0, curve.c, (rounded ? "≈ (0; " : "(0; ") + c + ")" });
    return curve;
}

std::string WriteDescription(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const std::string polynomial = TypesetPolynomial(k.a, k.b, k.c, sep);
    std::string sentence, x0, y0;
    if (f.kind == EquationFacts::Quadratic) {
        x0 = spoken(AsSurd(f.vertexX), sep);
        y0 = spoken(AsSurd(f.vertexY), sep);
        sentence = "Парабола y = " + polynomial + ", ветви " + (Sign(k.a) > 0 ? "вверх" : "вниз")
            + ", вершина (" + x0 + "; " + y0 + ")";
        if (f.signD > 0) {
            const std::vector<Value> zeros = valuesOf(f.zeros, sep);
            sentence
                += ", пересекает ось x в точках " + spoken(zeros[0]) + " и " + spoken(zeros[1]);
        } else if (f.signD == 0)
            sentence += ", касается оси x в точке " + spoken(f.zeros[0], sep);
        else
            sentence += ", ось x не пересекает";
    } else {
        sentence = "Прямая y = " + polynomial;
        if (f.kind == EquationFacts::Linear)
            sentence += ", пересекает ось x в точке " + spoken(f.zeros[0], sep);
        else if (f.kind == EquationFacts::Never)
            sentence += ", параллельна оси x и её не пересекает";
        else
            sentence += ", совпадает с осью x";
    }
    bool rounded = false;
    const std::string c = CompactDecimal(k.c, sep, &rounded);
    return sentence + ", ось y в точке " + (rounded ? "около " : "") + c + ". "
        + behaviour(f, x0, y0);
}

// The real zeros ascending, each to four digits, «около» where rounded.
std::string WriteRootSummary(const EquationFacts& f)
{
    if (f.kind == EquationFacts::Always)
        return "x — любое число";
    const std::vector<Value> zeros = valuesOf(f.zeros, f.k.separator);
    if (zeros.empty())
        return "корней нет";
    if (zeros.size() == 1)
        return "корень " + spoken(zeros[0]);
    return "корни " + spoken(zeros[0]) + " и " + spoken(zeros[1]);
}

std::string WriteExactResultLine(const EquationFacts& f)
{
    const char sep = f.k.separator;
    switch (f.kind) {
    case EquationFacts::Linear:
        return WriteResultLine(TResultKind::OneRoot, RoundedToFourDigits(f.zeros[0]), 0, sep);
    case EquationFacts::Never:
        return WriteResultLine(TResultKind::NoRoots, 0, 0, sep);
    case EquationFacts::Always:
        return WriteResultLine(TResultKind::Infinitely, 0, 0, sep);
    case EquationFacts::Quadratic:
        break;
    }
    if (f.signD < 0)
        return WriteResultLine(TResultKind::NoRoots, 0, 0, sep);
    if (f.signD == 0)
        return WriteResultLine(TResultKind::OneRoot, RoundedToFourDigits(f.roots.first), 0, sep);
    return WriteResultLine(TResultKind::TwoRoots, RoundedToFourDigits(f.roots.first),
        RoundedToFourDigits(f.roots.second), sep);
}
