#include "SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

char DecimalSeparator = '.';

Exception::Exception(std::string message)
    : m_message(std::move(message))
{
}

const char* Exception::what() const noexcept { return m_message.c_str(); }

// The length of the well-formed UTF-8 sequence at text[i], or 0.
static std::size_t utf8Length(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
        : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

long double StrToFloat(const std::string& text)
{
    std::string_view s(text);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);

    // Rewrite the number into the form std::from_chars reads ('.' as separator),
    // checking the grammar on the way and estimating the decimal magnitude, so
    // that out-of-range values can be told apart as underflow or overflow.
    std::string ascii;
    ascii.reserve(s.size());
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    long long leadingExponent = 0; // decimal exponent of the first non-zero digit, before 'e'
    bool seenNonZero = false;
    std::size_t mantissaDigits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits) {
        if (seenNonZero)
            ++leadingExponent;
        else if (s[i] != '0')
            seenNonZero = true;
        ascii += s[i];
    }
    if (i < s.size() && s[i] == DecimalSeparator) {
        ascii += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++mantissaDigits) {
            if (!seenNonZero) {
                --leadingExponent;
                if (s[i] != '0')
                    seenNonZero = true;
            }
            ascii += s[i];
        }
    }
    if (mantissaDigits == 0)
        throw notANumber(text);
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        const std::size_t firstDigit = i;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 1'000'000'000LL);
        if (i == firstDigit)
            throw notANumber(text);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != s.size())
        throw notANumber(text);
    if (!seenNonZero)
        return negative ? -0.0L : 0.0L;

    // The exponent is applied by from_chars; a huge one is clamped so that it
    // still parses and reports the range error below.
    ascii += 'e';
    ascii += std::to_string(exponent);
    long double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (leadingExponent + exponent < 0)
            return negative ? -0.0L : 0.0L;
        throw Exception("Число " + QuoteForMessage(text) + " вне допустимого диапазона.");
    }
    if (error != std::errc() || end != ascii.data() + ascii.size())
        throw notANumber(text);
    return negative ? -value : value;
}

namespace {

struct DecimalDigits {
    std::string digits; // significant digits, no trailing zeros, at least one
    int exponent = 0; // value = 0.digits × 10^exponent
};

// Rounds |value| (finite, non-zero) to `precision` significant digits, half
// away from zero as a desk calculator does. The exact binary value is expanded
// to 40 digits first, far beyond any rounding position used here.
DecimalDigits roundToDigits(long double value, int precision)
{
    char buffer[64];
    const auto result = std::to_chars(
        buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 40);
    const std::string_view text(buffer, result.ptr - buffer);
    const auto ePos = text.find('e');
    std::string all;
    all += text[0];
    all.append(text.substr(2, ePos - 2));
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
        exponent);
    exponent += 1;

    std::string kept = all.substr(0, precision);
    if (all[precision] >= '5') {
        int pos = precision - 1;
        while (pos >= 0 && kept[pos] == '9')
            kept[pos--] = '0';
        if (pos < 0) {
            kept.insert(kept.begin(), '1');
            kept.pop_back();
            ++exponent;
        } else {
            ++kept[pos];
        }
    }
    while (kept.size() > 1 && kept.back() == '0')
        kept.pop_back();
    return { kept, exponent };
}

std::string scientific(const std::string& digits, int exponent10, int minExponentDigits)
{
    std::string out(1, digits[0]);
    if (digits.size() > 1) {
        out += DecimalSeparator;
        out.append(digits, 1);
    }
    std::string exponent = std::to_string(std::abs(exponent10));
    if (static_cast<int>(exponent.size()) < minExponentDigits)
        exponent.insert(0, minExponentDigits - exponent.size(), '0');
    return out + (exponent10 < 0 ? "E-" : "E") + exponent;
}

std::string general(long double value, int precision, int digits)
{
    const DecimalDigits d = roundToDigits(value, precision);
    const int e = d.exponent;
    if (e > precision || e < -4)
        return scientific(d.digits, e - 1, digits);
    const int length = static_cast<int>(d.digits.size());
    if (e <= 0)
        return std::string("0") + DecimalSeparator + std::string(-e, '0') + d.digits;
    if (length <= e)
        return d.digits + std::string(e - length, '0');
    return d.digits.substr(0, e) + DecimalSeparator + d.digits.substr(e);
}

} // namespace

std::string FloatToStrF(long double value, TFloatFormat, int precision, int digits)
{
    if (!std::isfinite(value))
        throw Exception("Результат вычисления вне допустимого диапазона.");
    if (value == 0)
        return "0";
    const std::string body = general(value, std::clamp(precision, 1, 18), std::clamp(digits, 0, 4));
    return value < 0 ? "-" + body : body;
}
