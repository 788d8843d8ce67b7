#include "Solver.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {

class Solver : public ::testing::Test {
protected:
    void TearDown() override { DecimalSeparator = '.'; }
};

struct Case {
    const char* name; // what the user types and what it shows
    const char *a, *b, *c;
    const char* shown;
};

void expectShown(const Case& c)
{
    SCOPED_TRACE(c.name);
    const TSolveOutcome outcome = SolveQuadratic(c.a, c.b, c.c);
    EXPECT_EQ(outcome.kind, TSolveKind::Evaluated);
    EXPECT_TRUE(outcome.hasResult);
    EXPECT_EQ(outcome.resultText, c.shown);
    // What the solution window is handed is this Solve, not a second one.
    EXPECT_TRUE(outcome.solved.resultLine == c.shown && outcome.solved.texts[1] == c.b);
    EXPECT_TRUE(ReadEquation({ c.a, c.b, c.c }, DecimalSeparator).resultLine.empty());
}

TEST_F(Solver, EveryRuleShowsItsText)
{
    const Case cases[] = {
        { "1, -3, 2 gives two roots", "1", "-3", "2", "x1= 2; x2= 1" },
        { "-1, 0, 4: x1 takes +√D and is the smaller", "-1", "0", "4", "x1= -2; x2= 2" },
        { "1, 0, -2 gives irrational roots", "1", "0", "-2", "x1= 1.414; x2= -1.414" },
        { "0, 2, -4 is linear", "0", "2", "-4", "Один корень и он равен 2" },
        { "0, 3, 1 is linear with a fraction", "0", "3", "1", "Один корень и он равен -0.3333" },
        { "0, 2, 0 gives root 0, not -0", "0", "2", "0", "Один корень и он равен 0" },
        { "1, 0, 1 has negative D", "1", "0", "1", "Уравнение решений не имеет" },
        { "0, 0, 5 is a false constant", "0", "0", "5", "Уравнение решений не имеет" },
        { "2, 0, 0 has the root 0", "2", "0", "0", "Один корень и он равен 0" },
        { "0, 0, 0 is always true", "0", "0", "0", "Бесконечное множество решений" },
        { "1e-50 underflows to 0, so it is linear", "1e-50", "2", "-4",
            "Один корень и он равен 2" },
        { "1, -1e5, 0: a root of six digits is scientific", "1", "-1e5", "0", "x1= 1E05; x2= 0" },
        { "1, -5, 6 with exponent forms", "1E0", "-0.5e1", "+6", "x1= 3; x2= 2" },
        { "2, -3, 1 gives a fractional root", "2", "-3", "1", "x1= 1; x2= 0.5" },
        { "-2, 3, -1: a < 0 keeps the roots unsorted", "-2", "3", "-1", "x1= 0.5; x2= 1" },
        { "1, 1, -1 golden ratio", "1", "1", "-1", "x1= 0.618; x2= -1.618" },
    };
    for (const auto& c : cases)
        expectShown(c);
}

TEST_F(Solver, CommaSeparatorIsReadAndWritten)
{
    DecimalSeparator = ',';
    expectShown({ "1, 0, -2 with comma", "1", "0", "-2", "x1= 1,414; x2= -1,414" });
    expectShown({ "0,5, 0, -0,125 with comma", "0,5", "0", "-0,125", "x1= 0,5; x2= -0,5" });
    EXPECT_THROW(SolveQuadratic("1.5", "1", "1"), Exception);
}

