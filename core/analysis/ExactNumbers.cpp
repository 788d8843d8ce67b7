#include "ExactNumbers.h"

#include "Solver.h"
#include "SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int kMaxSignificantDigits = 60;
constexpr long kMaxExponent = 400;
constexpr unsigned kTrialDivisionBound = 20000;

BigInt powerOfTen(long k)
{
    return boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(k));
}

BigInt absolute(const BigInt& n) { return n < 0 ? BigInt(-n) : n; }

const std::vector<unsigned>& smallPrimes()
{
    static const std::vector<unsigned> primes = [] {
        std::vector<bool> composite(kTrialDivisionBound + 1);
        std::vector<unsigned> found;
        for (unsigned i = 2; i <= kTrialDivisionBound; ++i) {
            if (composite[i])
                continue;
            found.push_back(i);
            for (unsigned j = i * i; j <= kTrialDivisionBound; j += i)
                composite[j] = true;
        }
        return found;
    }();
    return primes;
}

// Beyond the range an infinity: Boost throws there from 1.83 on.
long double toLongDouble(const BigInt& n)
{
    if (n != 0
        && boost::multiprecision::msb(absolute(n))
            >= std::numeric_limits<long double>::max_exponent - 1)
        return n < 0 ? -HUGE_VALL : HUGE_VALL;
    return n.convert_to<long double>();
}

// ⌊n⌋ of a non-negative big integer's square root, and ⌈·⌉.
BigInt floorSqrt(const BigInt& n) { return boost::multiprecision::sqrt(n); }
BigInt ceilSqrt(const BigInt& n)
{
    const BigInt s = floorSqrt(n);
    return s * s == n ? s : BigInt(s + 1);
}

Surd reduced(BigInt p, BigInt q, BigInt r, BigInt d, bool imaginary)
{
    if (q == 0)
        r = 1;
    if (r == 1 && !imaginary) {
        p += q;
        q = 0;
    }
    BigInt g = boost::multiprecision::gcd(boost::multiprecision::gcd(absolute(p), absolute(q)), d);
    if (g > 1) {
        p /= g;
        q /= g;
        d /= g;
    }
    return { p, q, r, d, imaginary && q != 0 };
}

// log10 of a big integer's magnitude, for any size; −∞ for zero.
double log10Of(const BigInt& n)
{
    if (n == 0)
        return -HUGE_VAL;
    const BigInt m = absolute(n);
    const unsigned bits = boost::multiprecision::msb(m);
    if (bits < 1000)
        return std::log10(m.convert_to<double>());
    const unsigned shift = bits - 60;
    return std::log10((m >> shift).convert_to<double>()) + shift * std::log10(2.0);
}

// The sign of (p + q·√r)/d.
int exactSign(const Surd& x)
{
    if (x.q == 0 || x.p.sign() == x.q.sign() || x.p == 0)
        return x.p != 0 ? x.p.sign() : x.q.sign();
    return x.p * x.p > x.q * x.q * x.r ? x.p.sign() : x.q.sign();
}

// About log10 of a positive (p + q·√r)/d, within one.
double log10Estimate(const Surd& x)
{
    const double root = x.q == 0 ? -HUGE_VAL : log10Of(x.q) + log10Of(x.r) / 2;
    const double sum = std::max(log10Of(x.p), root);
    if (x.q == 0 || x.p.sign() == x.q.sign() || x.p == 0)
        return sum - log10Of(x.d);
    // p and q·√r cancel: (p² − q²r) / (d·(p − q·√r)).
    return log10Of(x.p * x.p - x.q * x.q * x.r) - log10Of(x.d) - sum;
}

} // namespace

ExactDecimal Normalised(ExactDecimal value)
{
    if (value.m == 0)
        return { 0, 0 };
    while (value.m % 10 == 0) {
        value.m /= 10;
        ++value.e;
    }
    return value;
}

std::optional<ExactDecimal> ParseExactDecimal(const std::string& text, char separator)
{
    const std::optional<ScannedNumber> scanned = ScanNumber(text, separator);
    if (!scanned)
        return std::nullopt;
    const bool negative = scanned->negative;
    const std::string digits = std::string(scanned->whole) + std::string(scanned->fraction);
    const long fractionDigits = static_cast<long>(scanned->fraction.size());
    const long exponent = static_cast<long>(scanned->exponent);
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos)
        return ExactDecimal { 0, 0 };
    const std::size_t last = digits.find_last_not_of('0');
    const long e = exponent - fractionDigits + static_cast<long>(digits.size() - 1 - last);
    const std::string significant = digits.substr(lead, last - lead + 1);
    if (significant.size() > kMaxSignificantDigits || std::labs(e) > kMaxExponent)
        return std::nullopt;
    BigInt m(significant);
    return ExactDecimal { negative ? BigInt(-m) : m, e };
}

