// The steps of a solution as rich text, set alike in the window and on the
// printed page.
#pragma once

#include "Solution.h"

#include <QString>

class QTextDocument;

#include <string>

// A line of the steps as HTML: a formula breaks only between its terms (the
// spaces inside a term non-breaking), and its signs are escaped.
QString FormulaHtml(const std::string& text);
// Rich text loses the narrow spaces between groups of digits (its parser
// takes every space but U+00A0 for an ordinary one, which a line breaks at:
// «10» on one line, «000 000» on the next). FormulaHtml writes a stand-in
// for them; this puts them back once the HTML is in the document.
void RestoreDigitGroupSpaces(QTextDocument* document);

// Each heading in bold with its lines under it, a wrapped line going on
// indented under its own start, so that the rest of a formula does not pass
// for the next line; `numberLine` (a paragraph) after the step that draws
// it; then «Ответ:» set apart (`answerStyle` added to its paragraph's style)
// and the note on single precision as an aside after it.
QString StepsHtml(
    const EquationSolution& solution, const QString& numberLine, const QString& answerStyle = {});
