#include "CoefficientText.h"

#include "SysUtils.h"
#include "Typography.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// The shortest text of `value` rounded to 15 significant digits (as many as
// a double always holds), "d.ddde±x", its digits counted.
struct Shortest {
    std::string scientific;
    int digits = 0;
};

Shortest shortest(double value)
{
    char buffer[64];
    auto end
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14)
              .ptr;
    double rounded = 0;
    std::from_chars(buffer, end, rounded);
    end = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::scientific).ptr;
    Shortest out { std::string(buffer, end), 0 };
    for (const char c : out.scientific.substr(0, out.scientific.find('e')))
        out.digits += c >= '0' && c <= '9';
    return out;
}

// The UTF-8 characters a coefficient may be typed with, each as the ASCII
// character it stands for in StrToFloat's grammar; '^' marks a power.
struct TypedSign {
    std::string_view typed;
    char plain;
};
constexpr TypedSign kSigns[] = { { "−", '-' }, { "·", '*' }, { "×", '*' }, { "⁰", '0' },
    { "¹", '1' }, { "²", '2' }, { "³", '3' }, { "⁴", '4' }, { "⁵", '5' }, { "⁶", '6' },
    { "⁷", '7' }, { "⁸", '8' }, { "⁹", '9' }, { "⁻", '-' }, { "⁺", '+' } };

} // namespace

std::string CoefficientText(double value, char separator)
{
    if (value == 0)
        return "0";
    const Shortest s = shortest(value);
    const std::size_t e = s.scientific.find('e');
    const int exponent = std::stoi(s.scientific.substr(e + 1));
    std::string mantissa = s.scientific.substr(0, e);
    const bool negative = mantissa[0] == '-';
    std::string digits;
    for (const char c : mantissa) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    std::string body;
    if (exponent >= 0 && exponent < 15) {
        body = digits.size() <= std::size_t(exponent) + 1
            ? digits + std::string(exponent + 1 - digits.size(), '0')
            : digits.substr(0, exponent + 1) + separator + digits.substr(exponent + 1);
    } else if (exponent < 0 && exponent >= -6) {
        body = std::string("0") + separator + std::string(-exponent - 1, '0') + digits;
    } else {
        body = digits.substr(0, 1);
        if (digits.size() > 1)
            body += separator + digits.substr(1);
        body += "e" + std::to_string(exponent);
    }
    return (negative ? "-" : "") + body;
}

std::string TextbookCoefficient(double value, char separator)
{
    if (value == 0)
        return "0";
    return TextbookNumber(value, shortest(value).digits, separator);
}

std::optional<double> ReadCoefficient(const std::string& text, char separator)
{
    // First into plain characters: '*' for a multiplication sign, '^' before
    // an exponent in superscript.
    std::string plain;
    bool superscript = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = std::string_view(text).substr(i);
        if (rest.starts_with(" ") || rest.starts_with("\u00A0") || rest.starts_with("\u202F")
            || rest.starts_with("\u2009")) {
            i += rest[0] == ' ' ? 1 : rest.starts_with("\u00A0") ? 2 : 3;
            continue;
        }
        bool matched = false;
        for (const TypedSign& sign : kSigns) {
            if (!rest.starts_with(sign.typed))
                continue;
            const bool power = &sign >= &kSigns[3];
            if (power && !superscript)
                plain += '^';
            superscript = power;
            plain += sign.plain;
            i += sign.typed.size();
            matched = true;
            break;
        }
        if (matched)
            continue;
        superscript = false;
        const char c = text[i++];
        plain += c == '.' || c == ',' ? separator : c;
    }
    // Then a power of ten into StrToFloat's exponent: m*10^n and 10^n.
    const std::size_t power = plain.find("10^");
    if (power != std::string::npos) {
        std::string mantissa = plain.substr(0, power);
        if (mantissa.ends_with('*'))
            mantissa.pop_back();
        else if (!mantissa.empty() && mantissa != "-" && mantissa != "+")
            return std::nullopt;
        if (mantissa.empty() || mantissa == "-" || mantissa == "+")
            mantissa += '1';
        const std::string exponent = plain.substr(power + 3);
        if (exponent.empty() || exponent.find_first_of("eE") != std::string::npos)
            return std::nullopt;
        plain = mantissa + "e" + exponent;
    }
    if (plain.empty() || plain.find_first_of("*^") != std::string::npos)
        return std::nullopt;
    try {
        const long double value = StrToFloat(plain, separator);
        if (std::fabs(value) > FLT_MAX)
            return std::nullopt;
        return static_cast<double>(value);
    } catch (const Exception&) {
        return std::nullopt;
    }
}