ExactDecimal ExactFromFloat(float value)
{
    if (value == 0)
        return { 0, 0 };
    int exponent = 0;
    const float fraction = std::frexp(value, &exponent);
    const auto mantissa = static_cast<long long>(std::ldexp(fraction, 24));
    exponent -= 24;
    if (exponent >= 0)
        return Normalised({ BigInt(mantissa) << exponent, 0 });
    // mantissa / 2^k = mantissa · 5^k / 10^k
    const BigInt five = boost::multiprecision::pow(BigInt(5), static_cast<unsigned>(-exponent));
    return Normalised({ mantissa * five, exponent });
}

ExactDecimal operator*(const ExactDecimal& x, const ExactDecimal& y)
{
    return Normalised({ x.m * y.m, x.e + y.e });
}

ExactDecimal operator-(const ExactDecimal& x, const ExactDecimal& y)
{
    const long e = std::min(x.e, y.e);
    return Normalised({ x.m * powerOfTen(x.e - e) - y.m * powerOfTen(y.e - e), e });
}

ExactDecimal operator-(const ExactDecimal& x) { return { -x.m, x.e }; }

int Sign(const ExactDecimal& x) { return x.m.sign(); }

Rational MakeRational(BigInt num, BigInt den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const BigInt g = boost::multiprecision::gcd(absolute(num), den);
    if (g > 1) {
        num /= g;
        den /= g;
    }
    return { num, den };
}

Rational Divide(const ExactDecimal& x, const ExactDecimal& y)
{
    if (x.e >= y.e)
        return MakeRational(x.m * powerOfTen(x.e - y.e), y.m);
    return MakeRational(x.m, y.m * powerOfTen(y.e - x.e));
}

void TakeOutSquares(const BigInt& n, BigInt& s, BigInt& r)
{
    s = 1;
    r = 1;
    BigInt rest = n;
    // ∛rest as a double, rounded up; beyond double's range every prime is below it.
    // (Boost converts a number beyond double's range by throwing, from 1.83 on.)
    const auto cubeRoot = [](const BigInt& x) {
        if (x == 0 || boost::multiprecision::msb(x) >= 1000)
            return x == 0 ? 0.0 : HUGE_VAL;
        return std::cbrt(x.convert_to<double>()) * (1 + 1e-12) + 1;
    };
    double limit = cubeRoot(rest);
    // One division of the big number by a product of primes that fits in 64
    // bits, then each prime against the 64-bit remainder.
    const std::vector<unsigned>& primes = smallPrimes();
    for (std::size_t first = 0; first < primes.size() && primes[first] <= limit;) {
        std::size_t last = first;
        std::uint64_t product = 1;
        while (last < primes.size() && product <= UINT64_MAX / primes[last])
            product *= primes[last++];
        const auto remainder = static_cast<std::uint64_t>(rest % product);
        for (std::size_t i = first; i < last && primes[i] <= limit; ++i) {
            const unsigned p = primes[i];
            if (remainder % p != 0)
                continue;
            int count = 0;
            while (rest % p == 0) {
                rest /= p;
                ++count;
            }
            for (int k = 0; k < count / 2; ++k)
                s *= p;
            if (count % 2)
                r *= p;
            limit = cubeRoot(rest);
        }
        first = last;
    }
    // With every prime up to ∛rest divided out, rest is 1, a prime, a product
    // of two distinct primes or a prime squared; past the bound it may hold
    // square factors that stay under the root.
    const BigInt root = floorSqrt(rest);
    if (rest > 1 && root * root == rest)
        s *= root;
    else
        r *= rest;
}

RootPair QuadraticRoots(const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& d)
{
    BigInt dm = d.m;
    long de = d.e;
    if (de % 2 != 0) {
        dm *= 10;
        --de;
    }
    const long h = de / 2;
    BigInt s = 0, r = 1;
    if (dm != 0)
        TakeOutSquares(absolute(dm), s, r);
    const long e = std::min({ b.e, h, a.e });
    BigInt p = -b.m * powerOfTen(b.e - e);
    BigInt q = s * powerOfTen(h - e);
    BigInt den = 2 * a.m * powerOfTen(a.e - e);
    if (den < 0) {
        p = -p;
        q = -q;
        den = -den;
    }
    const bool imaginary = dm < 0;
    return { reduced(p, q, r, den, imaginary), reduced(p, BigInt(-q), r, den, imaginary) };
}

long double Approximate(const Surd& x)
{
    if (x.q == 0)
        return toLongDouble(x.p) / toLongDouble(x.d);
    const long double root = std::sqrt(toLongDouble(x.r));
    if (x.imaginary)
        return toLongDouble(x.p) / toLongDouble(x.d);
    if (x.p.sign() * x.q.sign() < 0) {
        // p and q·√r of opposite signs: (p² − q²r) / (d·(p − q·√r)) adds
        // two terms of the same sign instead.
        const BigInt numerator = x.p * x.p - x.q * x.q * x.r;
        return toLongDouble(numerator)
            / (toLongDouble(x.d) * (toLongDouble(x.p) - toLongDouble(x.q) * root));
    }
    return (toLongDouble(x.p) + toLongDouble(x.q) * root) / toLongDouble(x.d);
}

