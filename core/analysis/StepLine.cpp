#include "StepLine.h"

#include <string_view>
#include <utility>

namespace {

// The signs a chain breaks before, each with the space before it.
const std::string_view kChainSigns[] = { " = ", " ≈ ", " ∪ " };

// A side this short stays with the sign after it: «x₁ = 2» is one piece.
constexpr std::size_t kShortSide = 4;

// Code points, the narrow spaces between digit groups not counted (as
// CharacterCount counts them).
std::size_t length(std::string_view text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        n += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    constexpr std::string_view groupSpace = "\u202F";
    std::size_t at = text.find(groupSpace);
    while (at != std::string_view::npos) {
        --n;
        at = text.find(groupSpace, at + 1);
    }
    return n;
}

std::vector<std::size_t> chainBreaks(const std::string& text)
{
    const std::string_view all(text);
    std::vector<std::size_t> signs;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        depth += c == '(' || c == '[' ? 1 : c == ')' || c == ']' ? -1 : 0;
        if (depth != 0 || c != ' ' || i == 0)
            continue;
        for (const std::string_view sign : kChainSigns) {
            if (all.compare(i, sign.size(), sign) == 0)
                signs.push_back(i + 1);
        }
    }
    if (signs.empty())
        return {};
    // The side before a sign counts from the last break, without its sign;
    // a side of one character («= 0») stays with what it follows.
    std::vector<std::size_t> breaks;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        const std::size_t from = breaks.empty() ? 0 : all.find(' ', breaks.back()) + 1;
        const std::size_t after = all.find(' ', signs[i]) + 1;
        const std::size_t to = i + 1 < signs.size() ? signs[i + 1] - 1 : text.size();
        if (length(all.substr(from, signs[i] - 1 - from)) >= kShortSide
            && length(all.substr(after, to - after)) > 1)
            breaks.push_back(signs[i]);
    }
    return breaks;
}

StepLine single(Run::Kind kind, std::string text)
{
    StepLine line;
    if (!text.empty())
        line.runs.push_back({ kind, std::move(text) });
    return line;
}

} // namespace

StepLine& StepLine::operator+=(StepLine&& more)
{
    for (Run& run : more.runs) {
        if (runs.empty() || runs.back().kind != run.kind)
            runs.push_back(std::move(run));
        else
            runs.back().text += run.text;
    }
    return *this;
}

StepLine Prose(std::string text) { return single(Run::Prose, std::move(text)); }
StepLine Formula(std::string text) { return single(Run::Formula, std::move(text)); }

std::vector<std::string> ChainPieces(const Run& formula)
{
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (const std::size_t at : chainBreaks(formula.text)) {
        pieces.push_back(formula.text.substr(from, at - 1 - from));
        from = at;
    }
    pieces.push_back(formula.text.substr(from));
    return pieces;
}

std::string PlainText(const StepLine& line)
{
    std::string text;
    for (const Run& run : line.runs)
        text += run.text;
    return text;
}
