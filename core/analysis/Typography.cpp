#include "Typography.h"

#include "SysUtils.h"

#include <algorithm>
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
    std::size_t n = 0, groups = 0;
    for (std::size_t at = 0; (at = text.find(kDigitGroupSpace, at)) != std::string::npos; ++at)
        ++groups;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n - groups;
}

std::string GroupedDigits(const std::string& text)
{
    std::size_t begin = text.rfind("−", 0) == 0 ? std::string("−").size() : 0;
    std::size_t end = begin;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end - begin < 5)
        return text;
    std::string out = text.substr(0, begin);
    for (std::size_t i = begin; i < end; ++i) {
        if (i > begin && (end - i) % 3 == 0)
            out += kDigitGroupSpace;
        out += text[i];
    }
    return out + text.substr(end);
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
        return GroupedDigits(WithTypographicMinus(general));
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
    return GroupedDigits((negative ? "−" : "") + body);
}

std::string SquareRoot(const std::string& radicand)
{
    const bool bracketed = radicand.find(kDigitGroupSpace) != std::string::npos
        || radicand.find_first_of("/(") != std::string::npos
        || radicand.find("·") != std::string::npos || radicand.rfind("−", 0) == 0;
    return "√" + (bracketed && radicand.front() != '(' ? "(" + radicand + ")" : radicand);
}

namespace {

BigInt absolute(const BigInt& n) { return n < 0 ? BigInt(-n) : n; }

// The digits of |n|, grouped in threes from five digits on.
std::string digitsOf(const BigInt& n) { return GroupedDigits(absolute(n).str()); }

// The coefficient before x^power: nothing for 1, a power of ten set off by ·.
std::string termFactor(const ExactDecimal& magnitude, int power, char separator)
{
    if (power > 0 && magnitude.m == 1 && magnitude.e == 0)
        return "";
    return TypesetDecimal(magnitude, separator) + (power > 0 && IsScientific(magnitude) ? "·" : "");
}

// An integer of up to six digits needs no decimal beside it: "−50653", not
// "−50653 ≈ −50650".
bool isShortInteger(const std::string& exactText)
{
    const auto digits = static_cast<std::size_t>(std::count_if(
        exactText.begin(), exactText.end(), [](char c) { return c >= '0' && c <= '9'; }));
    // CharacterCount leaves out the spaces between groups of digits.
    const std::size_t minus = exactText.rfind("−", 0) == 0 ? 1 : 0;
    return digits <= 6 && CharacterCount(exactText) == digits + minus;
}

// Whether `digits` significant digits times 10^e are written with a power of
// ten: from 10¹⁵ up, or below 10⁻⁵.
bool scientific(std::size_t digits, long e)
{
    const long point = static_cast<long>(digits) + e;
    return e >= 0 ? point > 15 : point <= -5;
}

} // namespace

std::string TypesetInteger(const BigInt& n) { return (n < 0 ? "−" : "") + digitsOf(n); }

bool IsScientific(const ExactDecimal& x)
{
    return x.m != 0 && scientific(absolute(x.m).str().size(), x.e);
}

std::string TypesetDecimal(const ExactDecimal& value, char separator)
{
    const ExactDecimal x = Normalised(value);
    if (x.m == 0)
        return "0";
    const std::string digits = absolute(x.m).str();
    const long point = static_cast<long>(digits.size()) + x.e;
    std::string body;
    if (scientific(digits.size(), x.e)) {
        if (digits != "1") {
            body = digits.substr(0, 1);
            if (digits.size() > 1)
                body += separator + digits.substr(1);
            body += "·";
        }
        body += "10" + Superscript(point - 1);
    } else if (x.e >= 0) {
        body = GroupedDigits(digits + std::string(x.e, '0'));
    } else if (point > 0) {
        body = GroupedDigits(digits.substr(0, point)) + separator + digits.substr(point);
    } else {
        body = std::string("0") + separator + std::string(-point, '0') + digits;
    }
    return (x.m < 0 ? "−" : "") + body;
}

std::string TypesetRational(const Rational& x, char separator)
{
    if (x.den == 1)
        return TypesetDecimal(Normalised({ x.num, 0 }), separator);
    // 1/10³⁸ is the exact 10⁻³⁸, whose fraction would be 41 characters long.
    if (const auto decimal = FiniteDecimal(x); decimal && IsScientific(*decimal))
        return TypesetDecimal(*decimal, separator);
    return TypesetInteger(x.num) + "/" + digitsOf(x.den);
}

std::string TypesetSurd(const Surd& x, const std::string& sign, char separator)
{
    if (x.q == 0)
        return TypesetRational(MakeRational(x.p, x.d), separator);
    const bool bareRoot = absolute(x.q) == 1 && (x.r > 1 || x.imaginary);
    std::string root = (bareRoot ? "" : digitsOf(x.q)) + (x.imaginary ? "i" : "");
    if (x.r > 1)
        root += SquareRoot(digitsOf(x.r));
    if (x.p == 0) {
        const std::string signed_ = (sign == "+" ? "" : sign) + root;
        return x.d == 1 ? signed_ : signed_ + "/" + digitsOf(x.d);
    }
    const std::string numerator = TypesetInteger(x.p) + " " + sign + " " + root;
    return x.d == 1 ? numerator : "(" + numerator + ")/" + digitsOf(x.d);
}

std::string TypesetApproximation(long double value, char separator)
{
    return TextbookNumber(value, 4, separator);
}

