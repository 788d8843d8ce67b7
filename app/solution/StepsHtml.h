// The steps of a solution as rich text, set alike in the window and on the
// printed page: one writer from the lines' runs to HTML.
#pragma once

#include "Solution.h"

#include <QString>

class QTextDocument;

#include <string>

// A line of the steps as HTML. A formula never breaks inside itself (its
// spaces non-breaking, a word joiner where a line would break after «/» or
// between brackets); a line breaks between runs, at the spaces of prose, and
// inside a formula only before a relation sign of its chain (=, ≈, ∪ outside
// brackets), which then begins the next line.
QString LineHtml(const StepLine& line);
// Prose as HTML: escaped, its digit groups kept for RestoreDigitGroupSpaces.
QString ProseHtml(const std::string& text);
// Rich text loses the narrow spaces between groups of digits (its parser
// takes every space but U+00A0 for an ordinary one, which a line breaks at:
// «10» on one line, «000 000» on the next). The writers above put a stand-in
// for them; this puts them back once the HTML is in the document.
void RestoreDigitGroupSpaces(QTextDocument* document);

// Each heading in bold with its lines under it, a wrapped line going on
// indented under its own start, so that the rest of a formula does not pass
// for the next line, and a step's table of values after its lines;
// `numberLine` (a paragraph) after the step that draws it; then «Ответ:» set
// apart (`answerStyle` added to its paragraph's style), the function's
// section set as the steps are (a table of values as a row of x and one of
// y), and the note on single precision as an aside. Without `function`, the
// function's section is left out: the window adds it once a moving
// coefficient rests.
QString StepsHtml(const EquationSolution& solution, const QString& numberLine,
    const QString& answerStyle = {}, bool function = true);
