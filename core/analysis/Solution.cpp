#include "Solution.h"

#include "FunctionSection.h"
#include "Typography.h"
#include "Writers.h"

#include <algorithm>

namespace {

const char* const kNames[] = { "a", "b", "c" };

// The step that states the equation (or inequality) and its coefficients.
SolutionStep statement(const EquationFacts& f, Relation relation)
{
    const Coefficients& k = f.k;
    const char sep = k.separator;
    // The coefficients one by one: a line may break after each comma.
    SolutionStep step { relation == Relation::Equal ? "Уравнение" : "Неравенство",
        { Formula(TypesetPolynomial(k.a, k.b, k.c, sep) + " " + RelationText(relation)),
            Formula("a = " + TypesetDecimal(k.a, sep)) + Prose(", ")
                + Formula("b = " + TypesetDecimal(k.b, sep)) + Prose(", ")
                + Formula("c = " + TypesetDecimal(k.c, sep)) } };
    for (std::size_t i = 0; i < 3; ++i) {
        if (k.rounded[i])
            step.lines.push_back(Prose("Запись ") + Formula(kNames[i])
                + Prose(" слишком длинная для точного счёта: взято её значение одинарной "
                        "точности."));
    }
    if (relation != Relation::Equal && f.kind == EquationFacts::Quadratic)
        step.lines.push_back(Prose("Найдём корни трёхчлена: ")
            + Formula(TypesetPolynomial(k.a, k.b, k.c, sep) + " = 0") + Prose("."));
    return step;
}

std::string precisionNote(const SolvedEquation& solved, const std::string& exact)
{
    const std::string& shown = solved.resultLine;
    if (shown == exact)
        return "";
    std::string note = "Главное окно хранит коэффициенты в одинарной точности, поэтому его "
                       "ответ отличается от точного. В строке результата: «"
        + shown + "», точно: «" + exact + "».";
    const float a = solved.single[0], b = solved.single[1], c = solved.single[2];
    if (a != 0) {
        const long double d = static_cast<long double>(b) * b - 4.0L * a * c;
        note += " В одинарной точности D ≈ " + TypesetApproximation(d, solved.separator) + ".";
    }
    return note;
}

} // namespace

std::string MethodName(Method method, Relation relation)
{
    switch (method) {
    case Method::Formula:
        return "По формуле";
    case Method::HalfDiscriminant:
        return "Через D₁";
    case Method::Incomplete:
        return "Неполное уравнение";
    case Method::Vieta:
        return "По теореме Виета";
    case Method::CompletingSquare:
        return "Выделение полного квадрата";
    case Method::Linear:
        break;
    }
    return relation == Relation::Equal ? "Линейное уравнение" : "Линейное неравенство";
}

std::string RelationText(Relation relation)
{
    switch (relation) {
    case Relation::Greater:
        return "> 0";
    case Relation::GreaterOrEqual:
        return "≥ 0";
    case Relation::Less:
        return "< 0";
    case Relation::LessOrEqual:
        return "≤ 0";
    case Relation::Equal:
        break;
    }
    return "= 0";
}

EquationSolution ExplainEquation(const SolvedEquation& solved, std::optional<Method> method,
    Relation relation, bool complexRoots)
{
    const EquationFacts facts = AnalyseEquation(solved);
    EquationSolution out;
    out.relation = relation;
    out.methods = OfferedMethods(facts);
    const bool offered
        = method && std::find(out.methods.begin(), out.methods.end(), *method) != out.methods.end();
    out.method = offered ? *method : out.methods.front();
    const bool complex = complexRoots && relation == Relation::Equal;
    out.steps.push_back(statement(facts, relation));
    // A linear or constant inequality is solved directly, not by its roots.
    if (relation == Relation::Equal || facts.kind == EquationFacts::Quadratic) {
        for (SolutionStep& step : WriteMethodSteps(facts, out.method, complex))
            out.steps.push_back(std::move(step));
    }
    out.answer = WriteEquationAnswer(facts, complex);
    out.curve = WriteCurve(facts);
    out.description = WriteDescription(facts);
    out.rootSummary = WriteRootSummary(facts);
    if (relation != Relation::Equal)
        WriteInequality(facts, relation, out);
    out.statement = out.steps.front().lines.front();
    out.curve.caption = PlainText(out.statement);
    out.function = WriteFunctionSection(facts, out.curve);
    // Coefficients moved under the plot have no result line to compare.
    if (!solved.resultLine.empty())
        out.precisionNote = precisionNote(solved, WriteExactResultLine(facts));
    return out;
}

std::string ExactResultText(const SolvedEquation& solved)
{
    return WriteExactResultLine(AnalyseEquation(solved));
}
