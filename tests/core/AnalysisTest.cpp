// The explained solution: exact forms from the typed texts, the steps of each
// rule, the single-precision note, inequalities, and the plot's view and ticks.
#include "CoefficientText.h"
#include "ExactNumbers.h"
#include "Inequality.h"
#include "LabelPlacement.h"
#include "LatexExport.h"
#include "PaperScale.h"
#include "PlainText.h"
#include "PlotTrace.h"
#include "PlotView.h"
#include "Solution.h"
#include "SysUtils.h"
#include "Typography.h"

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <boost/multiprecision/cpp_int.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

// Methods by their names in gtest's messages.
void PrintTo(Method method, std::ostream* out) { *out << MethodName(method); }

namespace {

class Analysis : public ::testing::Test {
protected:
    void TearDown() override { DecimalSeparator = '.'; }
};

// The digits' narrow group spaces as plain ones, for rows that read as a
// book prints them; TextbookNotation pins the narrow space itself.
std::string plainSpaces(std::string text)
{
    for (std::size_t at; (at = text.find("\u202F")) != std::string::npos;)
        text.replace(at, std::string("\u202F").size(), " ");
    return text;
}

std::string allLines(const EquationSolution& s)
{
    std::string out;
    std::vector<SolutionStep> steps = s.steps;
    steps.insert(steps.end(), s.function.begin(), s.function.end());
    for (const SolutionStep& step : steps) {
        out += "[" + step.heading + "]\n";
        for (const StepLine& line : step.lines)
            out += PlainText(line) + "\n";
    }
    return plainSpaces(out);
}

constexpr Relation kGreater = Relation::Greater, kAtLeast = Relation::GreaterOrEqual,
                   kLess = Relation::Less, kAtMost = Relation::LessOrEqual;
const Relation kInequalities[] = { kGreater, kAtLeast, kLess, kAtMost };

struct Case {
    const char* name;
    const char *a, *b, *c;
    std::vector<const char*> lines; // each must appear, whole, in the steps
    Method method = Method::Formula;
    bool complexRoots = false;
};

// The lines by the row's method, by default the formula, which every
// equation with a ≠ 0 may be solved by.
void expectLines(const std::vector<Case>& cases, char separator = '.')
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = allLines(
            ExplainEquation(c.a, c.b, c.c, separator, c.method, Relation::Equal, c.complexRoots));
        for (const char* line : c.lines)
            EXPECT_NE(text.find(std::string(line) + "\n"), std::string::npos) << line << "\nin\n"
                                                                              << text;
    }
}

TEST_F(Analysis, ExactFormsAreSimplified)
{
    expectLines({
        { "integers", "1", "-3", "2",
            { "x₁ = (3 + 1)/2 = 2", "x₂ = (3 − 1)/2 = 1", "a(x − x₁)(x − x₂) = (x − 2)(x − 1)" } },
        { "irrational pair", "1", "-3", "1",
            { "x₁,₂ = (−b ± √D)/(2a) = (3 ± √5)/2", "x₁ = (3 + √5)/2 ≈ 2.618",
                "x₂ = (3 − √5)/2 ≈ 0.382" } },
        { "fractions", "6", "-5", "1",
            { "x₁ = (5 + 1)/12 = 1/2 = 0.5", "x₂ = (5 − 1)/12 = 1/3 ≈ 0.3333" } },
        { "perfect square D", "1", "0", "-4",
            { "x₁,₂ = (−b ± √D)/(2a) = (±√16)/2 = ±4/2", "x₁ = 4/2 = 2", "x₂ = −4/2 = −2" } },
        { "square factor out of the root", "1", "0", "-8",
            { "x₁,₂ = (−b ± √D)/(2a) = (±√32)/2 = (±4√2)/2 = ±2√2",
                "a(x − x₁)(x − x₂) = (x − 2√2)(x + 2√2)" } },
        { "gcd reduces the fraction", "2", "-4", "-4",
            { "x₁,₂ = (−b ± √D)/(2a) = (4 ± √48)/4 = (4 ± 4√3)/4 = 1 ± √3" } },
        { "a < 0: x₁ takes +√D", "-1", "3", "-1",
            { "x₁ = (3 − √5)/2 ≈ 0.382", "x₂ = (3 + √5)/2 ≈ 2.618" } },
        { "typed decimals", "0.5", "-1.5", "1",
            { "x₁ = 1.5 + 0.5 = 2", "x₂ = 1.5 − 0.5 = 1", "a = 0.5, b = −1.5, c = 1" } },
        { "exponents", "2.5e-3", "0.5", "-7",
            { "x₁,₂ = (−b ± √D)/(2a) = (−0.5 ± √0.32)/0.005 = −100 ± 80√2" } },
        { "ones omitted, signs merged", "-1", "1", "-0", { "−x² + x = 0" } },
        { "power of ten coefficient", "1", "1e19", "1", { "x² + 10¹⁹·x + 1 = 0" } },
        { "long form falls back to decimals", "1", "1e19", "1",
            { "x₁ ≈ −10⁻¹⁹", "x₂ ≈ −10¹⁹", "a(x − x₁)(x − x₂) ≈ (x + 10⁻¹⁹)(x + 10¹⁹)",
                "Точная запись корней длиннее 40 знаков, поэтому показаны десятичные значения." } },
        { "complex i", "1", "0", "1", { "x₁,₂ = ±i" }, Method::Formula, true },
        { "complex pair", "1", "1", "1", { "x₁,₂ = (−1 ± i√3)/2 ≈ −0.5 ± 0.866i" }, Method::Formula,
            true },
        { "complex with integer parts", "1", "-2", "5",
            { "x₁,₂ = 1 ± 2i",
                "a(x − x₁)(x − x₂) = (x − 1 − 2i)(x − 1 + 2i) (над комплексными числами)" },
            Method::Formula, true },
        { "one root", "4", "4", "1",
            { "x = −b/(2a) = −4/8 = −1/2 = −0.5", "a(x − x₁)(x − x₂) = 4(x + 1/2)²" } },
        { "Vieta", "2", "3", "-5",
            { "x₁ + x₂ = 1 + (−5/2) = −3/2 = −b/a", "x₁·x₂ = 1·(−5/2) = −5/2 = c/a" } },
        { "tiny exact coefficient", "1e-45", "0", "-1e-45",
            { "x₁ = 2·10⁻⁴⁵/(2·10⁻⁴⁵) = 1", "x₂ = −2·10⁻⁴⁵/(2·10⁻⁴⁵) = −1",
                "a = 10⁻⁴⁵, b = 0, c = −10⁻⁴⁵" } },
        // Trial division must reach ∛n exactly: ∛(37³) is a hair below 37 in floating point.
        { "square factor at the cube root", "1", "0", "-50653",
            { "x₁,₂ = (−b ± √D)/(2a) = (±√(202 612))/2 = (±74√37)/2 = ±37√37",
                "x₁·x₂ = 37√37·(−37√37) = −50 653 = c/a" } },
        { "discriminant with an odd decimal exponent", "1", "0", "-0.1",
            { "x₁,₂ = (−b ± √D)/(2a) = (±√0.4)/2 = ±√10/10" } },
        { "a power of ten substituted is bracketed", "1", "1e19", "1",
            { "D = b² − 4ac = (10¹⁹)² − 4·1·1 ≈ 10³⁸ (точная запись длиннее 40 знаков)" } },
        // 42 characters once the grouped radicand is bracketed: decimals.
        { "a form over 40 characters gives its decimals", "1", "-200000000000",
            "-2005604901330112098026200560490130", { "x₁ ≈ 4.478·10¹⁶", "x₂ ≈ −4.478·10¹⁶" } },
        { "a long factored form gives its decimals", "1", "-3.001", "1",
            { "a(x − x₁)(x − x₂) ≈ (x − 2.619)(x − 0.3818)" } },
        { "integers written out, = where exact", "1", "-100000", "0",
            { "x₁ = (100 000 + 100 000)/2 = 100 000", "a(x − x₁)(x − x₂) = x(x − 100 000)",
                "y₀ = y(50 000) = 50 000² − 100 000·50 000 = −2 500 000 000;" } },
        // Just below a power of ten: four digits, not the power (p and q√r nearly cancel).
        { "0.9998", "1", "-20", "18.996", { "x₂ = (500 − √(202 510))/50 ≈ 0.9998" } },
        { "−0.9998", "1", "20", "18.996", { "x₁ = (−500 + √(202 510))/50 ≈ −0.9998" } },
        { "−0.9996", "16.7", "-59", "-75.66", { "x₂ = (1475 − √(5 334 430))/835 ≈ −0.9996" } },
        { "9.997", "1", "-200", "1899.532", { "x₂ = (5000 − 3√(2 250 130))/50 ≈ 9.997" } },
        { "9999", "1", "-200000", "1899882999.578",
            { "x₂ = (5 000 000 − √(20 250 292 501 055))/50 ≈ 9999" } },
        { "rational 0.9998", "1", "-1.99978", "0.99978",
            { "x₂ = (1.99978 − 0.00022)/2 = 49 989/50 000 ≈ 0.9998" } },
        // 37 characters but 41 bytes: the limit counts characters, group spaces aside.
        { "the limit counts characters", "1", "-1234567891", "1",
            { "x₂ = (1 234 567 891 − √(1 524 157 877 488 187 877))/2 ≈ 8.1·10⁻¹⁰" } },
        { "a millionth written as a power", "1e-6", "1", "-1", { "10⁻⁶·x² + x − 1 = 0" } },
        // A power of ten is exact however long its fraction: no ≈, no note.
        { "an exact power of ten", "1e38", "-2", "1e-38",
            { "x = −b/(2a) = 2/(2·10³⁸) = 10⁻³⁸", "x₁·x₂ = 10⁻³⁸·10⁻³⁸ = 10⁻⁷⁶ = c/a" } },
        { "a root taken over its denominator bracketed", "3", "0", "-12",
            { "x₁,₂ = (−b ± √D)/(2a) = (±√144)/6 = ±12/6" } },
        // D a hair below the tie 870.25: its decimal from the integers, not long double.
        { "discriminant's decimal near a tie", "4e-48", "-29.5", "2e-18",
            { "D = b² − 4ac = (−29.5)² − 4·(4·10⁻⁴⁸)·(2·10⁻¹⁸) ≈ 870.2 (точная запись длиннее 40 "
              "знаков)" } },
    });
}

