#include "SysUtils.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace {

// Every test starts from the point separator; a case that needs the comma
// sets it and the fixture puts the point back.
class SysUtils : public ::testing::Test {
protected:
    void TearDown() override { DecimalSeparator = '.'; }
};

struct Accepted {
    const char* name;
    char separator;
    const char* text;
    long double value;
};

TEST_F(SysUtils, StrToFloatAcceptsNumbersWrittenWithTheSeparator)
{
    const Accepted cases[] = {
        { "plain integer", '.', "1", 1 },
        { "negative integer", '.', "-3", -3 },
        { "explicit plus", '.', "+2", 2 },
        { "point fraction", '.', "1.5", 1.5L },
        { "no integer part", '.', ".5", 0.5L },
        { "no fraction part", '.', "5.", 5 },
        { "surrounding blanks", '.', "  7 ", 7 },
        { "exponent", '.', "1e3", 1000 },
        { "capital exponent, negative", '.', "1E-3", 0.001L },
        { "exponent with plus", '.', "2.5e+2", 250 },
        { "many digits", '.', "123456789012345678901234567890", 123456789012345678901234567890.0L },
        { "leading zeros", '.', "0007", 7 },
        { "comma fraction", ',', "1,5", 1.5L },
        { "comma negative with exponent", ',', "-2,25E1", -22.5L },
        { "comma, more digits than the short cut takes", ',', "1234567890123456789012,5",
            1234567890123456789012.5L },
        { "comma, exponent beyond the short cut", ',', "2,5e100", 2.5e100L },
        { "tiny beyond long double becomes zero", '.', "1e-5000", 0 },
        { "tiny spelt out becomes zero", '.', "0.0000000000000000000000000001e-4950", 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecimalSeparator = c.separator;
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
    }
}

// The conversion takes a short cut for up to 19 digits and small exponents;
// whichever way it goes, the value must be the correctly rounded one, as the
// C library's own conversion gives it.
TEST_F(SysUtils, StrToFloatIsCorrectlyRoundedOnRandomNumbers)
{
    std::mt19937_64 rng(7);
    int mismatches = 0;
    for (int n = 0; n < 100000; ++n) {
        std::string text;
        if (rng() % 2)
            text += '-';
        const int intDigits = static_cast<int>(rng() % 22);
        for (int i = 0; i < intDigits; ++i)
            text += static_cast<char>('0' + rng() % 10);
        const int fracDigits = static_cast<int>(rng() % 22);
        if (fracDigits > 0 || intDigits == 0) {
            text += '.';
            for (int i = 0; i < std::max(fracDigits, 1); ++i)
                text += static_cast<char>('0' + rng() % 10);
        }
        if (rng() % 2)
            text += "e" + std::to_string(static_cast<int>(rng() % 80) - 40);
        long double expected = 0;
        std::from_chars(text.data() + (text[0] == '-'), text.data() + text.size(), expected);
        if (text[0] == '-')
            expected = -expected;
        const long double actual = StrToFloat(text);
        if (actual != expected && ++mismatches <= 5)
            ADD_FAILURE() << text << ": " << std::hexfloat << actual << " instead of " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(SysUtils, StrToFloatKeepsTheSignOfZero)
{
    EXPECT_TRUE(std::signbit(StrToFloat("-0")));
    EXPECT_TRUE(std::signbit(StrToFloat("-1e-6000")));
    EXPECT_FALSE(std::signbit(StrToFloat("0.000")));
}

TEST_F(SysUtils, StrToFloatRejectsWhatIsNoNumber)
{
    const struct {
        char separator;
        const char* text;
    } cases[] = { { '.', "" }, { '.', " " }, { '.', "abc" }, { '.', "-" }, { '.', "+" },
        { '.', "--1" }, { '.', "+-1" }, { '.', "1.2.3" }, { '.', "1,5" }, { ',', "1.5" },
        { ',', "1,2,3" }, { '.', "." }, { '.', "inf" }, { '.', "-INF" }, { '.', "nan" },
        { '.', "infinity" }, { '.', "0x10" }, { '.', "0x1p3" }, { '.', "1 000" }, { '.', "1_000" },
        { '.', "1e" }, { '.', "1e+" }, { '.', "e5" }, { '.', "1e5.5" }, { '.', "1-" }, { '.', "٣" },
        { '.', "１" }, { '.', "1\t" }, { '.', "1e5000" }, { '.', "-1e99999999999999999999" },
        { '.', "1а" } }; // the last one ends in a Cyrillic а
    for (const auto& c : cases) {
        DecimalSeparator = c.separator;
        EXPECT_THROW(StrToFloat(c.text), Exception) << "'" << c.text << "' with " << c.separator;
    }
}

TEST_F(SysUtils, ConversionErrorQuotesTheTextInRussian)
{
    try {
        StrToFloat("abc");
        FAIL() << "no error raised";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Значение «abc» не является правильным числом.");
    }
    try {
        StrToFloat("1e5000");
        FAIL() << "no error raised";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Число «1e5000» вне допустимого диапазона.");
    }
}

TEST_F(SysUtils, ConversionErrorShortensALongText)
{
    const std::string huge(1 << 20, 'x');
    try {
        StrToFloat(huge);
        FAIL() << "no error raised";
    } catch (const Exception& e) {
        const std::string message = e.what();
        EXPECT_LT(message.size(), 160u);
        EXPECT_NE(message.find("xxxx…»"), std::string::npos) << message;
    }
}

TEST_F(SysUtils, QuoteForMessageCutsWholeCharactersAndHidesControls)
{
    EXPECT_EQ(QuoteForMessage("я", 1), "«я»");
    EXPECT_EQ(QuoteForMessage("яяя", 2), "«яя…»");
    EXPECT_EQ(QuoteForMessage("a\nb\x7f", 10), "«a?b?»");
}

// Found by fuzzing: bytes that are no UTF-8 slipped past the shortening.
TEST_F(SysUtils, QuoteForMessageShortensAndRepairsBytesThatAreNoUtf8)
{
    EXPECT_EQ(QuoteForMessage(std::string(1000, '\xA4'), 3), "«???…»");
    EXPECT_EQ(QuoteForMessage("\xD0", 5), "«?»"); // a sequence cut short
    EXPECT_EQ(QuoteForMessage("\xE2\x82\xAC\xFF", 5), "«€?»");
    EXPECT_EQ(QuoteForMessage("\xF0\x9F\x98\x80", 5), "«😀»");
    EXPECT_EQ(QuoteForMessage("\xC0\x80", 5), "«??»"); // overlong
    EXPECT_EQ(QuoteForMessage("\xED\xA0\x80", 5), "«???»"); // a surrogate
    EXPECT_EQ(QuoteForMessage("\xF4\xA4\xA4\xAA", 5), "«????»"); // beyond U+10FFFF
    EXPECT_EQ(QuoteForMessage("\xE0\x80\xAF", 5), "«???»"); // overlong, three bytes
    EXPECT_EQ(QuoteForMessage("\xF0\x80\x80\xAF", 5), "«????»"); // overlong, four bytes
    EXPECT_EQ(QuoteForMessage("\xE2\x82\x41", 5), "«??A»"); // third byte no continuation
    EXPECT_EQ(QuoteForMessage("\xF0\x9F\x41\x80", 5), "«??A?»");
    // A third or fourth byte with both high bits set is no continuation either.
    EXPECT_EQ(QuoteForMessage("\xE2\x82\xC1", 5), "«???»");
    EXPECT_EQ(QuoteForMessage("\xF0\x9F\x98\xFF", 5), "«????»");
}

struct Formatted {
    long double value;
    const char* text;
};

TEST_F(SysUtils, GeneralFormatWithFourDigitsChoosesFixedOrScientific)
{
    const Formatted cases[] = {
        { 0, "0" },
        { -0.0L, "0" },
        { 1, "1" },
        { -1.41421356L, "-1.414" },
        { 1.0L / 3, "0.3333" },
        { -1.0L / 3, "-0.3333" },
        { 123.456L, "123.5" },
        { 2.5L, "2.5" },
        { 9999, "9999" },
        { 9999.4L, "9999" },
        { 9999.6L, "1E04" }, // rounding adds a fifth integer digit
        { 10000, "1E04" },
        { 12345, "1.235E04" }, // exact tie: half away from zero
        { 100000, "1E05" },
        { -100000, "-1E05" },
        { 0.0001L, "0.0001" },
        { 0.00001L, "0.00001" },
        { 0.0000099996L, "0.00001" }, // rounds up into the fixed range
        { 0.0000099994L, "9.999E-06" },
        { 0.0000012346L, "1.235E-06" },
        { 0.15625L, "0.1563" }, // exact tie in binary too
        { -0.15625L, "-0.1563" },
        { 1e19L, "1E19" },
        { 1e-100L, "1E-100" },
        { 1.5e300L, "1.5E300" },
        { 3.4028235e38L, "3.403E38" },
        { 1e4000L, "1E4000" },
        { 0.999951L, "1" },
        { 0.0999951L, "0.1" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, TFloatFormat::ffGeneral, 4, 2), c.text)
            << std::hexfloat << c.value;
}

TEST_F(SysUtils, GeneralFormatHonoursPrecisionDigitsAndSeparator)
{
    EXPECT_EQ(FloatToStrF(123, TFloatFormat::ffGeneral, 2, 2), "1.2E02");
    EXPECT_EQ(FloatToStrF(1e5L, TFloatFormat::ffGeneral, 4, 0), "1E5");
    EXPECT_EQ(FloatToStrF(1e5L, TFloatFormat::ffGeneral, 4, 4), "1E0005");
    DecimalSeparator = ',';
    EXPECT_EQ(FloatToStrF(1.41421356L, TFloatFormat::ffGeneral, 4, 2), "1,414");
    EXPECT_EQ(FloatToStrF(0.0000012346L, TFloatFormat::ffGeneral, 4, 2), "1,235E-06");
}

TEST_F(SysUtils, FormattingRefusesInfinityAndNaN)
{
    const long double bad[] = { std::numeric_limits<long double>::infinity(),
        -std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN() };
    for (const long double value : bad)
        EXPECT_THROW(FloatToStrF(value, TFloatFormat::ffGeneral, 4, 2), Exception);
}

} // namespace
