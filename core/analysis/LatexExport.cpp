#include "LatexExport.h"

#include "PlainText.h"
#include "Typography.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

// One code point of a UTF-8 text and where the next begins.
struct CodePoint {
    char32_t value = 0;
    std::size_t next = 0;
};

CodePoint decode(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length > text.size())
        length = 1;
    char32_t value = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int i = 1; i < length; ++i)
        value = (value << 6) | (byte(at + i) & 0x3F);
    return { value, at + length };
}

std::vector<char32_t> codePoints(std::string_view text)
{
    std::vector<char32_t> points;
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint point = decode(text, at);
        points.push_back(point.value);
        at = point.next;
    }
    return points;
}

void append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isLatin(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// The signs TeX reads as its own, written with a backslash.
bool isTexSpecial(char32_t c)
{
    return c == '{' || c == '}' || c == '%' || c == '&' || c == '#' || c == '$' || c == '_';
}
// ⁰…⁹ and ⁻ as the digits they raise, or 0.
char superscript(char32_t c)
{
    switch (c) {
    case U'⁰':
        return '0';
    case U'¹':
        return '1';
    case U'²':
        return '2';
    case U'³':
        return '3';
    case U'⁻':
        return '-';
    default:
        return c >= U'⁴' && c <= U'⁹' ? char('4' + (c - U'⁴')) : 0;
    }
}
char subscript(char32_t c) { return c >= U'₀' && c <= U'₉' ? char('0' + (c - U'₀')) : 0; }

// The signs that have a command of their own; a letter after a command is
// kept apart by the space that follows it.
std::string_view command(char32_t c)
{
    switch (c) {
    case U'·':
        return " \\cdot ";
    case U'±':
        return "\\pm ";
    case U'≈':
        return "\\approx ";
    case U'≠':
        return "\\neq ";
    case U'≥':
        return "\\geq ";
    case U'≤':
        return "\\leq ";
    case U'∈':
        return "\\in ";
    case U'∪':
        return "\\cup ";
    case U'∞':
        return "\\infty ";
    case U'∅':
        return "\\varnothing ";
    case U'…':
        return "\\dots ";
    default:
        return {};
    }
}

// A piece of a formula: an operand that a fraction bar or a root may take
// (a name or number with its indices, a bracket, a root) or anything else.
struct Piece {
    std::string latex;
    std::string inner; // an operand without its outer brackets
    bool operand = false;
};

class FormulaWriter {
public:
    explicit FormulaWriter(const std::vector<char32_t>& text)
        : m_text(text)
    {
    }

    std::string write(std::size_t from, std::size_t to)
    {
        std::vector<Piece> pieces;
        for (std::size_t i = from; i < to;)
            pieces.push_back(next(i, to));
        return joined(pieces);
    }

private:
    // Fractions where a/b stands alone: not after another operand, so that
    // (3 + √5)(3 − √5)/4 stays as written.
    static std::string joined(const std::vector<Piece>& pieces)
    {
        std::string out;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const bool bar = pieces[i].operand && i + 2 < pieces.size()
                && pieces[i + 1].latex == "/" && pieces[i + 2].operand
                && (i == 0 || !pieces[i - 1].operand);
            if (bar) {
                out += "\\frac{" + pieces[i].inner + "}{" + pieces[i + 2].inner + "}";
                i += 2;
            } else {
                out += pieces[i].latex;
            }
        }
        return out;
    }

    // The bracket that closes the one at `open`, of either shape: an
    // interval may open with one and close with the other, [1/2; 3).
    std::size_t closing(std::size_t open, std::size_t to) const
    {
        int depth = 0;
        for (std::size_t i = open; i < to; ++i) {
            const char32_t c = m_text[i];
            depth += c == '(' || c == '[' ? 1 : c == ')' || c == ']' ? -1 : 0;
            if (depth == 0)
                return i;
        }
        return to;
    }

    // The indices after an operand: x₁,₂, (−3)², 10⁻¹⁹.
    void indices(std::size_t& i, std::size_t to, Piece& piece) const
    {
        std::string lower, upper;
        for (; i < to; ++i) {
            const char32_t c = m_text[i];
            if (subscript(c)) {
                lower += subscript(c);
            } else if (c == ',' && !lower.empty() && i + 1 < to && subscript(m_text[i + 1])) {
                lower += ',';
            } else if (superscript(c)) {
                upper += superscript(c);
            } else {
                break;
            }
        }
        const auto script = [](const std::string& s) { return s.size() == 1 ? s : "{" + s + "}"; };
        if (!lower.empty())
            piece.latex += "_" + script(lower);
        if (!upper.empty())
            piece.latex += "^{" + upper + "}";
        if (!lower.empty() || !upper.empty())
            piece.inner = piece.latex;
    }

    Piece next(std::size_t& i, std::size_t to)
    {
        const char32_t c = m_text[i];
        Piece piece;
        if (c == '(' || c == '[') {
            const std::size_t end = closing(i, to);
            if (end < to) {
                piece.inner = write(i + 1, end);
                // Brackets as tall as the fraction they hold.
                const std::string open(1, char(c)), close(1, char(m_text[end]));
                const bool tall = piece.inner.find("\\frac") != std::string::npos;
                piece.latex = tall ? "\\left" + open + piece.inner + "\\right" + close
                                   : open + piece.inner + close;
                piece.operand = true;
                i = end + 1;
                indices(i, to, piece);
                return piece;
            }
        }
        if (c == U'√' && i + 1 < to) {
            ++i;
            const Piece root = next(i, to);
            piece.latex = piece.inner = "\\sqrt{" + (root.operand ? root.inner : root.latex) + "}";
            piece.operand = true;
            return piece;
        }
        if (isDigit(c) || isLatin(c)) {
            // A number with its decimal comma, or a product such as 2a, 4ac.
            for (; i < to; ++i) {
                const char32_t d = m_text[i];
                if (isDigit(d) || isLatin(d)) {
                    append(piece.latex, d);
                } else if (d == ',' && i + 1 < to && isDigit(m_text[i + 1]) && i > 0
                    && isDigit(m_text[i - 1])) {
                    piece.latex += "{,}";
                } else if (d == U'\u202F' && i + 1 < to && isDigit(m_text[i + 1])) {
                    piece.latex += "\\,"; // between groups of three digits
                } else {
                    break;
                }
            }
            piece.inner = piece.latex;
            piece.operand = true;
            indices(i, to, piece);
            return piece;
        }
        ++i;
        if (!command(c).empty()) {
            piece.latex = command(c);
        } else if (c == U'−') {
            piece.latex = "-";
        } else if (c == U'\u00A0') {
            piece.latex = " ";
        } else if (isTexSpecial(c)) {
            piece.latex = std::string("\\") + char(c);
        } else if (c < 0x80) {
            piece.latex = char(c);
        } else {
            std::string letter;
            append(letter, c);
            piece.latex = "\\text{" + letter + "}";
        }
        return piece;
    }

    const std::vector<char32_t>& m_text;
};