TEST_F(Analysis, EveryRuleAndMendHasItsSteps)
{
    expectLines({
        { "linear", "0", "3", "1",
            { "[Линейное уравнение]", "a = 0, поэтому уравнение линейное: 3x + 1 = 0.", "3x = −1",
                "x = −1/3 ≈ −0.3333" } },
        { "linear, the values put in", "0", "2", "-4", { "2x = 4", "x = 4/2 = 2" } },
        { "no solutions, constant", "0", "0", "5",
            { "a = 0 и b = 0, а c ≠ 0: равенство 5 = 0 неверно ни при каком x." } },
        { "every x", "0", "0", "0",
            { "0 = 0",
                "a = b = c = 0: равенство 0 = 0 верно при любом x, решений бесконечно много." } },
        { "every x, numerically", "0", "0.0", "00", { "0 = 0" } },
        { "double root", "1", "2", "1",
            { "D = 0: один корень (два совпадающих).", "x = −b/(2a) = −2/2 = −1" } },
        { "double root by D₁", "1", "-6", "9", { "x = −k/a = 3" }, Method::HalfDiscriminant },
        { "b = c = 0", "2", "0", "0", { "x = −b/(2a) = 0" } },
        { "two roots", "1", "0", "-2", { "D > 0: два корня." } },
        { "no real roots", "1", "0", "1", { "D < 0, корней нет." } },
        { "no real roots, complex ones asked for", "1", "0", "1",
            { "D < 0: действительных корней нет, корни комплексные." }, Method::Formula, true },
        { "discriminant substituted", "1", "-3", "-4", { "D = b² − 4ac = (−3)² − 4·1·(−4) = 25" } },
        { "linear, tiny root", "0", "3", "1e-50", { "x ≈ −3.333·10⁻⁵¹" } },
    });
}

// The separator comes with the solved equation, whatever the global says:
// the solution window's module has a copy of its own, never set.
TEST_F(Analysis, CommaSeparatorIsReadAndWritten)
{
    DecimalSeparator = '.';
    expectLines({ { "comma", "1", "0,5", "-0,5",
                      { "x₁ = (−0,5 + 1,5)/2 = 1/2 = 0,5", "x₂ = (−0,5 − 1,5)/2 = −1" } },
                    { "comma in the decimals", "1", "-3", "1", { "x₁ = (3 + √5)/2 ≈ 2,618" } },
                    { "fraction typed", "1,5", "-3", "1",
                        { "a = 1,5, b = −3, c = 1", "x₁ = (3 + √3)/3 ≈ 1,577" } } },
        ',');
    // Every explanation (of an inequality: the equation's and more) reads the same with
    // either separator: each decimal point between digits becomes a comma, and nothing else.
    const auto everything = [](const EquationSolution& s) {
        std::string text = SolutionPlainText(s) + s.description;
        for (const PlotPoint& point : s.curve.points)
            text += "\n" + point.label;
        return text;
    };
    const char* equations[][3] = { { "1", "-20", "1" }, { "2", "-7", "3" }, { "1.5", "-3", "1" },
        { "1", "0.1", "0.0025" }, { "1", "1e19", "1" }, { "2.5e-3", "0.5", "-7" },
        { "0", "2", "-4.5" }, { "1", "1", "1" }, { "4e-48", "-29.5", "2e-18" },
        { "1.2345678901234567e-38", "-3.0283185307179586e38", "2.7182818284590452e37" } };
    for (const auto& e : equations) {
        std::string point = everything(ExplainEquation(e[0], e[1], e[2], '.', {}, kAtMost));
        for (std::size_t i = 1; i + 1 < point.size(); ++i) {
            if (point[i] == '.' && std::isdigit(static_cast<unsigned char>(point[i - 1]))
                && std::isdigit(static_cast<unsigned char>(point[i + 1])))
                point[i] = ',';
        }
        std::string texts[3];
        for (int i = 0; i < 3; ++i) {
            texts[i] = e[i];
            std::replace(texts[i].begin(), texts[i].end(), '.', ',');
        }
        EXPECT_EQ(
            everything(ExplainEquation(texts[0], texts[1], texts[2], ',', {}, kAtMost)), point);
    }
}

// What Solve converts and what the steps read exactly are one number: a text
// is taken by both or by neither, and both give its value.
TEST_F(Analysis, SolveAndTheStepsReadTheSameNumbers)
{
    struct Row {
        const char* text;
        char separator;
        const char* exact; // m·10^e as "m e", or null: no number
    };
    const Row rows[] = { { " -0,5e+3 ", ',', "-5 2" }, { ",5", ',', "5 -1" }, { "5.", '.', "5 0" },
        { "+007.50E-0", '.', "75 -1" }, { "-0", '.', "0 0" },
        { "1e0000000000000000000019", '.', "1 19" }, { "1.5", ',', nullptr }, { ",", ',', nullptr },
        { "1e", '.', nullptr }, { "e5", '.', nullptr }, { "+-1", '.', nullptr },
        { "1,2,3", ',', nullptr }, { "1 000", '.', nullptr }, { "1e+-3", '.', nullptr },
        { "", '.', nullptr }, { "\t1", '.', nullptr }, { "1e19\xC2\xA0", '.', nullptr } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::optional<ExactDecimal> exact = ParseExactDecimal(row.text, row.separator);
        if (!row.exact) {
            EXPECT_FALSE(exact);
            EXPECT_THROW(StrToFloat(row.text, row.separator), Exception);
            continue;
        }
        ASSERT_TRUE(exact);
        std::istringstream expected(row.exact);
        std::string m;
        long e = 0;
        expected >> m >> e;
        EXPECT_EQ(exact->m.str() + " " + std::to_string(exact->e), m + " " + std::to_string(e));
        EXPECT_EQ(StrToFloat(row.text, row.separator), Approximate(*exact));
    }
}

// A coefficient under the plot: its box shows it as the steps write numbers,
// the explanation reads it in Solve's grammar, and whatever the box shows, or
// a user types in either notation, reads back.
TEST_F(Analysis, CoefficientBoxesWriteAndReadTheStepsNotation)
{
    const struct {
        double value;
        const char *shown, *text;
    } written[] = { { 1e19, "10¹⁹", "1e19" }, { -2.5e9, "−2,5·10⁹", "-2500000000" },
        { 0.3, "0,3", "0,3" }, { 1234567.25, "1\u202F234\u202F567,25", "1234567,25" },
        { -1.5e-30, "−1,5·10⁻³⁰", "-1,5e-30" }, { 0, "0", "0" } };
    for (const auto& row : written) {
        EXPECT_EQ(TextbookCoefficient(row.value, ','), row.shown);
        EXPECT_EQ(CoefficientText(row.value, ','), row.text);
        EXPECT_EQ(ReadCoefficient(row.shown, ','), row.value) << row.shown;
        EXPECT_EQ(static_cast<double>(StrToFloat(row.text, ',')), row.value) << row.text;
    }
    // A slider's whole steps leave rounding errors that no text shows.
    EXPECT_EQ(CoefficientText(0.1 + 0.2, ','), "0,3");
    const struct {
        const char* typed;
        std::optional<double> value;
    } typed[]
        = { { "1e19", 1e19 }, { "1,5·10⁻³", 0.0015 }, { "-1.5×10^-3", -0.0015 }, { "−10¹⁹", -1e19 },
              { " 2 500 ", 2500 }, { "1,5·10", std::nullopt }, { "1·10¹⁹e2", std::nullopt },
              { "3·4·10²", std::nullopt }, { "1e39", std::nullopt }, { "", std::nullopt } };
    for (const auto& row : typed)
        EXPECT_EQ(ReadCoefficient(row.typed, ','), row.value) << row.typed;
}

TEST_F(Analysis, SinglePrecisionNoteAppearsExactlyWhenTheAnswerDiffers)
{
    struct Row {
        const char *a, *b, *c;
        bool note;
    } rows[] = {
        { "1", "0.1", "0.0025", true }, // exactly D = 0, in single precision D ≈ 5.2E-10
        { "1e-50", "2", "-4", true }, // a underflows to zero: linear in single precision
        { "1", "-3", "2", false }, // two roots, both exact in single precision
        { "1", "0.1", "-0.2", false }, // two roots, rounded alike
        { "0", "3", "0.1", false }, // linear, rounded alike
        { "1", "1", "1", false }, // no real roots either way
        { "0", "3", "1e-50", true }, // the result line says 0
        { "1", "0", "-0.1", false }, // ±0.3162 either way
        { "16.7", "-59", "-75.66", false }, // −0.9996 both ways
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + ", " + row.b + ", " + row.c);
        const std::string note = ExplainEquation(row.a, row.b, row.c, '.').precisionNote;
        EXPECT_EQ(!note.empty(), row.note) << note;
        if (row.note) {
            EXPECT_NE(note.find("одинарной точности"), std::string::npos);
        }
    }
    const std::string note = ExplainEquation("1", "0.1", "0.0025", '.').precisionNote;
    EXPECT_NE(note.find("«x1= -0.04999; x2= -0.05001»"), std::string::npos) << note;
    EXPECT_NE(note.find("«Один корень и он равен -0.05»"), std::string::npos) << note;
}

TEST_F(Analysis, NothingShowsInfinityNaNOrNegativeZero)
{
    const char* texts[][3] = { { "3e38", "3e38", "3e38" }, { "1e-45", "1e-45", "1e-45" },
        { "-3e38", "1e-38", "3e38" }, { "0", "-0", "-0" }, { "-1", "0", "0" },
        { "1e-38", "3e38", "-1e-38" }, { "1e-300", "3e38", "1" }, { "1e-400", "-3e38", "3e38" } };
    for (const auto& t : texts) {
        const EquationSolution s = ExplainEquation(t[0], t[1], t[2], '.');
        const std::string text = allLines(s) + s.description + s.precisionNote;
        SCOPED_TRACE(text);
        for (const char* bad : { "inf", "nan", "−0 ", "−0\n", "−0)", "−0;", "-0" })
            EXPECT_EQ(text.find(bad), std::string::npos) << bad;
        // No E notation but in the note, which quotes the result line; the
        // range of the function is E(y).
        std::string shown = allLines(s) + s.description;
        for (std::size_t at; (at = shown.find("E(y)")) != std::string::npos;)
            shown.erase(at, 1);
        EXPECT_EQ(shown.find('E'), std::string::npos) << shown;
        const PlotBox box = FitView(s.curve);
        EXPECT_TRUE(std::isfinite(box.width()) && box.width() > 0 && std::isfinite(box.height())
            && box.height() > 0);
    }
}

