#include "StepsHtml.h"

#include "PlainText.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// A private-use character that HTML leaves as it is.
constexpr char16_t kGroupSpaceStandIn = 0xE000;
constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kWordJoiner = 0x2060;

QString escaped(const std::string& text)
{
    return QString::fromStdString(text)
        .replace(QChar(0x202F), QChar(kGroupSpaceStandIn))
        .toHtmlEscaped();
}

// A piece of a formula that no line breaks: its spaces non-breaking, and a
// joiner after each «/» and before a bracket that follows a sign or another
// bracket («−(», «)(»), where Qt would break.
QString unbroken(const std::string& piece)
{
    const QString text = escaped(piece);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        out += c == ' ' ? QChar(kNoBreakSpace) : c;
        const bool last = i + 1 == text.size();
        if (!last && (c == '/' || (c != ' ' && c != '(' && text[i + 1] == '(')))
            out += QChar(kWordJoiner);
    }
    return out;
}

} // namespace

QString ProseHtml(const std::string& text) { return escaped(text); }

QString LineHtml(const StepLine& line)
{
    QString html;
    for (const Run& run : line.runs) {
        if (run.kind == Run::Prose) {
            html += escaped(run.text);
            continue;
        }
        const std::vector<std::string> pieces = ChainPieces(run);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            html += (i > 0 ? " " : "") + unbroken(pieces[i]);
    }
    return html;
}

void RestoreDigitGroupSpaces(QTextDocument* document)
{
    const QString standIn(QChar { kGroupSpaceStandIn });
    for (QTextCursor at = document->find(standIn); !at.isNull(); at = document->find(standIn, at))
        at.insertText(QString(QChar(0x202F)));
}

namespace {

// A table of values: a row of x and one of y, a column to each point, in
// thin lines, each cell centred and never broken.
QString ValueTableHtml(const ValueTable& table)
{
    const QString cell = "<td align=\"center\" style=\"white-space:nowrap; "
                         "padding:1px 3px\">";
    const auto row = [&](const QString& name, const std::vector<StepLine>& values) {
        QString html = "<tr>" + cell + "<i>" + name + "</i></td>";
        for (const StepLine& value : values)
            html += cell + LineHtml(value) + "</td>";
        return html + "</tr>";
    };
    return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" style=\"margin-top:4px; "
           "margin-bottom:4px; margin-left:14px; border-collapse:collapse; border-style:solid; "
           "border-color:#808080\">"
        + row("x", table.xs) + row("y", table.ys) + "</table>";
}

const QString kLine = "<p style=\"margin-top:0; margin-bottom:2px; margin-left:30px; "
                      "text-indent:-16px\">";
const QString kHeading = "<p style=\"margin-top:10px; margin-bottom:2px\">";

QString stepsHtml(const std::vector<SolutionStep>& all, const QString& numberLine = {},
    std::size_t numberLineStep = 0)
{
    QString html;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const SolutionStep& step = all[i];
        html += kHeading + "<b>" + ProseHtml(step.heading) + "</b></p>";
        for (const StepLine& each : step.lines)
            html += kLine + LineHtml(each) + "</p>";
        if (step.table)
            html += ValueTableHtml(*step.table);
        if (!numberLine.isEmpty() && i == numberLineStep)
            html += numberLine;
    }
    return html;
}

} // namespace

QString StepsHtml(const EquationSolution& solution, const QString& numberLine,
    const QString& answerStyle, bool function)
{
    QString text = stepsHtml(
        solution.steps, solution.numberLine ? numberLine : QString(), solution.numberLineStep);
    if (!solution.answer.empty()) {
        text += "<p style=\"margin-top:14px; margin-bottom:2px; " + answerStyle + "\"><b>"
            + QString::fromUtf8(kAnswerWord) + "</b> " + LineHtml(solution.answer) + "</p>";
    }
    if (function)
        text += stepsHtml(solution.function);
    if (!solution.precisionNote.empty())
        text += kHeading + "<b>" + kPrecisionHeading + "</b></p>" + kLine + "<i>"
            + ProseHtml(solution.precisionNote) + "</i></p>";
    return text;
}