std::string formula(const std::string& text)
{
    const std::vector<char32_t> points = codePoints(text);
    std::string out = FormulaWriter(points).write(0, points.size());
    // A command's own space and the one written after its sign.
    for (std::size_t at; (at = out.find("  ")) != std::string::npos;)
        out.erase(at, 1);
    return out;
}

// Prose in text mode: a formula sign inside it (an index, a minus) goes to
// math mode.
std::string textMode(std::string_view text)
{
    std::string out;
    for (const char32_t c : codePoints(text)) {
        if (c == U'\u00A0') {
            out += "~";
        } else if (c == U'\u202F') {
            out += "\\,";
        } else if (isTexSpecial(c)) {
            out += std::string("\\") + char(c);
        } else if (subscript(c)) {
            out += std::string("$_") + subscript(c) + "$";
        } else if (superscript(c)) {
            out += std::string("$^") + superscript(c) + "$";
        } else if (c == U'−' || !command(c).empty() || c == U'√') {
            std::string sign;
            append(sign, c);
            out += "$" + formula(sign) + "$";
        } else {
            append(out, c);
        }
    }
    return out;
}

// A sign that ends a line where the line breaks after it and begins the
// next, as Russian typesetting repeats it.
const char* const kRepeatedSign
    = "\\providecommand*{\\hm}[1]{#1\\nobreak\\discretionary{}{\\hbox{$\\mathsurround=0pt "
      "#1$}}{}}\n";