// Numbers as a textbook writes them, and formulas that break only between terms.
TEST_F(Analysis, TextbookNotation)
{
    const struct {
        long double value;
        int digits;
        const char* text;
    } numbers[] = {
        // Integer parts of five digits and more in groups of three.
        { 100000, 4, "100\u202F000" },
        { 50000, 4, "50\u202F000" },
        { 1234, 4, "1234" },
        { -123456.5L, 7, "−123\u202F456,5" },
        { -2.5e9L, 4, "−2,5·10⁹" },
        { 1e-19L, 4, "10⁻¹⁹" },
        { -1234567, 4, "−1,235·10⁶" },
        { 1.0L / 3, 4, "0,3333" },
        { 0.35, 2, "0,35" },
    };
    for (const auto& row : numbers)
        EXPECT_EQ(TextbookNumber(row.value, row.digits, ','), row.text);
    // Exact decimals in full from 10⁻⁵ to below 10¹⁵, else with a power of ten.
    for (const auto& [x, text] : { std::pair { ExactDecimal { 1, 15 }, "10¹⁵" },
             { ExactDecimal { 25, 13 }, "250 000 000 000 000" },
             { ExactDecimal { 1, -5 }, "0,00001" }, { ExactDecimal { 15, -7 }, "1,5·10⁻⁶" } })
        EXPECT_EQ(plainSpaces(TypesetDecimal(x, ',')), text);

    // The lines as their writers mark them, each output's reading: the plain
    // text, where a chain breaks (|), and the LaTeX.
    const struct {
        const char* name;
        StepLine line;
        const char *plain, *chain, *latex;
    } lines[] = {
        { "a fraction in a long chain",
            Formula("x₁ + x₂ = (25 + √619)/2 + (25 − √619)/2 = 25 = −b/a"),
            "x₁ + x₂ = (25 + √619)/2 + (25 − √619)/2 = 25 = −b/a",
            "x₁ + x₂|= (25 + √619)/2 + (25 − √619)/2|= 25 = −b/a",
            "$x_1 + x_2 \\hm{=} \\frac{25 + \\sqrt{619}}{2} + \\frac{25 - \\sqrt{619}}{2} "
            "\\hm{=} 25 = -\\frac{b}{a}$" },
        { "an interval", Formula("x ∈ (−∞; (25 − √619)/2] ∪ [(25 + √619)/2; +∞)") + Prose("."),
            "x ∈ (−∞; (25 − √619)/2] ∪ [(25 + √619)/2; +∞).",
            "x ∈ (−∞; (25 − √619)/2]|∪ [(25 + √619)/2; +∞)",
            "$x \\in \\left(-\\infty ; \\frac{25 - \\sqrt{619}}{2}\\right] \\hm{\\cup } \\left[" },
        { "a root", Formula("x₁ = (3 + √5)/2 ≈ 2,618"), "x₁ = (3 + √5)/2 ≈ 2,618",
            "x₁ = (3 + √5)/2|≈ 2,618", "$x_1 = \\frac{3 + \\sqrt{5}}{2} \\hm{\\approx } 2{,}618$" },
        { "a short chain stays whole", Formula("x₂ = 1"), "x₂ = 1", "x₂ = 1", "$x_2 = 1$" },
        { "the coefficients, a break after each comma",
            Formula("a = 1") + Prose(", ") + Formula("b = −3") + Prose(", ") + Formula("c = 2"),
            "a = 1, b = −3, c = 2", "a = 1|b = −3|c = 2", "$a = 1$, $b = -3$, $c = 2$" },
        { "a condition and its colon", Formula("D > 0") + Prose(": два корня."),
            "D > 0: два корня.", "D > 0", "$D > 0$: два корня." },
        { "a factor with a fraction", Formula("a(x − x₁)(x − x₂) = (x − (3 + √5)/2)(x − 1)"),
            "a(x − x₁)(x − x₂) = (x − (3 + √5)/2)(x − 1)",
            "a(x − x₁)(x − x₂)|= (x − (3 + √5)/2)(x − 1)",
            "\\left(x - \\frac{3 + \\sqrt{5}}{2}\\right)(x - 1)$" },
    };
    for (const auto& row : lines) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PlainText(row.line), row.plain);
        // The formulas' pieces, each a piece that no line breaks.
        std::string chain;
        for (const ::Run& run : row.line.runs) {
            for (const std::string& piece :
                run.kind == ::Run::Formula ? ChainPieces(run) : std::vector<std::string>())
                chain += (chain.empty() ? "" : "|") + piece;
        }
        EXPECT_EQ(chain, row.chain);
        EXPECT_NE(LatexLine(row.line).find(row.latex), std::string::npos) << LatexLine(row.line);
    }
    // The plot's labels say = only where the value is exact.
    EXPECT_EQ(ExplainEquation("1", "-3", "1", ',').curve.points[0].label, "x₁ ≈ 2,618");
    EXPECT_EQ(ExplainEquation("1", "-3", "2", ',').curve.points[0].label, "x₁ = 2");
    // A finite decimal of up to six digits is exact; else ≈ before the rounded point.
    EXPECT_EQ(ExplainEquation("1,25", "-3,125", "1,671875", ',').curve.points[2].label,
        "вершина (1,25; −0,28125)");
    EXPECT_EQ(
        ExplainEquation("3", "-2", "1", ',').curve.points[0].label, "вершина ≈ (0,3333; 0,6667)");
    EXPECT_EQ(
        ExplainEquation("1", "0", "12345678,0625", ',').curve.points[1].label, "≈ (0; 1,235·10⁷)");
    // So do the roots told after a move, ascending, with «около».
    EXPECT_EQ(ExplainEquation("-1", "3", "-1", ',').rootSummary, "корни около 0,382 и около 2,618");
    EXPECT_EQ(ExplainEquation("0", "2", "-3", ',').rootSummary, "корень 1,5");
    EXPECT_EQ(ExplainEquation("0", "0", "1", ',').rootSummary, "корней нет");
}

TEST_F(Analysis, TicksAreNiceAndCoverTheSpan)
{
    struct Row {
        double lo, hi;
        double step;
    } rows[] = {
        { 0, 10, 2 },
        { -3, 3, 1 },
        { 0, 1e-44, 2e-45 },
        { -2.5e37, 2.5e37, 1e37 },
        { 0.3, 0.7, 0.05 },
        { 1e19, 1e19 + 1e8, 2e7 },
        { -7.5e18, -2.5e18, 1e18 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.lo) + " … " + std::to_string(row.hi));
        const TickRange t = NiceTicks(row.lo, row.hi, 8);
        EXPECT_DOUBLE_EQ(t.step, row.step);
        EXPECT_GE(t.at(t.first), row.lo);
        EXPECT_LT(t.at(t.first) - t.step, row.lo);
        EXPECT_LE(t.at(t.last), row.hi);
    }
    EXPECT_EQ(TickLabel(-0.5, 0.5, '.'), "−0.5");
    EXPECT_EQ(TickLabel(1000, 200, '.'), "1000");
    EXPECT_EQ(TickLabel(1e-17, 0.5, '.'), "0");
    // Neighbours at step 0.05 told apart, in the curve's separator.
    EXPECT_EQ(TickLabel(0.3, 0.05, ','), "0,3");
    EXPECT_EQ(TickLabel(0.35, 0.05, ','), "0,35");
    EXPECT_EQ(TickLabel(0.4, 0.05, ','), "0,4");
}