std::string TypesetPolynomial(
    const ExactDecimal& a, const ExactDecimal& b, const ExactDecimal& c, char separator)
{
    const ExactDecimal* values[] = { &a, &b, &c };
    const char* const powers[] = { "x²", "x", "" };
    std::string out;
    for (int i = 0; i < 3; ++i) {
        const ExactDecimal& v = *values[i];
        if (Sign(v) == 0)
            continue;
        AppendTerm(
            out, Sign(v) < 0, termFactor(Sign(v) < 0 ? -v : v, 2 - i, separator) + powers[i]);
    }
    return out.empty() ? "0" : out;
}

void AppendTerm(std::string& sum, bool negative, const std::string& term)
{
    if (sum.empty())
        sum = (negative ? "−" : "") + term;
    else
        sum += (negative ? " − " : " + ") + term;
}

std::string Substituted(const ExactDecimal& v, char separator)
{
    const std::string text = TypesetDecimal(v, separator);
    return Sign(v) < 0 || IsScientific(v) ? "(" + text + ")" : text;
}

std::string WithDecimal(const std::string& exactText, const Surd& value, char separator)
{
    bool exact = false;
    const std::string decimal = TypesetApproximation(RoundedToFourDigits(value, &exact), separator);
    if (CharacterCount(exactText) > kLongestExactForm)
        return "≈ " + decimal;
    if (exactText == decimal || isShortInteger(exactText))
        return "= " + exactText;
    return "= " + exactText + (exact ? " = " : " ≈ ") + decimal;
}

std::string WithDecimal(const Rational& x, char separator)
{
    return WithDecimal(TypesetRational(x, separator), AsSurd(x), separator);
}

std::string ShortDecimal(const Surd& x, char separator)
{
    return TypesetApproximation(RoundedToFourDigits(x), separator);
}
std::string ShortDecimal(const Rational& x, char separator)
{
    return ShortDecimal(AsSurd(x), separator);
}

std::string LabelNumber(const Surd& x, char separator, bool* rounded)
{
    bool exact = false;
    const std::string decimal = TypesetApproximation(RoundedToFourDigits(x, &exact), separator);
    if (!exact) {
        const ExactDecimal six = RoundedDecimal(x, 6, &exact);
        if (exact) {
            *rounded = false;
            return TypesetDecimal(six, separator);
        }
    }
    *rounded = !exact;
    return decimal;
}

std::string MarkLabel(const std::string& name, const Surd& x, char separator)
{
    bool rounded = false;
    const std::string value = LabelNumber(x, separator, &rounded);
    return name + (rounded ? " ≈ " : " = ") + value;
}

std::vector<std::string> DistinctDecimals(const std::vector<Surd>& values, char separator)
{
    // Four digits, and more only where two would read alike; the exact value
    // is never more than a decimal with all its digits.
    for (int digits = 4;; ++digits) {
        std::vector<std::string> out;
        for (const Surd& x : values) {
            out.push_back(digits == 4 ? ShortDecimal(x, separator)
                                      : TypesetDecimal(RoundedDecimal(x, digits), separator));
        }
        bool distinct = true;
        for (std::size_t i = 0; i < values.size(); ++i) {
            for (std::size_t j = i + 1; j < values.size(); ++j)
                distinct = distinct && (out[i] != out[j] || Compare(values[i], values[j]) == 0);
        }
        if (distinct || digits >= 40)
            return out;
    }
}

std::string DecimalFactor(const std::string& decimal)
{
    if (decimal == "0")
        return "x";
    if (decimal.rfind("−", 0) == 0)
        return "(x + " + decimal.substr(std::string("−").size()) + ")";
    return "(x − " + decimal + ")";
}

std::string Factor(const Surd& root, const std::string& exactText, char separator)
{
    if (root.p == 0 && root.q == 0)
        return "x";
    if (exactText.front() == '(')
        return "(x − " + exactText + ")";
    const Surd negated { -root.p, -root.q, root.r, root.d, root.imaginary };
    std::string text = "x + " + TypesetSurd(negated, negated.q < 0 ? "−" : "+", separator);
    if (text.compare(4, 3, "−") == 0)
        text.replace(2, 5, "− ");
    return "(" + text + ")";
}

std::string LeadingFactor(const ExactDecimal& a, char separator)
{
    if (a.m == 1 && a.e == 0)
        return "";
    if (a.m == -1 && a.e == 0)
        return "−";
    if (Sign(a) < 0)
        return "−" + Substituted(-a, separator);
    return Substituted(a, separator);
}

std::string CompactDecimal(const ExactDecimal& x, char separator, bool* rounded)
{
    const std::string exact = TypesetDecimal(x, separator);
    const bool compact = CharacterCount(exact) <= 12;
    if (rounded)
        *rounded = !compact;
    return compact ? exact : ShortDecimal(Divide(x, ExactDecimal { 1, 0 }), separator);
}

std::string ExactOrDecimal(const Surd& x, char separator, bool* decimal)
{
    const std::string exact = TypesetSurd(x, x.q < 0 ? "−" : "+", separator);
    const bool tooLong = CharacterCount(exact) > kLongestExactForm;
    if (decimal)
        *decimal = tooLong;
    return tooLong ? ShortDecimal(x, separator) : exact;
}

std::string TypesetInterval(
    const std::string& from, bool fromClosed, const std::string& to, bool toClosed)
{
    return (from.empty() ? "(−∞" : (fromClosed ? "[" : "(") + from) + "; "
        + (to.empty() ? "+∞)" : to + (toClosed ? "]" : ")"));
}
