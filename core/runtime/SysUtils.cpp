#include "SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

// What the conversion and the solver take for granted about long double: IEEE
// binary floating point at least as wide as double (x87 extended on amd64,
// binary128 on arm64, plain double elsewhere). Products of two floats (24-bit
// significands) are then exact, and so is every integer up to 2^53.
static_assert(std::numeric_limits<long double>::is_iec559);
static_assert(std::numeric_limits<long double>::radix == 2);
static_assert(std::numeric_limits<long double>::digits >= 53);
static_assert(std::numeric_limits<long double>::has_infinity);
static_assert(std::numeric_limits<long double>::max_exponent10 >= 308);

char DecimalSeparator = '.';

Exception::Exception(std::string message)
    : m_message(std::move(message))
{
}

const char* Exception::what() const noexcept { return m_message.c_str(); }

// The length of the well-formed UTF-8 sequence at text[i], or 0: no
// overlong forms, no surrogates, nothing beyond U+10FFFF.
static std::size_t utf8Length(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

std::string QuoteForMessage(const std::string& text, std::size_t maxChars)
{
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (++chars > maxChars) {
            out += "…";
            break;
        }
        const std::size_t length = utf8Length(text, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        if (length == 0 || lead < 0x20 || lead == 0x7F) {
            out += '?'; // a control character or a byte that is no UTF-8
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return "«" + out + "»";
}

namespace {

Exception notANumber(const std::string& text)
{
    return Exception("Значение " + QuoteForMessage(text) + " не является правильным числом.");
}

Exception outOfRange(const std::string& text)
{
    return Exception("Число " + QuoteForMessage(text) + " вне допустимого диапазона.");
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// 10^0 to 10^27, and how many of them are exact in this long double: 10^k is
// exact while 5^k fits into the significand (10^27 with 64 bits, 10^22 with 53).
constexpr long double kPowersOfTen[] = { 1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L,
    1e23L, 1e24L, 1e25L, 1e26L, 1e27L };

constexpr int exactPowersOfTen()
{
    long double twoToTheDigits = 1; // the first integer past the exact ones
    for (int i = 0; i < std::numeric_limits<long double>::digits; ++i)
        twoToTheDigits *= 2;
    long double five = 1;
    int k = 0;
    while (k + 1 < int(std::size(kPowersOfTen)) && five * 5 < twoToTheDigits) {
        five *= 5;
        ++k;
    }
    return k;
}
constexpr int kMaxExactPower = exactPowersOfTen();

// from_chars into long double; where long double is double, through the
// double overload, which every C++ library has.
std::from_chars_result fromChars(const std::string& ascii, long double& value)
{
    if constexpr (std::numeric_limits<long double>::digits == std::numeric_limits<double>::digits) {
        double asDouble = 0;
        const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), asDouble);
        value = asDouble;
        return result;
    } else {
        return std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    }
}

// Whether an integer significand converts to long double exactly.
constexpr bool fitsExactly(std::uint64_t significand)
{
    constexpr int bits = std::numeric_limits<long double>::digits;
    return bits >= 64 || significand < (std::uint64_t(1) << bits);
}

} // namespace

long double StrToFloat(const std::string& text) { return StrToFloat(text, DecimalSeparator); }

std::optional<ScannedNumber> ScanNumber(std::string_view s, char separator)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    ScannedNumber number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        number.negative = s[i] == '-';
        ++i;
    }
    const auto digits = [&] {
        const std::size_t first = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        return s.substr(first, i - first);
    };
    number.whole = digits();
    if (i < s.size() && s[i] == separator) {
        ++i;
        number.separator = true;
        number.fraction = digits();
    }
    if (number.whole.empty() && number.fraction.empty())
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        const std::string_view exponent = digits();
        if (exponent.empty())
            return std::nullopt;
        for (const char c : exponent)
            number.exponent = std::min(number.exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negativeExponent)
            number.exponent = -number.exponent;
    }
    if (i != s.size())
        return std::nullopt;
    return number;
}

