// The conversion built where long double is as narrow as double (as with MSVC):
// the exact short cut must not round twice, and the range is that of double.
// Only doubles and texts cross into this test, never a long double.
#include "SysUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

static_assert(sizeof(long double) == sizeof(double));

TEST(NarrowLongDouble, StrToFloatIsCorrectlyRounded)
{
    std::mt19937_64 rng(11);
    int mismatches = 0;
    for (int n = 0; n < 100000; ++n) {
        std::string text;
        const int digits = 1 + static_cast<int>(rng() % 19); // up to the short cut's 19
        for (int i = 0; i < digits; ++i)
            text += static_cast<char>('0' + rng() % 10);
        text += "e" + std::to_string(static_cast<int>(rng() % 60) - 30);
        const double expected = std::strtod(text.c_str(), nullptr);
        const double actual = static_cast<double>(StrToFloat(text));
        if (actual != expected && ++mismatches <= 5)
            ADD_FAILURE() << text << ": " << std::hexfloat << actual << " instead of " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(NarrowLongDouble, RangeIsThatOfDouble)
{
    EXPECT_EQ(static_cast<double>(StrToFloat("1.7e308")), 1.7e308);
    EXPECT_THROW(StrToFloat("1.8e308"), Exception);
    EXPECT_THROW(StrToFloat("1e400"), Exception);
    EXPECT_EQ(static_cast<double>(StrToFloat("1e-400")), 0.0);
    EXPECT_EQ(static_cast<double>(StrToFloat("5e-324")), 5e-324);
}
