#include "StepsView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>
#include <vector>

namespace {

// The joiners that hold −b/a together in the rich text.
constexpr QChar kWordJoiner { 0x2060 };

// The steps as a screen reader reads them: the plain text that a copy gives
// (the number line as its line of signs, no joiners), with the caret and the
// selection of the view; the role and name of a read-only text.
class StepsAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit StepsAccessible(StepsView* view)
        : QAccessibleWidget(view, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        state.focusable = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? view()->whole() : QAccessibleWidget::text(kind);
    }

    QString text(int start, int end) const override
    {
        return view()->whole().mid(start, end - start);
    }
    int characterCount() const override { return int(view()->whole().size()); }

    int cursorPosition() const override { return view()->toPlain(view()->textCursor().position()); }
    void setCursorPosition(int position) override { select(position, position); }
    int selectionCount() const override { return view()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        const QTextCursor cursor = view()->textCursor();
        const bool any = index == 0 && cursor.hasSelection();
        *start = any ? view()->toPlain(cursor.selectionStart()) : 0;
        *end = any ? view()->toPlain(cursor.selectionEnd()) : 0;
    }
    void addSelection(int start, int end) override { select(start, end); }
    void removeSelection(int) override
    {
        const int at = cursorPosition();
        select(at, at);
    }
    void setSelection(int, int start, int end) override { select(start, end); }

    QRect characterRect(int offset) const override
    {
        QTextCursor at(view()->document());
        at.setPosition(view()->toDocument(offset));
        const QRect rect = view()->cursorRect(at);
        return { view()->viewport()->mapToGlobal(rect.topLeft()), rect.size() };
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint local = view()->viewport()->mapFromGlobal(point);
        return view()->toPlain(view()->cursorForPosition(local).position());
    }
    void scrollToSubstring(int start, int end) override
    {
        select(start, end);
        view()->ensureCursorVisible();
    }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    StepsView* view() const { return static_cast<StepsView*>(widget()); }

    void select(int start, int end)
    {
        QTextCursor cursor(view()->document());
        cursor.setPosition(view()->toDocument(start));
        cursor.setPosition(view()->toDocument(end), QTextCursor::KeepAnchor);
        view()->setTextCursor(cursor);
    }
};

QAccessibleInterface* stepsAccessible(const QString&, QObject* object)
{
    auto* view = dynamic_cast<StepsView*>(object);
    return view ? new StepsAccessible(view) : nullptr;
}

} // namespace

StepsView::StepsView()
{
    static const bool factory = (QAccessible::installFactory(stepsAccessible), true);
    Q_UNUSED(factory);
}

QString StepsView::plain(QString text) const
{
    return text.replace(QChar::ObjectReplacementCharacter, pictureText).remove(kWordJoiner);
}

QString StepsView::whole() const { return wholeText.isEmpty() ? plain(toPlainText()) : wholeText; }

QMimeData* StepsView::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(plain(textCursor().selection().toPlainText()));
    return data;
}

void StepsView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) && !textCursor().hasSelection()) {
        QGuiApplication::clipboard()->setText(whole());
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void StepsView::paintEvent(QPaintEvent* event)
{
    if (repaintPicture && pictureRatio != devicePixelRatioF())
        repaintPicture();
    QTextEdit::paintEvent(event);
}

void StepsView::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    if (repaintPicture && event->size().width() != event->oldSize().width())
        repaintPicture();
}

void StepsView::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && repaintPicture)
        repaintPicture();
}

// Within a paragraph the document goes with whole() character by character,
// but for the joiners and the picture. Each paragraph (a table's cell among
// them) is looked for again in whole() from where the one before ended, so
// that a table, which the plain text sets otherwise than cell by cell, never
// shifts what follows it; one not found there stands where the last ended.
int StepsView::mapped(int from, bool forward) const
{
    const QString text = whole();
    const int length = int(text.size());
    struct Paragraph {
        int position = 0; // in the document
        int start = 0; // in whole()
        QString text;
    };
    std::vector<Paragraph> paragraphs;
    int expected = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        // As toPlainText has it: no-break spaces as plain ones.
        const QString said = plain(block.text()).replace(QChar::Nbsp, ' ');
        const int found = said.isEmpty() ? -1 : int(text.indexOf(said, expected));
        const int start = found >= 0 ? found : std::min(expected, length);
        paragraphs.push_back({ block.position(), start, block.text() });
        // A paragraph the plain text lacks moves nothing after it; an empty
        // one is an empty line where the plain text has one.
        if (found >= 0 || (said.isEmpty() && text.mid(start, 1) == "\n"))
            expected = start + int(said.size()) + 1;
    }
    if (paragraphs.empty())
        return 0;
    const auto weight = [this](QChar c) {
        return c == kWordJoiner                      ? 0
            : c == QChar::ObjectReplacementCharacter ? int(pictureText.size())
                                                     : 1;
    };
    // The last paragraph that begins at or before `from`.
    std::size_t at = 0;
    while (at + 1 < paragraphs.size()
        && (forward ? paragraphs[at + 1].position : paragraphs[at + 1].start) <= from)
        ++at;
    const Paragraph& paragraph = paragraphs[at];
    const int next = at + 1 < paragraphs.size() ? paragraphs[at + 1].start : length;
    int position = paragraph.position, offset = paragraph.start;
    for (const QChar c : paragraph.text) {
        if ((forward ? position : offset) >= from)
            break;
        offset += weight(c);
        ++position;
    }
    // Past the paragraph's text: its end, and what stands between it and the next.
    const int beyond = std::max(0, from - (forward ? position : offset));
    if (forward)
        return std::min({ offset + beyond, next, length });
    const int last = std::max(0, document()->characterCount() - 1);
    return std::min(position + std::min(beyond, 1), last);
}