long double StrToFloat(const std::string& text, char separator)
{
    const std::optional<ScannedNumber> scanned = ScanNumber(text, separator);
    if (!scanned)
        throw notANumber(text);
    const bool negative = scanned->negative;
    const long long exponent = scanned->exponent;

    // Up to 19 significant digits fit in an integer exactly.
    std::uint64_t significand = 0;
    int significantDigits = 0; // digits from the first non-zero one on
    bool dropped = false; // a non-zero digit beyond the 19th
    long long scale = 0; // value = significand × 10^(scale + exponent)
    const auto takeDigit = [&](char c, bool fraction) {
        if (significantDigits == 0 && c == '0') {
            if (fraction)
                --scale;
            return;
        }
        if (significantDigits < 19) {
            significand = significand * 10 + static_cast<unsigned>(c - '0');
            ++significantDigits;
            if (fraction)
                --scale;
        } else {
            dropped |= c != '0';
            if (!fraction)
                ++scale;
        }
    };
    for (const char c : scanned->whole)
        takeDigit(c, false);
    for (const char c : scanned->fraction)
        takeDigit(c, true);
    if (significand == 0)
        return negative ? -0.0L : 0.0L;

    // Fast path: an exact integer times or over an exact power of ten is one
    // correctly rounded operation.
    const long long power = scale + exponent;
    long double value = 0;
    if (!dropped && fitsExactly(significand) && power >= -kMaxExactPower
        && power <= kMaxExactPower) {
        value = power >= 0 ? significand * kPowersOfTen[power] : significand / kPowersOfTen[-power];
        return negative ? -value : value;
    }

    // The range is decided here, from the decimal exponent of the leading
    // digit where it is clear and from the converted value near the limits,
    // not from the library's error report (not every one gives it).
    const long long leadExponent = power + significantDigits - 1;
    if (leadExponent > std::numeric_limits<long double>::max_exponent10)
        throw outOfRange(text);
    // Below 10^(min_exponent10 - digits10 - 2) lies less than half the
    // smallest subnormal: zero.
    constexpr int kZeroBelow = std::numeric_limits<long double>::min_exponent10
        - std::numeric_limits<long double>::digits10 - 2;
    if (leadExponent < kZeroBelow)
        return negative ? -0.0L : 0.0L;

    // Otherwise from_chars reads the digits ('.' as separator).
    std::string ascii(scanned->whole);
    if (scanned->separator)
        ascii.append(".").append(scanned->fraction);
    ascii += 'e';
    ascii += std::to_string(exponent);
    const auto [end, error] = fromChars(ascii, value);
    if (error != std::errc() && error != std::errc::result_out_of_range)
        throw notANumber(text);
    if (end != ascii.data() + ascii.size())
        throw notANumber(text);
    if (error == std::errc::result_out_of_range || std::isinf(value) || value == 0) {
        if (leadExponent < 0)
            return negative ? -0.0L : 0.0L;
        throw outOfRange(text);
    }
    return negative ? -value : value;
}