// The keyboard trace: where each key takes the point from x, and what a
// screen reader hears there, in the comma separator.
TEST_F(Analysis, TraceStepsJumpsAndSpeaks)
{
    constexpr TraceKey L = TraceKey::Left, R = TraceKey::Right, FL = TraceKey::FineLeft,
                       FR = TraceKey::FineRight, Root = TraceKey::NextRoot, V = TraceKey::Vertex,
                       I = TraceKey::Intercept;
    struct Row {
        const char* name;
        const char *a, *b, *c;
        double from, step;
        std::vector<TraceKey> keys;
        const char* said;
    } rows[] = {
        { "R: the first root", "1", "-3", "2", -1, 1, { Root }, "x = 1; y = 0; корень" },
        { "R, R: the next root", "1", "-3", "2", -1, 1, { Root, Root }, "x = 2; y = 0; корень" },
        { "R past the last root: round", "1", "-3", "2", 5, 1, { Root }, "x = 1; y = 0; корень" },
        { "V: the vertex", "1", "-3", "2", 7, 1, { V }, "x = 1,5; y = −0,25; вершина" },
        { "I", "1", "-3", "2", 3, 1, { I }, "x = 0; y = 2; пересечение с осью y" },
        { "Right: the next tick", "1", "-3", "2", 1.5, 1, { R }, "x = 2; y = 0; корень" },
        { "Left twice at step 0,5", "1", "-3", "2", 0, 0.5, { L, L }, "x = −1; y = 6" },
        { "Shift+Left: a tenth", "1", "-3", "2", 0, 1, { FL }, "x = −0,1; y = 2,31" },
        { "3 × Shift+Right", "1", "-3", "2", 0, 0.2, { FR, FR, FR }, "x = 0,06; y = 1,824" },
        { "a root off the ticks", "1", "-3", "1", 0, 1, { Root }, "x = 0,382; y = 0; корень" },
        { "D = 0: root and vertex", "1", "-2", "1", 0, 1, { V }, "x = 1; y = 0; корень, вершина" },
        { "large values in full", "1", "0", "-1000000", 0, 100, { R }, "x = 100; y = −990 000" },
        { "no roots", "1", "0", "1", 0, 1, { Root }, "Корней нет" },
        { "a line has no vertex", "0", "2", "-4", 0, 1, { V }, "Вершины нет" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlotCurve curve = ExplainEquation(row.a, row.b, row.c, ',').curve;
        double x = row.from;
        std::string said;
        for (const TraceKey key : row.keys) {
            const std::optional<double> to = TraceTarget(curve, x, key, row.step);
            const bool fine = key == FL || key == FR;
            said = to ? TraceText(curve, *to, fine ? row.step / 10 : row.step) : TraceNowhere(key);
            x = to.value_or(x);
        }
        EXPECT_EQ(plainSpaces(said), row.said);
    }
    EXPECT_EQ(TraceStart({ -1.3, 4.1, 0, 1 }, 0.5), 1.5);
}

TEST_F(Analysis, ViewFitsTheMarkedPointsOrTheVertex)
{
    struct Row {
        const char *a, *b, *c;
        bool all; // every root, the vertex and the intercept; else the vertex region
        Relation relation = Relation::Equal;
    } rows[] = {
        { "1", "-3", "2", true },
        // No real roots: the parabola is seen above or below the x axis.
        { "1", "1", "1", true },
        { "2", "1", "3", true },
        { "-1", "2", "-5", true },
        { "1", "0", "1", true },
        // Each part of the answer: its ends, and a fair stretch of an unbounded one.
        { "0", "2", "-4", true, kGreater },
        { "-1", "4", "5", true, kAtMost },
        { "1", "-3", "2", true, kGreater },
        { "1", "-20", "1", true },
        // The root −0,0286 and the intercept (0; 1) under a pixel apart, yet told apart.
        { "1", "35", "1", true },
        { "2", "-50", "3", true },
        // The root −1e-19 and the intercept (0; 1) a hair apart at a scale of 10¹⁹.
        { "1", "1e19", "1", false },
        // The root 1e-8 and the intercept (0; 0,001) a hair apart at a scale of 10⁵.
        { "1", "-1e5", "0.001", false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + ", " + row.b + ", " + row.c);
        const PlotCurve curve
            = ExplainEquation(row.a, row.b, row.c, '.', std::nullopt, row.relation).curve;
        const PlotBox box = FitView(curve);
        EXPECT_TRUE(box.yMin <= 0 && box.yMax >= 0); // the x axis
        // Centred on the axis of symmetry, a line on its root.
        const double axis = curve.a != 0 ? -curve.b / (2 * curve.a) : -curve.c / curve.b;
        EXPECT_TRUE(box.contains(axis, curve.at(axis)));
        EXPECT_NEAR(box.xMin + box.xMax, 2 * axis, 1e-9 * box.width());
        for (const PlotInterval& part : curve.solution) {
            for (const double end : { part.from, part.to }) {
                if (std::isfinite(end)) {
                    EXPECT_TRUE(end >= box.xMin && end <= box.xMax) << end;
                }
            }
            const double from = std::max(part.from, box.xMin), to = std::min(part.to, box.xMax);
            if (std::isinf(part.from) || std::isinf(part.to)) {
                EXPECT_GE(to - from, (0.25 - 1e-9) * box.width()) << part.from << "; " << part.to;
            }
        }
        if (!row.all) {
            EXPECT_FALSE(0 > box.xMin && 0 < box.xMax);
            continue;
        }
        for (const PlotPoint& p : curve.points)
            EXPECT_TRUE(box.contains(p.x, p.y)) << p.label;
    }
}

TEST_F(Analysis, VisiblePiecesKeepTheCurveNearTheView)
{
    PlotCurve curve;
    curve.a = 3e38;
    curve.b = 1e-38;
    curve.c = -1e-45;
    const PlotBox box { -1, 1, -1, 1 };
    const auto pieces = VisiblePieces(curve, box, box.height());
    ASSERT_FALSE(pieces.empty());
    for (const auto& [u, v] : pieces) {
        for (const double x : { u, (u + v) / 2, v })
            EXPECT_LE(std::fabs(curve.at(x)), 3.0 + 1e-6) << x;
    }
    // A box not symmetric about y = 0: y = x² − 2 within [−1, 2] from x = 1 on.
    PlotCurve low;
    low.a = 1;
    low.c = -2;
    const auto arc = VisiblePieces(low, PlotBox { 0, 1.8, 0, 1 }, 1);
    ASSERT_EQ(arc.size(), 1u);
    EXPECT_DOUBLE_EQ(arc[0].first, 1);
    EXPECT_DOUBLE_EQ(arc[0].second, 1.8);
}

// Labels beside their marks in device space (y down): none overlaps another
// label or a mark, none is crossed by a line, and one that fits nowhere is
// left out.
TEST_F(Analysis, LabelsTakeFreePlacesOrNone)
{
    const LabelRect area { 0, 0, 200, 100 };
    const auto mark = [](double x, double y) { return LabelRect { x - 5, y - 5, x + 5, y + 5 }; };
    std::vector<std::vector<LabelPoint>> ruled; // a line every 12 px
    for (double y = 0; y <= 100; y += 12)
        ruled.push_back({ { 0, y }, { 200, y } });
    struct Row {
        const char* name;
        std::vector<LabelRect> marks;
        std::vector<std::vector<LabelPoint>> lines;
        std::vector<bool> placed;
        LabelSide side = LabelSide::Right;
    } rows[] = {
        { "two marks side by side share the room", { mark(100, 50), mark(112, 50) }, {},
            { true, true } },
        { "the axes through the mark push the label off them", { mark(100, 50) },
            { { { 0, 50 }, { 200, 50 } }, { { 100, 0 }, { 100, 100 } } }, { true } },
        { "a steep curve through the mark", { mark(60, 50) },
            { { { 40, 100 }, { 60, 50 }, { 80, 0 } }, { { 0, 50 }, { 200, 50 } } }, { true } },
        { "a mark in a corner, its arrow at the edge", { mark(195, 5), mark(190, 50) }, {},
            { true, true } },
        { "ruled lines leave no room", { mark(100, 50) }, ruled, { false } },
        // A left root's label on its left, where the other root's label cannot be.
        { "a label tried on its own side first", { mark(100, 50) }, {}, { true }, LabelSide::Left },
        // Crowded all round but far away: left out rather than standing off.
        { "no room within 10 px", { mark(100, 50) },
            { { { 60, 26 }, { 140, 26 } }, { { 60, 74 }, { 140, 74 } }, { { 60, 26 }, { 60, 74 } },
                { { 140, 26 }, { 140, 74 } } },
            { false } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LabelScene scene { area, row.marks, row.lines, 2 };
        std::vector<LabelRequest> requests;
        for (const LabelRect& m : row.marks)
            requests.push_back({ m, 60, 14, row.side });
        const auto places = PlaceLabels(requests, scene);
        if (row.side == LabelSide::Left && places.front()) {
            EXPECT_LE(places.front()->right, row.marks.front().left);
        }
        ASSERT_EQ(places.size(), row.placed.size());
        for (std::size_t i = 0; i < places.size(); ++i) {
            ASSERT_EQ(places[i].has_value(), row.placed[i]) << i;
            if (!places[i])
                continue;
            const LabelRect& box = *places[i];
            EXPECT_TRUE(box.left >= area.left && box.right <= area.right && box.top >= area.top
                && box.bottom <= area.bottom);
            for (const LabelRect& m : row.marks)
                EXPECT_FALSE(box.overlaps(m)) << i;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(places[j] && box.overlaps(*places[j])) << i << " " << j;
            for (const auto& line : row.lines) {
                for (std::size_t k = 0; k + 1 < line.size(); ++k)
                    EXPECT_FALSE(Crosses(line[k], line[k + 1], box)) << i;
            }
        }
    }
}

// 10⁵ small-integer equations: each exact root form, evaluated in IEEE
// binary128, equals the root computed there from the coefficients.
TEST_F(Analysis, ExactFormsEvaluateToTheQuadPrecisionRoots)
{
    using Quad = boost::multiprecision::cpp_bin_float_quad;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> coefficient(-60, 60);
    const auto evaluate
        = [](const Surd& x) { return (Quad(x.p) + Quad(x.q) * sqrt(Quad(x.r))) / Quad(x.d); };
    for (int i = 0; i < 100000; ++i) {
        const int a = coefficient(random), b = coefficient(random), c = coefficient(random);
        const long d = long(b) * b - 4L * a * c;
        if (a == 0 || d < 0)
            continue;
        const RootPair roots
            = QuadraticRoots(ExactDecimal { a, 0 }, ExactDecimal { b, 0 }, ExactDecimal { d, 0 });
        const Quad s = sqrt(Quad(d));
        const Quad x1 = (-b + s) / (2 * a), x2 = (-b - s) / (2 * a);
        const Quad tolerance = 1e-30 * (1 + abs(x1) + abs(x2));
        ASSERT_LT(abs(evaluate(roots.first) - x1), tolerance) << a << " " << b << " " << c;
        ASSERT_LT(abs(evaluate(roots.second) - x2), tolerance) << a << " " << b << " " << c;
        for (int p = 2; p * p <= roots.first.r; ++p)
            ASSERT_NE(roots.first.r % (p * p), 0) << "square factor left in √" << roots.first.r;
    }
}

std::vector<std::string> split(const std::string& text, const std::string& delimiter)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(delimiter, from)) != std::string::npos;) {
        parts.push_back(text.substr(from, at - from));
        from = at + delimiter.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

// Whether the steps name the root: a line, or its part after «: » or between
// «, », whose chain of = and ≈ starts with the name (x₁ for a double root
// too, as in «x₁ = x₂ = 1») and has the value among its members.
bool reaches(const std::string& steps, const std::string& name, const std::string& value)
{
    for (const std::string& line : split(steps, "\n")) {
        for (std::string clause : split(split(line, ": ").back(), ", ")) {
            for (std::size_t at; (at = clause.find(" ≈ ")) != std::string::npos;)
                clause.replace(at, std::string(" ≈ ").size(), " = ");
            const std::vector<std::string> members = split(clause, " = ");
            const bool named = members[0] == name || (name == "x" && members[0] == "x₁");
            if (named && std::find(members.begin() + 1, members.end(), value) != members.end())
                return true;
        }
    }
    return false;
}

// For every equation, the methods offered, shortest first, and by each of
// them the same roots as the answer line names.
TEST_F(Analysis, EveryMethodOfferedReachesTheAnswer)
{
    using enum Method;
    struct Row {
        const char *a, *b, *c;
        std::vector<Method> methods;
        const char* answer;
        char separator = '.';
    } rows[] = {
        // The school's order whatever the equation; Vieta only for integer roots.
        { "2", "-7", "3", { Formula, CompletingSquare }, "Ответ: x₁ = 3, x₂ = 1/2." },
        { "1", "-6", "8", { Formula, HalfDiscriminant, Vieta, CompletingSquare },
            "Ответ: x₁ = 4, x₂ = 2." },
        { "1", "-20", "1", { Formula, HalfDiscriminant, CompletingSquare },
            "Ответ: x₁ = 10 + 3√11, x₂ = 10 − 3√11." },
        { "1", "-5", "6", { Formula, Vieta, CompletingSquare }, "Ответ: x₁ = 3, x₂ = 2." },
        { "1", "3", "-10", { Formula, Vieta, CompletingSquare }, "Ответ: x₁ = 2, x₂ = −5." },
        { "3", "0", "-12", { Formula, HalfDiscriminant, Incomplete, Vieta, CompletingSquare },
            "Ответ: x₁ = 2, x₂ = −2." },
        { "1", "-100000", "0", { Formula, HalfDiscriminant, Incomplete, Vieta, CompletingSquare },
            "Ответ: x₁ = 100 000, x₂ = 0." },
        { "1", "0", "4", { Formula, HalfDiscriminant, Incomplete, CompletingSquare },
            "Ответ: корней нет." },
        { "2", "5", "0", { Formula, Incomplete, CompletingSquare }, "Ответ: x₁ = 0, x₂ = −5/2." },
        { "1", "-2", "1", { Formula, HalfDiscriminant, Vieta, CompletingSquare }, "Ответ: x = 1." },
        { "1", "1", "1", { Formula, CompletingSquare }, "Ответ: корней нет." },
        { "4", "-4", "1", { Formula, HalfDiscriminant, CompletingSquare }, "Ответ: x = 1/2." },
        { "0.5", "-3", "4", { Formula, Vieta, CompletingSquare }, "Ответ: x₁ = 4, x₂ = 2." },
        { "0,5", "-3", "4", { Formula, Vieta, CompletingSquare }, "Ответ: x₁ = 4, x₂ = 2.", ',' },
        { "-1", "3", "-1", { Formula, CompletingSquare },
            "Ответ: x₁ = (3 − √5)/2, x₂ = (3 + √5)/2." },
        { "2", "0", "-1", { Formula, HalfDiscriminant, Incomplete, CompletingSquare },
            "Ответ: x₁ = √2/2, x₂ = −√2/2." },
        { "1", "-2", "5", { Formula, HalfDiscriminant, CompletingSquare }, "Ответ: корней нет." },
        { "1", "1e19", "1", { Formula, HalfDiscriminant, CompletingSquare },
            "Ответ: x₁ ≈ −10⁻¹⁹, x₂ ≈ −10¹⁹." },
        // Two roots that agree in their first eleven digits, told apart.
        { "405138.2", "305224638250.49742756", "57487839825488572.391231811622661854150248",
            { Formula, CompletingSquare },
            "Ответ: x₁ ≈ −376 692.00071789998, x₂ ≈ −376 692.00071790002." },
        { "0", "3", "1", { Linear }, "Ответ: x = −1/3." },
        { "0", "0", "5", { Linear }, "Ответ: решений нет." },
        { "0", "0", "0", { Linear }, "Ответ: x — любое число." },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.a) + ", " + row.b + ", " + row.c);
        const EquationSolution offered = ExplainEquation(row.a, row.b, row.c, row.separator);
        EXPECT_EQ(offered.methods, row.methods);
        // The formula by default, the linear case by its own way.
        EXPECT_EQ(offered.method, row.methods.front());
        const std::string answer = AnswerText(offered);
        EXPECT_EQ(plainSpaces(answer), row.answer);
        // «Ответ: x₁ = 3, x₂ = 1/2.» names x₁ = 3 and x₂ = 1/2.
        const std::string named = plainSpaces(answer.substr(0, answer.size() - 1));
        for (const Method method : offered.methods) {
            const EquationSolution s = ExplainEquation(row.a, row.b, row.c, row.separator, method);
            ASSERT_EQ(s.method, method);
            // No complex numbers in the school's course; asked for, the pair.
            if (named == "Ответ: корней нет") {
                EXPECT_EQ(allLines(s).find('i'), std::string::npos) << allLines(s);
                const EquationSolution complex = ExplainEquation(
                    row.a, row.b, row.c, row.separator, method, Relation::Equal, true);
                EXPECT_NE(allLines(complex).find('i'), std::string::npos) << allLines(complex);
                EXPECT_TRUE(PlainText(complex.answer).starts_with("x₁,₂ = "))
                    << AnswerText(complex);
            }
            for (const std::string& root : split(split(named, ": ").back(), ", ")) {
                const bool rounded = root.find(" ≈ ") != std::string::npos;
                const std::vector<std::string> sides = split(root, rounded ? " ≈ " : " = ");
                if (sides.size() != 2)
                    continue; // «x — любое число»
                EXPECT_TRUE(reaches(allLines(s), sides[0], sides[1])) << MethodName(
                    method) << ": " << root << " in\n" << allLines(s);
            }
        }
    }
}

