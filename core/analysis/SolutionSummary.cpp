#include "Solver.h"
#include "Typography.h"
#include "Writers.h"

#include <utility>

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
            const Surd* roots[] = { &f.roots.first, &f.roots.second };
            for (int i = 0; i < 2; ++i)
                curve.points.push_back(
                    { PlotPoint::Root, static_cast<double>(Approximate(*roots[i])), 0,
                        MarkLabel(i == 0 ? "x₁" : "x₂", *roots[i], sep) });
        } else if (f.signD == 0) {
            curve.points.push_back(
                { PlotPoint::Root, static_cast<double>(Approximate(f.roots.first)), 0,
                    MarkLabel("x", f.roots.first, sep) });
        }
        curve.points.push_back({ PlotPoint::Vertex, static_cast<double>(Approximate(f.vertexX)),
            static_cast<double>(Approximate(f.vertexY)),
            "вершина (" + ShortDecimal(f.vertexX, sep) + "; " + ShortDecimal(f.vertexY, sep)
                + ")" });
    } else if (f.kind == EquationFacts::Linear) {
        curve.points.push_back({ PlotPoint::Root, static_cast<double>(Approximate(f.zeros[0])), 0,
            MarkLabel("x", f.zeros[0], sep) });
    }
    curve.points.push_back(
        { PlotPoint::Intercept, 0, curve.c, "(0; " + CompactDecimal(k.c, sep) + ")" });
    return curve;
}

std::string WriteDescription(const EquationFacts& f)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    const std::string polynomial = TypesetPolynomial(k.a, k.b, k.c, sep);
    std::string sentence;
    if (f.kind == EquationFacts::Quadratic) {
        sentence = "Парабола y = " + polynomial + ", ветви " + (Sign(k.a) > 0 ? "вверх" : "вниз")
            + ", вершина (" + ShortDecimal(f.vertexX, sep) + "; " + ShortDecimal(f.vertexY, sep)
            + ")";
        if (f.signD > 0)
            sentence += ", пересекает ось x в точках " + ShortDecimal(f.zeros[0], sep) + " и "
                + ShortDecimal(f.zeros[1], sep);
        else if (f.signD == 0)
            sentence += ", касается оси x в точке " + ShortDecimal(f.zeros[0], sep);
        else
            sentence += ", ось x не пересекает";
    } else {
        sentence = "Прямая y = " + polynomial;
        if (f.kind == EquationFacts::Linear)
            sentence += ", пересекает ось x в точке " + ShortDecimal(f.zeros[0], sep);
        else if (f.kind == EquationFacts::Never)
            sentence += ", параллельна оси x и её не пересекает";
        else
            sentence += ", совпадает с осью x";
    }
    return sentence + ", ось y в точке " + CompactDecimal(k.c, sep);
}

// The real zeros ascending, each to four digits, «около» where rounded.
std::string WriteRootSummary(const EquationFacts& f)
{
    const auto value = [&f](const Surd& x) {
        bool exact = false;
        const std::string decimal
            = TypesetApproximation(RoundedToFourDigits(x, &exact), f.k.separator);
        return exact ? decimal : "около " + decimal;
    };
    if (f.kind == EquationFacts::Always)
        return "x — любое число";
    if (f.zeros.empty())
        return "корней нет";
    if (f.zeros.size() == 1)
        return "корень " + value(f.zeros[0]);
    return "корни " + value(f.zeros[0]) + " и " + value(f.zeros[1]);
}

std::string WriteExactResultLine(const EquationFacts& f)
{
    const char sep = f.k.separator;
    const std::string oneRoot = "Один корень и он равен ";
    switch (f.kind) {
    case EquationFacts::Linear:
        return oneRoot + FormatRoot(RoundedToFourDigits(f.zeros[0]), sep);
    case EquationFacts::Never:
        return "Уравнение решений не имеет";
    case EquationFacts::Always:
        return "Бесконечное множество решений";
    case EquationFacts::Quadratic:
        break;
    }
    if (f.signD < 0)
        return "Уравнение решений не имеет";
    if (f.signD == 0)
        return oneRoot + FormatRoot(RoundedToFourDigits(f.roots.first), sep);
    return "x1= " + FormatRoot(RoundedToFourDigits(f.roots.first), sep)
        + "; x2= " + FormatRoot(RoundedToFourDigits(f.roots.second), sep);
}