// Faults of the textbook solver that this one does not have.
TEST_F(Solver, MendedCases)
{
    const Case cases[] = {
        // Cancellation: -b + √D loses every digit of the small root.
        { "1, 1e19, 1: small root is -1e-19, not 0", "1", "1e19", "1", "x1= -1E-19; x2= -1E19" },
        { "1, -1e19, 1: mirrored", "1", "-1e19", "1", "x1= 1E19; x2= 1E-19" },
        { "1, 1e4, 1: small root keeps its digits", "1", "1e4", "1", "x1= -0.0001; x2= -1E04" },
        { "-1, 1e4, 1: x1 still the root of +√D", "-1", "1e4", "1", "x1= -0.0001; x2= 1E04" },
        // Double root.
        { "1, 2, 1 has the double root -1", "1", "2", "1", "Один корень и он равен -1" },
        { "4, -4, 1 has the double root 0.5", "4", "-4", "1", "Один корень и он равен 0.5" },
        // All coefficients zero, written otherwise than "0".
        { "0, 0, 00", "0", "0", "00", "Бесконечное множество решений" },
        { "0.0, -0, 0", "0.0", "-0", "0", "Бесконечное множество решений" },
        { "0e5, 0, 1e-60", "0e5", "0", "1e-60", "Бесконечное множество решений" },
        // Discriminant and roots beyond the single range.
        { "1e-30, 1e30, 1: roots beyond single range", "1e-30", "1e30", "1",
            "x1= -1E-30; x2= -1E60" },
        { "1e30, 1e30, -1e30: D = 5e60 stays finite", "1e30", "1e30", "-1e30",
            "x1= 0.618; x2= -1.618" },
        { "1e-30, 0, -1e-30: D = 4e-60 does not vanish", "1e-30", "0", "-1e-30", "x1= 1; x2= -1" },
        { "1e-20, 1e-20, 1e-20: negative D of 3e-40", "1e-20", "1e-20", "1e-20",
            "Уравнение решений не имеет" },
        { "1e38, 0, -1e-38: root below the normal single range", "1e38", "0", "-1e-38",
            "x1= 1E-38; x2= -1E-38" },
        { "1e20, 1, -1e-45: a root of 1e-45 is not shown as 0", "1e20", "1", "-1e-45",
            "x1= 1.401E-45; x2= -1E-20" },
        { "0, 1e-45, 3e38: linear root beyond single range", "0", "1e-45", "3e38",
            "Один корень и он равен -2.141E83" },
    };
    for (const auto& c : cases)
        expectShown(c);
}

TEST_F(Solver, CoefficientBeyondSingleRangeIsRefusedByName)
{
    const struct {
        const char *a, *b, *c, *quoted;
    } cases[] = {
        { "1", "1e39", "1", "1e39" },
        { "-3.5e38", "1", "1", "-3.5e38" },
        { "1", "2", "-1e40", "-1e40" },
    };
    for (const auto& c : cases) {
        try {
            SolveQuadratic(c.a, c.b, c.c);
            ADD_FAILURE() << "no error raised for " << c.quoted;
        } catch (const Exception& e) {
            EXPECT_EQ(e.what(),
                "Число «" + std::string(c.quoted)
                    + "» вне допустимого диапазона: по модулю не больше 3.4E38.");
        }
    }
    EXPECT_NO_THROW(SolveQuadratic("3.4e38", "3.4e38", "-3.4e38"));
}

TEST_F(Solver, EmptyFieldIsReportedBeforeAnythingIsConverted)
{
    const struct {
        const char *a, *b, *c;
        int firstEmpty;
    } cases[] = {
        { "", "", "", 1 },
        { "", "2", "3", 1 },
        { "1", "", "3", 2 },
        { "abc", "", "3", 2 }, // a is not converted, so no conversion error
        { "1", "2", "", 3 },
        { "x", "y", "", 3 },
        { "1", "", "", 2 },
    };
    for (const auto& c : cases) {
        const TSolveOutcome outcome = SolveQuadratic(c.a, c.b, c.c);
        EXPECT_EQ(outcome.kind, TSolveKind::MissingValues) << c.a << "|" << c.b << "|" << c.c;
        EXPECT_EQ(outcome.firstEmpty, c.firstEmpty) << c.a << "|" << c.b << "|" << c.c;
        EXPECT_FALSE(outcome.hasResult);
    }
}

TEST_F(Solver, FirstTextThatIsNoNumberIsTheOneReported)
{
    const struct {
        const char *a, *b, *c, *quoted;
    } cases[] = {
        { "abc", "2", "3", "«abc»" },
        { "abc", "x", "y", "«abc»" },
        { "1", "--2", "y", "«--2»" },
        { "1", "2", "1.2.3", "«1.2.3»" },
        { "1", "1e39", "zz", "«1e39»" },
    };
    for (const auto& c : cases) {
        try {
            SolveQuadratic(c.a, c.b, c.c);
            ADD_FAILURE() << "no error for " << c.a << "|" << c.b << "|" << c.c;
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.quoted), std::string::npos) << e.what();
        }
    }
}

TEST_F(Solver, SameInputGivesSameText)
{
    EXPECT_EQ(SolveQuadratic("1", "0", "-2").resultText, SolveQuadratic("1", "0", "-2").resultText);
}

} // namespace