// A formula in math mode; where its chain breaks, \hm repeats the sign.
std::string formulaRun(const Run& run)
{
    const std::vector<std::string> pieces = ChainPieces(run);
    std::string out = "$" + formula(pieces[0]);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::size_t space = pieces[i].find(' ');
        const std::string sign = formula(pieces[i].substr(0, space));
        out += " \\hm{" + sign + "}" + formula(pieces[i].substr(space));
    }
    return out + "$";
}

// A heading in bold, the function it names in math: "Функция $y = x^{2}$".
std::string heading(const std::string& text)
{
    const std::size_t at = text.find("y = ");
    if (at == std::string::npos)
        return "\\textbf{" + textMode(text) + "}";
    return "\\textbf{" + textMode(text.substr(0, at))
        + formulaRun({ Run::Formula, text.substr(at) }) + "}";
}

// The table of values as rows of x and y, ruled; where its cells would be
// wider than the text, as several tables one under another. A character of
// a formula is taken as 6 pt and a cell's rules and padding as 14 pt, of a
// text width of 345 pt (the article's at 10 pt).
std::string valueTable(const ValueTable& table)
{
    constexpr double kCharacter = 6, kCell = 14, kWidth = 330;
    std::string out;
    std::size_t from = 0;
    while (from < table.xs.size()) {
        std::size_t to = from;
        double width = 2 * kCell;
        while (to < table.xs.size()) {
            const std::size_t characters = std::max(
                CharacterCount(PlainText(table.xs[to])), CharacterCount(PlainText(table.ys[to])));
            width += kCharacter * static_cast<double>(characters) + kCell;
            if (width > kWidth && to > from)
                break;
            ++to;
        }
        std::string x = "$x$", y = "$y$";
        for (std::size_t i = from; i < to; ++i) {
            x += " & " + LatexLine(table.xs[i]);
            y += " & " + LatexLine(table.ys[i]);
        }
        std::string columns = "|c|";
        for (std::size_t i = from; i < to; ++i)
            columns += "c|";
        out += "\\begin{tabular}{" + columns + "}\n\\hline\n" + x + " \\\\\n\\hline\n" + y
            + " \\\\\n\\hline\n\\end{tabular}\\par\n";
        from = to;
    }
    return out;
}

} // namespace

std::string LatexLine(const StepLine& line)
{
    std::string out;
    for (const Run& run : line.runs)
        out += run.kind == Run::Formula ? formulaRun(run) : textMode(run.text);
    return out;
}

std::string SolutionAsLatex(const EquationSolution& solution)
{
    // Each line a paragraph of its own, ragged right, that wraps indented
    // under its start.
    const std::string line = "\\hangindent=2em ";
    std::string out = std::string("\\begin{flushleft}\n") + kRepeatedSign;
    const auto write = [&](const SolutionStep& step) {
        out += heading(step.heading) + "\\par\n";
        for (const StepLine& each : step.lines)
            out += line + LatexLine(each) + "\\par\n";
        if (step.table)
            out += "\\smallskip\n" + valueTable(*step.table);
    };
    for (std::size_t i = 0; i < solution.steps.size(); ++i) {
        out += i > 0 ? "\\smallskip\n" : "";
        write(solution.steps[i]);
        if (solution.numberLine && i == solution.numberLineStep)
            out += line + LatexLine(NumberLineSigns(*solution.numberLine)) + "\\par\n";
    }
    if (!solution.answer.empty())
        out += "\\medskip\n" + line + "\\textbf{" + std::string(kAnswerWord) + "} "
            + LatexLine(solution.answer) + "\\par\n";
    for (const SolutionStep& step : solution.function) {
        out += "\\medskip\n";
        write(step);
    }
    return out + "\\end{flushleft}\n";
}
