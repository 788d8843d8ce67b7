#include "Typography.h"

#include "SysUtils.h"

#include <cstdlib>
#include <vector>

std::string WithTypographicMinus(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '-')
            out += "−";
        else
            out += c;
    }
    return out;
}

std::size_t CharacterCount(const std::string& text)
{
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string Superscript(long n)
{
    static const char* const digits[] = { "⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹" };
    std::string out = n < 0 ? "⁻" : "";
    for (const char c : std::to_string(n < 0 ? -n : n))
        out += digits[c - '0'];
    return out;
}

std::string TextbookNumber(long double value, int digits, char separator)
{
    if (value == 0)
        return "0";
    // The general format rounds once; its scientific form is rewritten.
    const std::string general = FloatToStrF(value, TFloatFormat::ffGeneral, digits, 0, separator);
    const std::size_t e = general.find('E');
    if (e == std::string::npos)
        return WithTypographicMinus(general);
    const long exponent = std::strtol(general.c_str() + e + 1, nullptr, 10);
    const bool negative = general[0] == '-';
    std::string mantissa = general.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    std::string body;
    if (exponent >= 0 && exponent <= 5) {
        // An integer of at most six digits: its digits, then zeros.
        std::string significant;
        for (const char c : mantissa) {
            if (c != separator)
                significant += c;
        }
        body = significant + std::string(exponent + 1 - significant.size(), '0');
    } else {
        body = (mantissa == "1" ? "" : mantissa + "·") + "10" + Superscript(exponent);
    }
    return (negative ? "−" : "") + body;
}

namespace {

// UTF-8 text split at its spaces.
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out(1);
    for (const char c : line) {
        if (c == ' ')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// Words of the text: a Cyrillic letter (two-byte UTF-8 lead 0xD0 or 0xD1).
bool isProse(const std::string& word)
{
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xD0 || byte == 0xD1)
            return true;
    }
    return false;
}

bool isRelation(const std::string& word) { return word == "=" || word == "≈"; }

} // namespace

std::string NoBreakInsideTerms(const std::string& line)
{
    const std::vector<std::string> parts = words(line);
    constexpr std::size_t kShortSide = 4, kLongSide = 16;
    std::string out = parts[0];
    int depth = 0;
    const auto track = [&depth](const std::string& word) {
        for (const char c : word) {
            if (c == '(' || c == '[')
                ++depth;
            else if ((c == ')' || c == ']') && depth > 0)
                --depth;
        }
    };
    track(parts[0]);
    // The formula's side before the current word, since the last break.
    std::string side = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string& before = parts[i - 1];
        const std::string& word = parts[i];
        bool breakable = false;
        if (depth == 0) {
            const char last = before.empty() ? ' ' : before.back();
            if (isProse(before) || isProse(word) || last == ',' || last == ':' || last == ';'
                || last == '.') {
                breakable = true;
            } else if (isRelation(word)) {
                // Before = or ≈ where both sides are long enough to stand alone.
                std::string after;
                for (std::size_t j = i + 1; j < parts.size(); ++j) {
                    if (isRelation(parts[j]) || isProse(parts[j]))
                        break;
                    after += (after.empty() ? "" : " ") + parts[j];
                }
                breakable
                    = CharacterCount(side) >= kShortSide && CharacterCount(after) >= kShortSide;
            } else if (word == "+" || word == "−" || word == "±") {
                // Between the terms of a long side only.
                breakable = CharacterCount(side) >= kLongSide;
            }
        }
        if (breakable) {
            out += ' ';
            side.clear();
        } else {
            out += "\u00A0";
            side += ' ';
        }
        out += word;
        side += isRelation(word) ? "" : word;
        if (isRelation(word))
            side.clear();
        track(word);
    }
    return out;
}
