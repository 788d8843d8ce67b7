#include "StepsHtml.h"

#include "Typography.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// A private-use character that HTML leaves as it is.
constexpr char16_t kGroupSpaceStandIn = 0xE000;

} // namespace

QString FormulaHtml(const std::string& text)
{
    return QString::fromStdString(NoBreakInsideTerms(text))
        .replace(QChar(0x202F), QChar(kGroupSpaceStandIn))
        .toHtmlEscaped();
}

void RestoreDigitGroupSpaces(QTextDocument* document)
{
    const QString standIn(QChar { kGroupSpaceStandIn });
    for (QTextCursor at = document->find(standIn); !at.isNull(); at = document->find(standIn, at))
        at.insertText(QString(QChar(0x202F)));
}

QString StepsHtml(
    const EquationSolution& solution, const QString& numberLine, const QString& answerStyle)
{
    const QString line = "<p style=\"margin-top:0; margin-bottom:2px; margin-left:30px; "
                         "text-indent:-16px\">";
    const QString heading = "<p style=\"margin-top:10px; margin-bottom:2px\">";
    QString text;
    for (std::size_t i = 0; i < solution.steps.size(); ++i) {
        const SolutionStep& step = solution.steps[i];
        text += heading + "<b>" + FormulaHtml(step.heading) + "</b></p>";
        for (const std::string& each : step.lines)
            text += line + FormulaHtml(each) + "</p>";
        if (solution.numberLine && i == solution.numberLineStep)
            text += numberLine;
    }
    if (!solution.answer.empty()) {
        text += "<p style=\"margin-top:14px; margin-bottom:2px; " + answerStyle + "\"><b>"
            + QString::fromUtf8(kAnswerWord) + "</b>"
            + FormulaHtml(solution.answer.substr(kAnswerWord.size())) + "</p>";
    }
    if (!solution.precisionNote.empty())
        text += heading + "<b>Одинарная точность</b></p>" + line + "<i>"
            + FormulaHtml(solution.precisionNote) + "</i></p>";
    return text;
}