namespace {

struct DecimalDigits {
    std::string digits; // significant digits, no trailing zeros, at least one
    int exponent = 0; // value = 0.digits × 10^exponent
};

// Reads to_chars' scientific form "d.ddde±x" as its digits and the decimal
// exponent of the first digit plus one (value = 0.digits × 10^exponent).
DecimalDigits splitScientific(std::string_view text)
{
    const auto ePos = text.find('e');
    DecimalDigits d;
    d.digits += text[0];
    if (ePos > 1)
        d.digits.append(text.substr(2, ePos - 2));
    std::from_chars(
        text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(), d.exponent);
    d.exponent += 1;
    return d;
}

// Adds one unit in the last place of the digits, carrying into a new digit.
void roundUp(DecimalDigits& d)
{
    int pos = static_cast<int>(d.digits.size()) - 1;
    while (pos >= 0 && d.digits[pos] == '9')
        d.digits[pos--] = '0';
    if (pos < 0) {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    } else {
        ++d.digits[pos];
    }
}

// Whether D × 10^k is exactly a double, for an odd D of a few digits.
bool isExactDouble(std::uint64_t d, int k)
{
    if (k >= 0) {
        for (int i = 0; i < k; ++i) {
            if (d > (std::uint64_t(1) << 53) / 5)
                return false;
            d *= 5;
        }
        return d < (std::uint64_t(1) << 53);
    }
    for (int i = 0; i < -k; ++i) {
        if (d % 5 != 0)
            return false;
        d /= 5;
    }
    return true;
}

// Rounds |value| (finite, non-zero) to `precision` significant digits, half
// away from zero as a desk calculator does.
DecimalDigits roundToDigits(long double value, int precision)
{
    const long double magnitude = std::fabs(value);
    const double asDouble = static_cast<double>(magnitude);
    char buffer[80];
    DecimalDigits d;
    if (asDouble == magnitude && precision <= 17) {
        // Every root shown is a double (most are floats). to_chars rounds its
        // exact value correctly to one digit more than wanted; unless that
        // digit is a 5, rounding it half up gives the correct result. A final
        // 5 is either an exact tie, which goes away from zero, or not, and
        // then rounding the exact value directly decides.
        auto end = std::to_chars(
            buffer, buffer + sizeof buffer, asDouble, std::chars_format::scientific, precision)
                       .ptr;
        d = splitScientific({ buffer, std::size_t(end - buffer) });
        const char last = d.digits.size() > std::size_t(precision) ? d.digits[precision] : '0';
        bool up = last > '5';
        if (last == '5') {
            double candidate = 0;
            std::from_chars(buffer, end, candidate);
            up = candidate == asDouble
                && isExactDouble(std::stoull(d.digits), d.exponent - 1 - precision);
            if (!up) {
                end = std::to_chars(buffer, buffer + sizeof buffer, asDouble,
                    std::chars_format::scientific, precision - 1)
                          .ptr;
                d = splitScientific({ buffer, std::size_t(end - buffer) });
            }
        }
        if (d.digits.size() > std::size_t(precision)) {
            d.digits.resize(precision);
            if (up)
                roundUp(d);
        }
    } else {
        // Beyond double: the exact value expanded to 40 digits, far beyond any
        // rounding position used here, then rounded half away from zero.
        const auto end = std::to_chars(
            buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 40)
                             .ptr;
        const DecimalDigits all = splitScientific({ buffer, std::size_t(end - buffer) });
        d = { all.digits.substr(0, precision), all.exponent };
        if (all.digits[precision] >= '5')
            roundUp(d);
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string scientific(
    const std::string& digits, int exponent10, int minExponentDigits, char separator)
{
    std::string out(1, digits[0]);
    if (digits.size() > 1) {
        out += separator;
        out.append(digits, 1);
    }
    std::string exponent = std::to_string(std::abs(exponent10));
    if (static_cast<int>(exponent.size()) < minExponentDigits)
        exponent.insert(0, minExponentDigits - exponent.size(), '0');
    return out + (exponent10 < 0 ? "E-" : "E") + exponent;
}

std::string general(long double value, int precision, int digits, char separator)
{
    const DecimalDigits d = roundToDigits(value, precision);
    const int e = d.exponent;
    if (e > precision || e < -4)
        return scientific(d.digits, e - 1, digits, separator);
    const int length = static_cast<int>(d.digits.size());
    if (e <= 0)
        return std::string("0") + separator + std::string(-e, '0') + d.digits;
    if (length <= e)
        return d.digits + std::string(e - length, '0');
    return d.digits.substr(0, e) + separator + d.digits.substr(e);
}

} // namespace

std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits)
{
    return FloatToStrF(value, format, precision, digits, DecimalSeparator);
}

std::string FloatToStrF(long double value, TFloatFormat, int precision, int digits, char separator)
{
    if (!std::isfinite(value))
        throw Exception("Результат вычисления вне допустимого диапазона.");
    if (value == 0)
        return "0";
    const std::string body
        = general(value, std::clamp(precision, 1, 18), std::clamp(digits, 0, 4), separator);
    return value < 0 ? "-" + body : body;
}