// What each method writes on its way to the roots.
TEST_F(Analysis, EachMethodHasItsOwnSteps)
{
    using enum Method;
    expectLines({
        { "the formula with a perfect square", "2", "-7", "3",
            { "x₁,₂ = (−b ± √D)/(2a) = (7 ± √25)/4 = (7 ± 5)/4", "x₁ = (7 + 5)/4 = 3",
                "x₂ = (7 − 5)/4 = 1/2 = 0.5", "a(x − x₁)(x − x₂) = 2(x − 3)(x − 1/2)" } },
        { "roots that are sums, bracketed", "1", "2", "-1",
            { "x₁ + x₂ = (−1 + √2) + (−1 − √2) = −2 = −b/a" } },
        { "a < 0 before the factors", "-2", "7", "-3",
            { "a(x − x₁)(x − x₂) = −2(x − 1/2)(x − 3)" } },
        { "D₁", "1", "-6", "8",
            { "k = b/2 = −6/2 = −3", "D₁ = k² − ac = (−3)² − 1·8 = 1",
                "x₁,₂ = (−k ± √D₁)/a = 3 ± √1 = 3 ± 1", "x₁ = 3 + 1 = 4", "x₂ = 3 − 1 = 2" },
            HalfDiscriminant },
        { "D₁, irrational", "1", "-20", "1", { "x₁,₂ = (−k ± √D₁)/a = 10 ± √99 = 10 ± 3√11" },
            HalfDiscriminant },
        { "c = 0", "2", "5", "0",
            { "x(2x + 5) = 0", "x = 0 или 2x + 5 = 0", "2x = −5", "x₁ = 0", "x₂ = −5/2 = −2.5" },
            Incomplete },
        { "b = 0", "3", "0", "-12", { "3x² = 12", "x² = 12/3 = 4", "x₁,₂ = ±√4 = ±2" },
            Incomplete },
        { "b = 0, a fraction under the root", "2", "0", "-1", { "x₁,₂ = ±√(1/2) = ±√2/2" },
            Incomplete },
        { "b = 0, x² < 0", "1", "0", "4",
            { "x² = −4", "Квадрат числа не может быть отрицательным, поэтому корней нет." },
            Incomplete },
        { "b = 0, x² < 0, complex roots asked for", "1", "0", "4",
            { "−c/a < 0: действительных корней нет, корни комплексные.", "x₁,₂ = ±2i" }, Incomplete,
            true },
        { "b = c = 0", "2", "0", "0", { "2x² = 0", "x² = 0", "x = 0" }, Incomplete },
        { "Vieta: p and q, the pair, the check by substitution", "1", "-5", "6",
            { "p = −5, q = 6", "x₁ + x₂ = −p = 5", "x₁·x₂ = q = 6", "Подбором: x₁ = 3, x₂ = 2",
                "[Проверка подстановкой]", "3² − 5·3 + 6 = 9 − 15 + 6 = 0",
                "2² − 5·2 + 6 = 4 − 10 + 6 = 0", "[Разложение на множители]",
                "a(x − x₁)(x − x₂) = (x − 3)(x − 2)" },
            Vieta },
        { "Vieta, reduced first, into the equation typed", "2", "-8", "6",
            { "Делим на a = 2: x² − 4x + 3 = 0", "p = −4, q = 3",
                "2·3² − 8·3 + 6 = 18 − 24 + 6 = 0" },
            Vieta },
        { "Vieta, a negative root bracketed", "1", "3", "-10",
            { "(−5)² + 3·(−5) − 10 = 25 − 15 − 10 = 0" }, Vieta },
        { "a negative first factor bracketed", "-1", "4", "5", { "x₁·x₂ = (−1)·5 = −5 = c/a" } },
        { "the double root put in", "1", "-6", "9",
            { "x = −b/(2a) = 6/2 = 3", "Вершина параболы: x₀ = −b/(2a) = 6/2 = 3,",
                "y₀ = y(3) = 3² − 6·3 + 9 = 0;" } },
        { "the square completed as the eighth grade does", "1", "-3", "2",
            { "x² − 2·x·1.5 + 1.5² − 1.5² + 2 = 0", "(x − 1.5)² − 0.25 = 0", "(x − 1.5)² = 0.25",
                "x − 1.5 = ±√0.25 = ±0.5", "x₁ = 1.5 + 0.5 = 2" },
            CompletingSquare },
        { "the square, a ≠ 1: divided first", "2", "-7", "3",
            { "Делим на a = 2: x² − 3.5x + 1.5 = 0", "(x − 1.75)² = 1.5625",
                "x₂ = 1.75 − 1.25 = 1/2 = 0.5" },
            CompletingSquare },
        { "the square in fractions", "6", "-5", "1",
            { "Делим на a = 6: x² − (5/6)x + 1/6 = 0",
                "x² − 2·x·(5/12) + (5/12)² − (5/12)² + 1/6 = 0", "(x − 5/12)² = 1/144",
                "x − 5/12 = ±√(1/144) = ±1/12" },
            CompletingSquare },
        { "the square, a < 0: x₁ takes the lower sign", "-1", "3", "-2",
            { "(x − 1.5)² = 0.25", "x₁ = 1.5 − 0.5 = 1", "x₂ = 1.5 + 0.5 = 2" }, CompletingSquare },
        { "the square, D = 0", "1", "-6", "9", { "(x − 3)² = 0", "x − 3 = 0", "x = 3" },
            CompletingSquare },
        { "the square negative", "1", "1", "1",
            { "(x + 0.5)² = −0.75",
                "Квадрат числа не может быть отрицательным, поэтому корней нет." },
            CompletingSquare },
        { "the square negative, complex roots asked for", "1", "1", "1",
            { "x₁,₂ = (−1 ± i√3)/2 ≈ −0.5 ± 0.866i" }, CompletingSquare, true },
        { "the check with surds", "1", "-3", "1",
            { "x₁ + x₂ = (3 + √5)/2 + (3 − √5)/2 = 3 = −b/a",
                "x₁·x₂ = (3 + √5)(3 − √5)/4 = 1 = c/a" } },
        { "the check in decimals where long", "1", "-3.001", "1",
            { "x₁ + x₂ ≈ 2.619 + 0.3818 ≈ 3.001 = −b/a", "x₁·x₂ ≈ 2.619·0.3818 ≈ 1 = c/a" } },
    });
}