long double Approximate(const Rational& x) { return toLongDouble(x.num) / toLongDouble(x.den); }

long double Approximate(const ExactDecimal& x)
{
    return StrToFloat(x.m.str() + "e" + std::to_string(x.e), '.');
}

ExactDecimal RoundedDecimal(const Surd& value, int digits, bool* exact)
{
    if (exact)
        *exact = value.q == 0 || value.r == 1;
    if (value.p == 0 && value.q == 0)
        return {};
    // The sign and the decimal magnitude come from the integers, not from a
    // long double that may underflow (where it is only as wide as double).
    const int sign = exactSign(value);
    Surd x = value;
    if (sign < 0) {
        x.p = -x.p;
        x.q = -x.q;
    }
    const BigInt low = powerOfTen(digits - 1), high = powerOfTen(digits);
    long k = digits - 1 - static_cast<long>(std::floor(log10Estimate(x)));
    BigInt n;
    for (int attempt = 0; attempt < 12; ++attempt) {
        // t = ⌊2·x·10^k⌋, and n = ⌊x·10^k + 1/2⌋ = ⌊(t + 1)/2⌋.
        const BigInt scale = k >= 0 ? powerOfTen(k) : BigInt(1);
        const BigInt den = k >= 0 ? x.d : BigInt(x.d * powerOfTen(-k));
        const BigInt u = 2 * x.p * scale;
        const BigInt v = 2 * x.q * scale;
        const BigInt w = u + (v >= 0 ? floorSqrt(v * v * x.r) : BigInt(-ceilSqrt(v * v * x.r)));
        const BigInt t = w / den; // x > 0, so w ≥ 0
        // The digits before the point are told from ⌊x·10^k⌋ = ⌊t/2⌋ before
        // rounding: 999.78 rounds to 1000, which has four digits but is
        // 999.8 written with a power of ten too many.
        const BigInt truncated = t / 2;
        n = (t + 1) / 2;
        if (truncated >= high)
            --k;
        else if (truncated < low)
            ++k;
        else {
            if (exact && *exact)
                *exact = (x.p + x.q) * scale == n * den;
            break;
        }
    }
    return Normalised({ sign < 0 ? BigInt(-n) : n, -k });
}

long double RoundedToFourDigits(const Surd& value, bool* exact)
{
    return Approximate(RoundedDecimal(value, 4, exact));
}

long double RoundedToFourDigits(const Rational& x, bool* exact)
{
    return RoundedToFourDigits(Surd { x.num, 0, 1, x.den, false }, exact);
}

std::optional<ExactDecimal> FiniteDecimal(const Rational& x)
{
    BigInt den = x.den;
    long twos = 0, fives = 0;
    for (; den % 2 == 0; den /= 2)
        ++twos;
    for (; den % 5 == 0; den /= 5)
        ++fives;
    if (den != 1)
        return std::nullopt;
    const long n = std::max(twos, fives);
    return Normalised({ x.num * powerOfTen(n) / x.den, -n });
}

int Sign(const Surd& x) { return exactSign(x); }

namespace {

// The sign of u + v·√s, exactly, for any s ≥ 1 (a square s included).
int signOfRoot(const BigInt& u, const BigInt& v, const BigInt& s)
{
    if (v == 0 || u == 0 || u.sign() == v.sign())
        return u != 0 ? u.sign() : v.sign();
    const BigInt square = u * u - v * v * s;
    return square == 0 ? 0 : square > 0 ? u.sign() : v.sign();
}

// The sign of u + v·√s + w·√t: u + v·√s against −w·√t, and where both sides
// have one sign, their squares, whose difference has one root left.
int signOfTwoRoots(
    const BigInt& u, const BigInt& v, const BigInt& s, const BigInt& w, const BigInt& t)
{
    const int left = signOfRoot(u, v, s);
    const int right = -w.sign();
    if (left != right || left == 0)
        return left != 0 ? left : -right;
    const int squares = signOfRoot(u * u + v * v * s - w * w * t, 2 * u * v, s);
    return left > 0 ? squares : -squares;
}

} // namespace

int Compare(const Surd& x, const Surd& y)
{
    // x − y = (x.p·y.d − y.p·x.d + x.q·y.d·√x.r − y.q·x.d·√y.r) / (x.d·y.d).
    const BigInt u = x.p * y.d - y.p * x.d;
    const BigInt v = x.q * y.d;
    const BigInt w = -(y.q * x.d);
    if (x.r == y.r)
        return signOfRoot(u, v + w, x.r);
    return signOfTwoRoots(u, v, x.r, w, y.r);
}
