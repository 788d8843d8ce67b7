// Exact arithmetic for the explained solution: coefficients read from their
// texts as exact decimals, numbers of the form (p + q·√r)/d for the roots, and
// their typography. Big integers are Boost's header-only cpp_int, since a
// coefficient with a 38-digit exponent does not fit into 64 bits.
#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <optional>
#include <string>

using BigInt = boost::multiprecision::cpp_int;

// m·10^e, normalised: m has no trailing zero digit, and zero is 0·10^0.
struct ExactDecimal {
    BigInt m;
    long e = 0;
};

// The exact value of a text as StrToFloat reads it (blanks around it, sign,
// `separator`, exponent), or nothing for a text that is no number or too
// long to compute with (beyond 60 significant digits or 10^±400).
std::optional<ExactDecimal> ParseExactDecimal(const std::string& text, char separator);
// The exact decimal value of a single-precision number.
ExactDecimal ExactFromFloat(float value);

ExactDecimal Normalised(ExactDecimal value);
ExactDecimal operator*(const ExactDecimal& x, const ExactDecimal& y);
ExactDecimal operator-(const ExactDecimal& x, const ExactDecimal& y);
ExactDecimal operator-(const ExactDecimal& x);
int Sign(const ExactDecimal& x);

// A fraction in lowest terms with a positive denominator.
struct Rational {
    BigInt num;
    BigInt den = 1;
};
Rational MakeRational(BigInt num, BigInt den);
// x / y for y ≠ 0.
Rational Divide(const ExactDecimal& x, const ExactDecimal& y);

// (p + q·√r)/d, times i when imaginary; d > 0, r ≥ 1 without square factors
// below the trial-division bound, gcd(p, q, d) = 1. r = 1 makes it rational.
struct Surd {
    BigInt p, q, r = 1, d = 1;
    bool imaginary = false;
};
inline Surd AsSurd(const Rational& x) { return { x.num, 0, 1, x.den, false }; }

// The sign of a real surd, exactly.
int Sign(const Surd& x);

// The two roots (−b ± √D)/(2a) of a·x² + b·x + c with a ≠ 0, D = b² − 4ac:
// the first with +√D. Square factors are taken out of D.
struct RootPair {
    Surd first, second;
};
RootPair QuadraticRoots(const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& d);

// n = s²·r with r free of square factors, for n ≥ 1: trial division by the
// primes up to ∛n, and where ∛n is beyond the bound, up to the bound; what is
// left over is tested for being a square.
void TakeOutSquares(const BigInt& n, BigInt& s, BigInt& r);

// Values in the working precision. The root is evaluated without
// cancellation (through its conjugate where p and q·√r nearly cancel).
long double Approximate(const Surd& x);
long double Approximate(const Rational& x);
long double Approximate(const ExactDecimal& x);

// The value correctly rounded to `digits` significant digits (half away from
// zero), exactly. `exact` tells whether nothing was rounded off.
ExactDecimal RoundedDecimal(const Surd& x, int digits, bool* exact = nullptr);
// The value correctly rounded to four significant digits (half away from
// zero), as the long double nearest to that decimal, so that FormatRoot
// writes exactly these digits. `exact` tells whether nothing was rounded off.
long double RoundedToFourDigits(const Surd& x, bool* exact = nullptr);
long double RoundedToFourDigits(const Rational& x, bool* exact = nullptr);

// The rational as a decimal where it is one: its denominator is 2ⁱ·5ʲ.
std::optional<ExactDecimal> FiniteDecimal(const Rational& x);

// The order of two real surds, exactly: −1, 0 or +1 as x <, =, > y. Their
// difference has at most two roots; where they differ, one squaring leaves one.
int Compare(const Surd& x, const Surd& y);