// Each sign against D > 0, D = 0 and D < 0 with a > 0 and a < 0, the linear
// inequality both ways, the constant one, and ends that are not rational.
TEST_F(Analysis, InequalityAnswersInIntervalNotation)
{
    const struct {
        const char *a, *b, *c;
        std::array<const char*, 4> answers; // > 0, ≥ 0, < 0, ≤ 0
        char separator = '.';
    } rows[] = {
        { "1", "-3", "2",
            { "x ∈ (−∞; 1) ∪ (2; +∞)", "x ∈ (−∞; 1] ∪ [2; +∞)", "x ∈ (1; 2)", "x ∈ [1; 2]" } },
        { "-1", "3", "-2",
            { "x ∈ (1; 2)", "x ∈ [1; 2]", "x ∈ (−∞; 1) ∪ (2; +∞)", "x ∈ (−∞; 1] ∪ [2; +∞)" } },
        { "1", "2", "1", { "x ≠ −1", "x — любое число", "решений нет", "x = −1" } },
        { "-1", "-2", "-1", { "решений нет", "x = −1", "x ≠ −1", "x — любое число" } },
        { "1", "1", "1", { "x — любое число", "x — любое число", "решений нет", "решений нет" } },
        { "-1", "1", "-1", { "решений нет", "решений нет", "x — любое число", "x — любое число" } },
        { "0", "3", "1",
            { "x ∈ (−1/3; +∞)", "x ∈ [−1/3; +∞)", "x ∈ (−∞; −1/3)", "x ∈ (−∞; −1/3]" } },
        { "0", "-2", "4", { "x ∈ (−∞; 2)", "x ∈ (−∞; 2]", "x ∈ (2; +∞)", "x ∈ [2; +∞)" } },
        { "0", "0", "5", { "x — любое число", "x — любое число", "решений нет", "решений нет" } },
        { "0", "0", "0", { "решений нет", "x — любое число", "решений нет", "x — любое число" } },
        { "1", "-3", "1",
            { "x ∈ (−∞; (3 − √5)/2) ∪ ((3 + √5)/2; +∞)", "x ∈ (−∞; (3 − √5)/2] ∪ [(3 + √5)/2; +∞)",
                "x ∈ ((3 − √5)/2; (3 + √5)/2)", "x ∈ [(3 − √5)/2; (3 + √5)/2]" } },
        { "2", "-7", "3",
            { "x ∈ (−∞; 1/2) ∪ (3; +∞)", "x ∈ (−∞; 1/2] ∪ [3; +∞)", "x ∈ (1/2; 3)",
                "x ∈ [1/2; 3]" },
            ',' },
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < 4; ++i) {
            const EquationSolution s
                = ExplainEquation(row.a, row.b, row.c, row.separator, {}, kInequalities[i]);
            EXPECT_EQ(AnswerText(s), std::string("Ответ: ") + row.answers[i] + ".") << allLines(s);
        }
    }
}

// The steps the school way, the number line with the plot's hatched set, and
// the description's sentence.
TEST_F(Analysis, InequalityStepsPictureAndSentence)
{
    const struct {
        const char *a, *b, *c;
        Relation relation;
        std::vector<const char*> lines; // each must appear, whole, in the steps
        const char* picture; // ● filled, ○ hollow, * an interval taken | the plot's set
        const char* sentence; // how the description ends
    } rows[] = {
        { "1", "-3", "2", kGreater,
            { "Найдём корни трёхчлена: x² − 3x + 2 = 0.",
                "Отмечаем на прямой корни 1 и 2 выколотыми точками (неравенство строгое).",
                "a > 0: правее корней знак «+», при переходе через корень знак меняется.",
                "Берём промежутки со знаком «+»: (−∞; 1) и (2; +∞)." },
            "+* ○1 − ○2 +* | (-inf 1) (2 inf)",
            ". Неравенство x² − 3x + 2 > 0 выполняется при x < 1 и при x > 2" },
        { "-1", "3", "-2", kAtLeast,
            { "a < 0: правее корней знак «−», при переходе через корень знак меняется.",
                "Неравенство нестрогое: добавляем корни 1 и 2." },
            "− ●1 +* ●2 − | [1 2]", "при 1 ≤ x ≤ 2" },
        { "1", "2", "1", kAtMost,
            { "a > 0, корень двойной: знак «+» с обеих сторон от него.",
                "Промежутков со знаком «−» нет." },
            "+ ●−1 + | [-1 -1]", "только при x = −1" },
        { "1", "2", "1", kGreater, {}, "+* ○−1 +* | (-inf -1) (-1 inf)", "при x ≠ −1" },
        { "1", "1", "1", kAtLeast, { "Поэтому неравенство верно при любом x." }, "| (-inf inf)",
            "выполняется при любом x" },
        { "0", "-2", "4", kAtLeast,
            { "−2x ≥ −4", "Делим обе части на −2 < 0 и меняем знак неравенства: x ≤ 2." },
            "+* ●2 − | (-inf 2]", "при x ≤ 2" },
        { "0", "-2", "4", kLess, { "Делим обе части на −2 < 0 и меняем знак неравенства: x > 2." },
            "+ ○2 −* | (2 inf)", "при x > 2" },
        { "-1", "0", "-1", kLess,
            { "D < 0 и a < 0: корней нет, парабола целиком ниже оси x, трёхчлен отрицателен при "
              "любом x.",
                "Поэтому неравенство верно при любом x." },
            "| (-inf inf)", "выполняется при любом x" },
        { "0", "3", "1", kGreater,
            { "Делим обе части на 3 > 0, знак неравенства сохраняется: x > −1/3." },
            "− ○−1/3 +* | (-0.333333 inf)", "при x > −0.3333" },
        { "0", "0", "-5", kGreater, { "a = b = 0: остаётся −5 > 0, это неверно ни при каком x." },
            "|", "не выполняется ни при каком x" },
        { "1", "1e19", "1", kLess,
            { "Точная запись концов длиннее 40 знаков: показаны десятичные значения." },
            "+ ○−10¹⁹ −* ○−10⁻¹⁹ + | (-1e+19 -1e-19)", "при −10¹⁹ < x < −10⁻¹⁹" },
    };
    for (const auto& row : rows) {
        const EquationSolution s = ExplainEquation(row.a, row.b, row.c, '.', {}, row.relation);
        SCOPED_TRACE(allLines(s));
        for (const char* line : row.lines)
            EXPECT_NE(allLines(s).find(std::string(line) + "\n"), std::string::npos) << line;
        const NumberLine n = s.numberLine.value_or(NumberLine {});
        std::ostringstream picture;
        for (std::size_t i = 0; i < n.signs.size(); ++i) {
            picture << (n.signs[i] > 0 ? "+" : "−") << (n.chosen[i] ? "* " : " ");
            if (i < n.points.size())
                picture << (n.points[i].filled ? "●" : "○") << n.points[i].label << " ";
        }
        picture << (s.curve.inequality ? "|" : "no hatching");
        for (const PlotInterval& i : s.curve.solution)
            picture << " "
                    << "(["[i.fromClosed] << i.from << " " << i.to << ")]"[i.toClosed];
        EXPECT_EQ(picture.str(), row.picture);
        EXPECT_TRUE(s.description.ends_with(row.sentence)) << s.description;
    }
    const EquationSolution s = ExplainEquation("1", "-3", "2", ',', std::nullopt, kGreater);
    EXPECT_EQ(PlainText(NumberLineSigns(*s.numberLine)),
        "Знаки: + на (−∞; 1), − на (1; 2), + на (2; +∞)");
    EXPECT_EQ(s.steps[s.numberLineStep].heading, "Метод интервалов");
    // A copied or saved plot is captioned with the inequality.
    EXPECT_EQ(s.curve.caption, "x² − 3x + 2 > 0");
    // The intervals follow the roots, the vertex waits for the function after
    // the answer, and a linear inequality is solved directly, not as an
    // equation first.
    const auto headings = [](const EquationSolution& e) {
        std::string out;
        for (const SolutionStep& step : e.steps)
            out += step.heading + "|";
        return out;
    };
    EXPECT_EQ(headings(s),
        "Неравенство|Дискриминант|Корни|Проверка по теореме Виета|Разложение на множители|"
        "Метод интервалов|Выбор промежутков|");
    EXPECT_EQ(headings(ExplainEquation("0", "-2", "4", '.', {}, kAtLeast)),
        "Неравенство|Линейное неравенство|");
}

// 10⁵ small-integer inequalities: the exact set holds at a random rational,
// a thousandth either side of each zero and at the zero itself (where the
// trinomial vanishes) exactly where the exact trinomial has the wanted sign.
TEST_F(Analysis, InequalitySetsAgreeWithTheExactSign)
{
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> coefficient(-9, 9), numerator(-300, 300), denominator(1, 20);
    // In the order of kInequalities: the sign wanted, and whether 0 will do.
    const int direction[] = { 1, 1, -1, -1 };
    const bool orEqual[] = { false, true, false, true };
    for (int i = 0; i < 100000; ++i) {
        const int a = coefficient(random), b = coefficient(random), c = coefficient(random);
        const std::size_t k = random() % 4;
        const auto wanted = [&](int sign) { return sign == 0 ? orEqual[k] : sign == direction[k]; };
        const EquationFacts facts = AnalyseEquation(
            { { std::to_string(a), std::to_string(b), std::to_string(c) }, '.', {}, "" });
        const SolutionSet set = SolveInequality(facts, kInequalities[k]);
        std::vector<Rational> points { MakeRational(numerator(random), denominator(random)) };
        for (const Surd& z : facts.zeros) {
            const BigInt m = static_cast<long long>(std::floor(Approximate(z) * 1000));
            points.push_back(MakeRational(m, 1000));
            points.push_back(MakeRational(m + 1, 1000));
            // d²·(a·z² + b·z + c) for z = (p + q√r)/d: its rational part and that of √r.
            ASSERT_EQ(a * (z.p * z.p + z.q * z.q * z.r) + b * z.p * z.d + c * z.d * z.d, 0);
            ASSERT_EQ(z.q * (2 * a * z.p + b * z.d), 0);
            ASSERT_EQ(Contains(set, z), wanted(0)) << a << " " << b << " " << c << " " << k;
        }
        for (const Rational& x : points) {
            const BigInt value = a * x.num * x.num + b * x.num * x.den + c * x.den * x.den;
            ASSERT_EQ(Contains(set, x), wanted(value.sign()))
                << a << " " << b << " " << c << " " << k << " at " << x.num << "/" << x.den;
        }
    }
}

