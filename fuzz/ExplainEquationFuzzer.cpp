// ExplainEquation on any three texts (split as for SolveQuadratic), by any
// method and with any relation (chosen by the input's length): it fails
// exactly where Solve does, writes by a method it offers, and what it writes
// and plots never holds an infinity, a NaN, a negative zero or E notation,
// whatever the exponents.
#include "FuzzSupport.h"
#include "PlainText.h"
#include "Solution.h"
#include "Solver.h"
#include "SysUtils.h"

#include <algorithm>
#include <cmath>

namespace {

bool readable(const std::string& text)
{
    for (const char* bad : { "inf", "nan", "-0 ", "−0 ", "−0)", "−0;", "−0\n" }) {
        if ((text + "\n").find(bad) != std::string::npos)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::string texts[3];
    if (!readTexts(data, size, texts))
        return 0;
    bool solves = true;
    try {
        solves = SolveQuadratic(texts[0], texts[1], texts[2]).kind == TSolveKind::Evaluated;
    } catch (const Exception&) {
        solves = false;
    }
    try {
        const auto method = static_cast<Method>(size / 5 % 6);
        const auto relation = static_cast<Relation>(size % 5);
        const bool complexRoots = size % 7 == 0;
        const EquationSolution solution = ExplainEquation(
            texts[0], texts[1], texts[2], DecimalSeparator, method, relation, complexRoots);
        FUZZ_ASSERT(solves, "only what Solve solves is explained");
        FUZZ_ASSERT(std::find(solution.methods.begin(), solution.methods.end(), solution.method)
                != solution.methods.end(),
            "the steps use a method offered");
        // Only the note quotes the result line, E notation and all.
        std::string plain = SolutionPlainText(solution);
        std::size_t note = std::string::npos;
        if (!solution.precisionNote.empty())
            note = plain.find(solution.precisionNote);
        if (note != std::string::npos)
            plain.erase(note, solution.precisionNote.size());
        std::string all = solution.description + "\n" + plain;
        for (const PlotPoint& point : solution.curve.points)
            all += "\n" + point.label;
        // E notation is an E before the exponent's sign or digits; E(y), the
        // range of the function, is not.
        bool eNotation = false;
        for (std::size_t at = all.find('E'); at != std::string::npos; at = all.find('E', at + 1))
            eNotation = eNotation || (at + 1 < all.size() && all[at + 1] != '(');
        FUZZ_ASSERT(!eNotation, "no E notation is written");
        FUZZ_ASSERT(complexRoots || all.find('i') == std::string::npos,
            "no imaginary unit unless complex roots are asked for");
        FUZZ_ASSERT(readable(all + "\n" + solution.precisionNote),
            "no inf, nan or negative zero is written");
        const PlotBox box = FitView(solution.curve);
        FUZZ_ASSERT(std::isfinite(box.width()) && box.width() > 0 && std::isfinite(box.height())
                && box.height() > 0,
            "the view is a finite box");
    } catch (const Exception&) {
        FUZZ_ASSERT(!solves, "what Solve solves is explained");
    }
    return 0;
}
