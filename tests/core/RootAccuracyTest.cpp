// Two-root results against roots computed in quadruple precision from the
// same single-precision coefficients.
#include "Solver.h"
#include "SysUtils.h"

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

// IEEE binary128 in software: the same on every compiler and processor.
using Quad = boost::multiprecision::cpp_bin_float_quad;

std::string scientific(const Quad& x, int fractionDigits)
{
    return x.str(fractionDigits, std::ios_base::scientific);
}

// A decimal number reduced to its significant digits and exponent, so that the
// shown text and the reference compare whatever their notation.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    int exponent = 0; // of the first digit
    bool operator==(const Decimal&) const = default;
};

Decimal parseDecimal(const std::string& text)
{
    Decimal d;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    int pointPosition = -1;
    int position = 0;
    int firstDigit = -1;
    std::string all;
    for (; i < text.size() && text[i] != 'E' && text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            pointPosition = position;
            continue;
        }
        if (firstDigit < 0 && text[i] != '0')
            firstDigit = position;
        if (firstDigit >= 0)
            all += text[i];
        ++position;
    }
    if (pointPosition < 0)
        pointPosition = position;
    int exponent = i < text.size() ? std::stoi(text.substr(i + 1)) : 0;
    while (!all.empty() && all.back() == '0')
        all.pop_back();
    if (all.empty())
        return { false, "", 0 };
    d.digits = all;
    d.exponent = pointPosition - firstDigit - 1 + exponent;
    return d;
}

// The exact roots of a·x² + b·x + c for float coefficients, to 113 bits.
// Products of floats are exact in binary128, so D is exact; the stable form of
// the formula keeps both roots to full precision.
void referenceRoots(float a, float b, float c, Quad& x1, Quad& x2)
{
    const Quad qa = a, qb = b, qc = c;
    const Quad d = qb * qb - 4 * qa * qc;
    const Quad s = sqrt(d);
    const Quad plus = (-qb + s) / (2 * qa);
    const Quad minus = (-qb - s) / (2 * qa);
    // Whichever of the two suffers cancellation is recomputed through the product.
    if (qb < 0) {
        x1 = plus;
        x2 = qc / (qa * plus);
    } else {
        x2 = minus;
        x1 = qc / (qa * minus);
    }
}

std::string toFourDigits(const Quad& x) { return scientific(x, 3); }

// Whether x lies so close to the midpoint between two four-digit numbers that
// the rounding to single precision before formatting may tip it either way.
bool nearRoundingBoundary(const Quad& x)
{
    const std::string text = scientific(abs(x), 12);
    const std::string tail = text.substr(5, 8); // digits 5 to 12 of the mantissa
    const double fraction = std::stod("0." + tail);
    return std::fabs(fraction - 0.5) < 2e-3; // a float is good to 6e-8; generous margin
}

float randomCoefficient(std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-18, 18);
    std::bernoulli_distribution negative(0.5);
    const double value = mantissa(rng) * std::pow(10.0, exponent(rng));
    return static_cast<float>(negative(rng) ? -value : value);
}

std::string text(float value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", value); // round-trips exactly
    return buffer;
}

TEST(RootAccuracy, TwoRootsAgreeWithQuadruplePrecisionToEveryShownDigit)
{
    std::mt19937_64 rng(20261207);
    int compared = 0;
    int boundary = 0;
    int wrong = 0;
    while (compared < 100000) {
        const float a = randomCoefficient(rng);
        float b = randomCoefficient(rng);
        float c = randomCoefficient(rng);
        // A third of the cases are nearly double roots (b² ≈ 4ac) or have one
        // tiny root (4ac ≪ b²), where the textbook formula goes wrong.
        const int shape = compared % 3;
        if (shape == 1)
            c = static_cast<float>(static_cast<double>(b) * b / (4.0 * a) * (1 - 1e-5));
        if (shape == 2)
            c = static_cast<float>(c * 1e-12);
        const Quad d = Quad(b) * b - 4 * Quad(a) * c;
        if (!(d > 0) || !std::isfinite(c) || c == 0)
            continue;
        Quad x1, x2;
        referenceRoots(a, b, c, x1, x2);
        const std::string shown = SolveQuadratic(text(a), text(b), text(c)).resultText;
        const auto split = shown.find("; x2= ");
        ASSERT_EQ(shown.rfind("x1= ", 0), 0u) << shown;
        ASSERT_NE(split, std::string::npos) << shown;
        const std::string shownX[2] = { shown.substr(4, split - 4), shown.substr(split + 6) };
        const Quad exact[2] = { x1, x2 };
        for (int k = 0; k < 2; ++k) {
            if (parseDecimal(shownX[k]) == parseDecimal(toFourDigits(exact[k])))
                continue;
            if (nearRoundingBoundary(exact[k])) {
                ++boundary;
                continue;
            }
            if (++wrong <= 10)
                ADD_FAILURE() << "a=" << text(a) << " b=" << text(b) << " c=" << text(c) << " x"
                              << k + 1 << ": shown " << shownX[k] << ", exact "
                              << toFourDigits(exact[k]) << " (hex " << std::hexfloat
                              << exact[k].convert_to<double>() << ")";
        }
        ++compared;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(boundary, 50) << "too many cases near a rounding boundary";
    RecordProperty("boundary_cases", boundary);
}

// FormatRoot against digits taken from a 60-digit expansion in quadruple
// precision, rounded half away from zero here, on random floats and on
// binary fractions that are exact decimal ties (0.15625, 1.0625, …).
TEST(RootAccuracy, FormatRootRoundsHalfAwayFromZero)
{
    std::mt19937 rng(99);
    int wrong = 0;
    for (int n = 0; n < 200000; ++n) {
        float value = 0;
        if (n % 4 == 0) {
            value = static_cast<float>(rng() % 100000) / static_cast<float>(1u << (rng() % 12));
        } else {
            const std::uint32_t bits = rng();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value) || value == 0)
                continue;
        }
        const std::string buffer = scientific(abs(Quad(value)), 60);
        const Decimal exact = parseDecimal(buffer);
        // Round the exact digits half away from zero to four.
        std::string digits = exact.digits;
        digits.resize(60, '0');
        int exponent = exact.exponent;
        std::string kept = digits.substr(0, 4);
        if (digits[4] >= '5') {
            int pos = 3;
            while (pos >= 0 && kept[pos] == '9')
                kept[pos--] = '0';
            if (pos < 0) {
                kept = "1000";
                ++exponent;
            } else {
                ++kept[pos];
            }
        }
        Decimal expected { value < 0, kept, exponent };
        while (!expected.digits.empty() && expected.digits.back() == '0')
            expected.digits.pop_back();
        const std::string shown = FormatRoot(value);
        if (!(parseDecimal(shown) == expected) && ++wrong <= 5)
            ADD_FAILURE() << std::hexfloat << value << " shown " << shown << ", exact " << buffer;
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