// "1;-3;2" as the three coefficient texts.
std::vector<std::string> split(const char* coefficients)
{
    std::vector<std::string> texts(1);
    for (const char* c = coefficients; *c; ++c) {
        if (*c == ';')
            texts.emplace_back();
        else
            texts.back() += *c;
    }
    return texts;
}

// A value of the table of values as exact arithmetic reads it: "−250 000,999991",
// "3/2", "−2·10⁻¹⁰".
boost::multiprecision::cpp_rational tableValue(std::string text, char separator)
{
    using boost::multiprecision::cpp_rational;
    text = plainSpaces(text);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    for (std::size_t at; (at = text.find("−")) != std::string::npos;)
        text.replace(at, std::string("−").size(), "-");
    const std::size_t power = text.find("·10");
    if (power != std::string::npos) {
        std::string exponent;
        const std::string tail = text.substr(power + std::string("·10").size());
        const char* const digits[] = { "⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹" };
        for (std::size_t i = 0; i < tail.size();) {
            if (tail.compare(i, std::string("⁻").size(), "⁻") == 0) {
                exponent += '-';
                i += std::string("⁻").size();
                continue;
            }
            for (int d = 0; d < 10; ++d) {
                if (tail.compare(i, std::string(digits[d]).size(), digits[d]) == 0) {
                    exponent += char('0' + d);
                    i += std::string(digits[d]).size();
                    break;
                }
            }
        }
        text = text.substr(0, power) + "e" + exponent;
    }
    const auto exact = [separator](const std::string& part) {
        const std::optional<ExactDecimal> x = ParseExactDecimal(part, separator);
        EXPECT_TRUE(x) << part;
        cpp_rational value = x ? cpp_rational(x->m) : cpp_rational(0);
        for (long e = 0; x && e < x->e; ++e)
            value *= 10;
        for (long e = 0; x && e > x->e; --e)
            value /= 10;
        return value;
    };
    const std::size_t bar = text.find('/');
    if (bar == std::string::npos)
        return exact(text);
    return exact(text.substr(0, bar)) / exact(text.substr(bar + 1));
}

// The function after the answer, as the ninth grade writes it: the range from
// the vertex, the zeros and signs from the facts, the monotonicity about the
// axis, evenness for b = 0; and every point of the table on the curve exactly,
// x₀ in the middle of a symmetric table where x₀ is a whole or a half.
TEST_F(Analysis, FunctionSectionReadsTheFacts)
{
    const struct {
        const char *a, *b, *c;
        std::vector<const char*> lines; // each must appear, whole, in the section
    } rows[] = {
        { "1", "-3", "2",
            { "Ветви параболы направлены вверх, так как a = 1 > 0.",
                "y₀ = y(3/2) = (3/2)² − 3·(3/2) + 2 = −1/4;", "2) E(y) = [−1/4; +∞);",
                "3) y = 0 при x = 1 и x = 2;", "4) y > 0 при x ∈ (−∞; 1) ∪ (2; +∞);",
                "6) убывает на (−∞; 3/2], возрастает на [3/2; +∞);",
                "8) функция ни чётная, ни нечётная;" } },
        { "-1", "2", "3",
            { "2) E(y) = (−∞; 4];", "5) y < 0 при x ∈ (−∞; −1) ∪ (3; +∞);",
                "6) возрастает на (−∞; 1], убывает на [1; +∞);",
                "7) наибольшее значение y = 4 при x = 1, наименьшего нет;",
                "9) ограничена сверху, снизу не ограничена." } },
        { "2", "-4", "-1",
            { "x₀ = −b/(2a) = 4/4 = 1,", "2) E(y) = [−3; +∞);",
                "3) y = 0 при x = (2 − √6)/2 и x = (2 + √6)/2;",
                "5) y < 0 при x ∈ ((2 − √6)/2; (2 + √6)/2);" } },
        { "1", "-2", "1",
            { "Парабола касается оси Ox в точке (1; 0).", "2) E(y) = [0; +∞);",
                "3) y = 0 при x = 1;", "4) y > 0 при x ≠ 1;", "5) y < 0 ни при каком x;" } },
        { "1", "1", "1",
            { "Ось Ox парабола не пересекает: D < 0.", "2) E(y) = [3/4; +∞);", "3) нулей нет;",
                "4) y > 0 при любом x;", "6) убывает на (−∞; −1/2], возрастает на [−1/2; +∞);" } },
        { "1", "0", "-4", { "2) E(y) = [−4; +∞);", "8) функция чётная: y(−x) = y(x);" } },
        { "-2", "0", "-1",
            { "2) E(y) = (−∞; −1];", "5) y < 0 при любом x;",
                "8) функция чётная: y(−x) = y(x);" } },
        { "0,5", "-1,25", "0,5",
            { "Возьмём целые x около x₀ = 5/4:", "2) E(y) = [−9/32; +∞);",
                "3) y = 0 при x = 1/2 и x = 2;" } },
        { "2,5e9", "1", "-3",
            { "2) E(y) = [−30 000 000 001/10 000 000 000; +∞);",
                "6) убывает на (−∞; −2·10⁻¹⁰], возрастает на [−2·10⁻¹⁰; +∞);" } },
        { "1e-6", "1", "-1",
            { "Значения x берём симметрично относительно оси x = −500 000:",
                "2) E(y) = [−250 001; +∞);" } },
        { "0", "2", "-3",
            { "При a = 0 функция линейная, её график — прямая.",
                "1) D(y) = (−∞; +∞), E(y) = (−∞; +∞);", "2) y = 0 при x = 3/2;",
                "5) возрастает на (−∞; +∞), наибольшего и наименьшего значений нет." } },
        { "0", "0", "5", { "График — прямая, параллельная оси Ox, через точку (0; 5)." } },
    };
    using boost::multiprecision::cpp_rational;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + "; " + row.b + "; " + row.c);
        const EquationSolution s = ExplainEquation(row.a, row.b, row.c, ',');
        std::string text;
        for (const SolutionStep& step : s.function) {
            for (const StepLine& line : step.lines)
                text += PlainText(line) + "\n";
        }
        text = plainSpaces(text);
        for (const char* line : row.lines)
            EXPECT_NE(text.find(std::string(line) + "\n"), std::string::npos) << line << "\nin\n"
                                                                              << text;
        const cpp_rational a = tableValue(row.a, ','), b = tableValue(row.b, ','),
                           c = tableValue(row.c, ',');
        std::size_t points = 0;
        for (const SolutionStep& step : s.function) {
            if (!step.table)
                continue;
            const std::vector<StepLine>&xs = step.table->xs, &ys = step.table->ys;
            ASSERT_EQ(xs.size(), ys.size());
            ASSERT_GE(xs.size(), a == 0 ? 2u : 7u);
            std::vector<cpp_rational> x;
            for (std::size_t i = 0; i < xs.size(); ++i) {
                x.push_back(tableValue(PlainText(xs[i]), ','));
                EXPECT_EQ(tableValue(PlainText(ys[i]), ','), (a * x[i] + b) * x[i] + c)
                    << PlainText(xs[i]) << "; " << PlainText(ys[i]);
            }
            // x₀ − 3, …, x₀ + 3 where x₀ is a whole or a half: symmetric about the axis.
            const cpp_rational x0 = a == 0 ? cpp_rational(0) : cpp_rational(-b / (2 * a));
            if (a != 0 && boost::multiprecision::denominator(x0) <= 2) {
                EXPECT_EQ(x[xs.size() / 2], x0);
                for (std::size_t i = 0; i < x.size(); ++i)
                    EXPECT_EQ(x[i] + x[x.size() - 1 - i], 2 * x0) << i;
            }
            for (std::size_t i = 0; i + 1 < x.size(); ++i)
                EXPECT_EQ(x[i + 1] - x[i], 1);
            points += xs.size();
            ASSERT_EQ(s.curve.table.size(), xs.size());
            for (std::size_t i = 0; i < xs.size(); ++i)
                EXPECT_EQ(s.curve.table[i].first, static_cast<double>(x[i]));
        }
        EXPECT_EQ(points == 0, a == 0 && b == 0);
    }
    // The range and the monotonicity in the plot's sentence, the table point by
    // point in the plain text.
    const EquationSolution s = ExplainEquation("1", "-3", "2", ',');
    EXPECT_NE(s.description.find("ось y в точке 2. Функция убывает при x ≤ 1,5 и возрастает при "
                                 "x ≥ 1,5, её наименьшее значение −0,25"),
        std::string::npos)
        << s.description;
    EXPECT_NE(SolutionPlainText(s).find("Ответ: x₁ = 2, x₂ = 1.\nФункция y = x² − 3x + 2\n"),
        std::string::npos);
    EXPECT_NE(SolutionPlainText(s).find(
                  "Таблица значений\nЗначения x берём симметрично относительно оси x = 3/2:\n"
                  "x = −1,5; y = 8,75\nx = −0,5; y = 3,75\n"),
        std::string::npos)
        << SolutionPlainText(s);
}

// The solution typed up in LaTeX: each row's snippet appears in the block for
// the coefficients (with the decimal comma) and the sign.
TEST_F(Analysis, LatexKeepsEveryFormula)
{
    constexpr Relation kEqual = Relation::Equal;
    const struct {
        const char* coefficients;
        Relation relation;
        const char* snippet;
    } rows[] = {
        { "1;-3;1", kEqual, "\\hangindent=2em $x^{2} - 3x + 1 = 0$\\par\n" },
        { "1;-3;1", kEqual, "x_{1,2} \\hm{=} \\frac{-b \\pm \\sqrt{D}}{2a} \\hm{=} \\frac{3 \\pm" },
        { "1;-3;1", kEqual, "$x_1 = \\frac{3 + \\sqrt{5}}{2} \\hm{\\approx } 2{,}618$" },
        { "1;-3;1", kEqual, "\n\\textbf{Корни}\\par\n" },
        { "1;-3;1", kEqual, "$D > 0$: два корня." },
        { "1;-3;1", kEqual, "(3 + \\sqrt{5})(3 - \\sqrt{5})/4 = 1 \\hm{=} \\frac{c}{a}$" },
        { "1;-3;1", kEqual, "\\textbf{Ответ:} $x_1 = \\frac{3 + \\sqrt{5}}{2}$, $x_2" },
        { "1;-3;1", kEqual,
            "a(x - x_1)(x - x_2) \\hm{=} \\left(x - \\frac{3 + \\sqrt{5}}{2}\\right)\\left(x" },
        { "1;0;-5", kEqual,
            "\\frac{\\pm \\sqrt{20}}{2} \\hm{=} \\frac{\\pm 2\\sqrt{5}}{2} \\hm{=} \\pm "
            "\\sqrt{5}$" },
        { "1;-100000;0", kEqual, "$x^{2} - 100\\,000x = 0$\\par\n" },
        { "1;-100000;0", kEqual, "\\textbf{Разложение на множители}\\par\n" },
        { "2,5e9;1;-3", kEqual, "\\hm{\\approx } -1{,}2 \\cdot 10^{-9} \\hm{=} \\frac{c}{a}$" },
        { "1;1e-19;-3", kEqual, "$x^{2} + 10^{-19} \\cdot x - 3 = 0$" },
        { "1;-3;2", kGreater,
            "$x \\in (-\\infty ; 1) \\hm{\\cup } (2; +\\infty )$.\\par\n\\medskip\n"
            "\\textbf{Функция $y = x^{2} - 3x + 2$}\\par\n" },
        { "1;-3;2", kEqual,
            "\\begin{tabular}{|c|c|c|c|c|c|c|c|}\n\\hline\n$x$ & $-1{,}5$ & $-0{,}5$ & $0{,}5$ & "
            "$1{,}5$ & $2{,}5$ & $3{,}5$ & $4{,}5$ \\\\\n\\hline\n$y$ & $8{,}75$ & $3{,}75$ & "
            "$0{,}75$ & $-0{,}25$ & $0{,}75$ & $3{,}75$ & $8{,}75$ \\\\\n\\hline\n\\end{tabular}" },
        { "1;-3;2", kEqual, "2) $E(y) \\hm{=} \\left[-\\frac{1}{4}; +\\infty \\right)$;\\par\n" },
        { "1;-3;2", kGreater, "Знаки: $+$ на $(-\\infty ; 1)$, $-$ на $(1; 2)$" },
        { "1;-3;2", kGreater, "Отмечаем на прямой корни $1$ и $2$ выколотыми точками" },
        { "1;-3;2", kGreater, "$a > 0$: правее корней знак «$+$», при" },
        { "1;-3;1", kAtMost, "x^{2} - 3x + 1 \\leq 0" },
        { "1;-3;1", kAtMost,
            "x \\in \\left[\\frac{3 - \\sqrt{5}}{2}; \\frac{3 + \\sqrt{5}}{2}\\right]" },
        { "1;-3;1", kAtMost, "Берём промежуток со знаком «$-$»: $" },
        { "1;2;5", kEqual, "$D < 0$, корней нет.\\par\n" },
        { "1;2;5", kEqual, "\\textbf{Ответ:} корней нет.\\par" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.coefficients);
        const std::vector<std::string> k = split(row.coefficients);
        const std::string latex
            = SolutionAsLatex(ExplainEquation(k[0], k[1], k[2], ',', {}, row.relation));
        EXPECT_TRUE(latex.starts_with("\\begin{flushleft}\n\\providecommand*{\\hm}")) << latex;
        EXPECT_NE(latex.find(row.snippet), std::string::npos) << row.snippet << "\nin\n" << latex;
    }
    // A heading is prose, its index in math.
    EXPECT_NE(SolutionAsLatex(ExplainEquation("1", "-6", "9", ',', Method::HalfDiscriminant))
                  .find("\\textbf{Дискриминант D$_1$}\\par"),
        std::string::npos);
    EXPECT_EQ(LatexLine(Formula("x ≠ 1,5; y ≥ 0 ≥ −2·10⁻¹⁹")),
        "$x \\neq 1{,}5; y \\geq 0 \\geq -2 \\cdot 10^{-19}$");
}

// Where pdflatex is installed, copied solutions typeset in a plain amsmath
// article with Cyrillic fonts, every character found in a font and no line
// wider than the text.
TEST_F(Analysis, LatexTypesets)
{
    if (std::system("command -v pdflatex >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no pdflatex";
    const std::filesystem::path dir = std::filesystem::temp_directory_path()
        / ("quadratic-latex-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "solution.tex")
        << "\\documentclass{article}\n\\usepackage[T2A]{fontenc}\n\\usepackage[utf8]{inputenc}\n"
           "\\usepackage{amsmath}\n\\tracinglostchars=3\n\\begin{document}\n"
        << SolutionAsLatex(ExplainEquation("1", "-3", "1", ','))
        << SolutionAsLatex(ExplainEquation("1", "-3", "2", ',', {}, Relation::Greater))
        << SolutionAsLatex(ExplainEquation("1", "2", "5", ','))
        << SolutionAsLatex(ExplainEquation("1", "2", "5", ',', {}, Relation::Equal, true))
        << SolutionAsLatex(ExplainEquation("1", "-100000", "0", ',', Method::Vieta))
        << SolutionAsLatex(ExplainEquation("2,5e9", "1", "-3", ','))
        << SolutionAsLatex(ExplainEquation("1", "0", "-5", ',', {}, Relation::LessOrEqual))
        << SolutionAsLatex(ExplainEquation("0", "2", "-3", ',', {}, Relation::Less))
        << SolutionAsLatex(ExplainEquation("1", "1e19", "1", ','))
        << SolutionAsLatex(ExplainEquation("2", "-50", "3", ',', {}, Relation::GreaterOrEqual))
        << SolutionAsLatex(ExplainEquation("-1", "-3", "2", ',', {}, Relation::Less))
        // Tables of seven wide values, and of values wider than the text.
        << SolutionAsLatex(ExplainEquation("1e-6", "1", "-1", ','))
        << SolutionAsLatex(ExplainEquation("1,000001", "-0,3", "-1234567,125", ','))
        << "\\end{document}\n";
    const std::string pdflatex = "cd '" + dir.string() + "' && pdflatex -halt-on-error";
    const int status = std::system((pdflatex + " solution.tex </dev/null >/dev/null").c_str());
    std::stringstream log;
    log << std::ifstream(dir / "solution.log").rdbuf();
    EXPECT_EQ(status, 0) << log.str();
    EXPECT_EQ(log.str().find("Missing character"), std::string::npos) << log.str();
    EXPECT_EQ(log.str().find("Overfull \\hbox"), std::string::npos) << log.str();
    std::filesystem::remove_all(dir);
}

// The printed graph's scale for the fitted view in a plot area of 160 × 100 mm.
TEST_F(Analysis, PaperScaleIsTrueWhereTheGraphFits)
{
    const struct {
        const char *coefficients, *caption;
        Relation relation = Relation::Equal;
    } rows[] = {
        { "1;-3;2", "Масштаб: 1 единица = 1 см" },
        // Above or below the x axis, which is in view.
        { "1;2;5", "Масштаб: 1 единица = 1 см" },
        { "1;1;1", "Масштаб: 1 единица = 1 см" },
        { "2;1;3", "Масштаб: 1 единица = 1 см" },
        { "-1;2;-5", "Масштаб: 1 единица = 1 см" },
        { "1;0;1", "Масштаб: 1 единица = 1 см" },
        // An inequality's answer as the fitted view shows it.
        { "0;2;-4", "Масштаб: 1 единица = 1 см", kGreater },
        // At a common 2 mm the answer's 12 units would take a sixth of the width.
        { "-1;4;5", "Масштаб: по оси x 1 единица = 1 см, по оси y 1 единица = 2 мм", kAtMost },
        { "1;-3;2", "Масштаб: 1 единица = 1 см", kGreater },
        { "1;0;-400", "Масштаб: по оси x 1 единица = 2 мм, по оси y 1 см = 50 единиц" },
        { "2,5e9;1;-3", "Масштаб: по оси x 1 см = 5·10⁻⁶ единицы, по оси y 1 единица = 2 см" },
        { "1;0;-0,25", "Масштаб: 1 единица = 10 см" }, // small: enlarged
        { "0,01;0;-1", "Масштаб: по оси x 1 единица = 5 мм, по оси y 1 единица = 5 см" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.coefficients);
        const std::vector<std::string> k = split(row.coefficients);
        const PlotCurve curve = ExplainEquation(k[0], k[1], k[2], ',', {}, row.relation).curve;
        const PlotBox fitted = FitView(curve);
        const PaperScale scale = FitOnPaper(fitted, 160, 100);
        EXPECT_EQ(ScaleCaption(scale, ','), row.caption);
        // The view fills the area at that scale and holds the fitted one.
        const PlotBox view = PaperView(fitted, scale, 160, 100);
        EXPECT_NEAR(view.width() * scale.xMm, 160, 1e-9 * 160);
        EXPECT_NEAR(view.height() * scale.yMm, 100, 1e-9 * 100);
        EXPECT_TRUE(view.xMin <= fitted.xMin && view.xMax >= fitted.xMax);
        EXPECT_TRUE(view.yMin <= fitted.yMin && view.yMax >= fitted.yMax);
        // No part of the answer is cut: an unbounded one keeps a quarter of the width.
        for (const PlotInterval& part : curve.solution) {
            const double from = std::max(part.from, view.xMin), to = std::min(part.to, view.xMax);
            EXPECT_TRUE(from == part.from || std::isinf(part.from));
            EXPECT_TRUE(to == part.to || std::isinf(part.to));
            if (std::isinf(part.from) || std::isinf(part.to)) {
                EXPECT_GE(to - from, (0.25 - 1e-9) * view.width());
            }
        }
    }
    // The table's points join the page's view where they fit at 1 cm, with
    // room beyond the vertex for its label and the rest for the branches.
    for (const auto& [coefficients, table] : { std::pair { "1;-3;2", true }, { "1;1;1", true },
             { "-1;4;5", true }, { "1;0;-0,25", true }, { "2;-7;3", false } }) {
        SCOPED_TRACE(coefficients);
        const std::vector<std::string> k = split(coefficients);
        const PlotCurve curve = ExplainEquation(k[0], k[1], k[2], ',').curve;
        const PaperPlan plan = PlanPaper(curve, FitView(curve), 160, 140);
        EXPECT_EQ(plan.table, table);
        const PlotBox view = PaperView(plan.fitted, plan.scale, 160, 140, curve.a);
        for (const auto& [x, y] : curve.table)
            EXPECT_TRUE(!table || view.contains(x, y)) << x << "; " << y;
        const double vertex = curve.at(-curve.b / (2 * curve.a));
        const double beyond = curve.a > 0 ? vertex - view.yMin : view.yMax - vertex;
        EXPECT_TRUE(beyond >= 1 && beyond <= 2.5) << beyond;
    }
}

} // namespace
