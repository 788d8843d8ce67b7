#include "StdCtrls.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

#include <algorithm>

namespace {

bool isLineBreak(QChar c)
{
    return c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == QChar(0x85)
        || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Keeps a single-line field single-line: of text inserted with line breaks (a
// paste or a drop ends with the cursor after it) only the first line stays,
// and the text after the insertion is kept.
class FirstLineOnly : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override
    {
        const auto first = std::find_if(text.cbegin(), text.cend(), isLineBreak);
        if (first == text.cend())
            return Acceptable;
        const int from = int(first - text.cbegin());
        const int to = std::max(cursor, from + 1);
        text.remove(from, to - from);
        cursor = from;
        // Whatever followed the insertion may hold a break of its own.
        text.truncate(
            int(std::find_if(text.cbegin() + from, text.cend(), isLineBreak) - text.cbegin()));
        return Acceptable;
    }
};

} // namespace

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
{
}

std::string TLabel::Caption() const { return text().toStdString(); }

// A live label's new caption reaches screen readers as a text change (its
// accessible object offers its text as text); from Qt 6.8 on it is also
// announced, politely, after what is being spoken.
void TLabel::SetCaption(const std::string& caption)
{
    const QString after = QString::fromStdString(caption);
    const bool changed = after != text();
    setText(after);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (Live() && changed && !after.isEmpty() && QAccessible::isActive()) {
        QAccessibleAnnouncementEvent announcement(this, after);
        announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        QAccessible::updateAccessibility(&announcement);
    }
#else
    Q_UNUSED(changed);
#endif
}

QAccessibleInterface* TLabel::CreateAccessible()
{
    return Live() ? CreateLiveLabelAccessible(this) : nullptr;
}

bool TLabel::CopyToClipboard() const
{
    const QString text = hasSelectedText() ? selectedText() : this->text();
    if (text.isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

void TLabel::contextMenuEvent(QContextMenuEvent* event)
{
    if (!Selectable()) {
        QLabel::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.setObjectName("LabelMenu");
    QAction* copy = menu.addAction("Копировать", this, [this] { CopyToClipboard(); });
    copy->setEnabled(!text().isEmpty());
    // The label's own actions follow.
    menu.addActions(actions());
    menu.exec(event->globalPos());
}

TEdit::TEdit(QWidget* parent)
    : TWinControl(parent)
{
    setValidator(new FirstLineOnly(this));
}

std::string TEdit::Text() const { return text().toStdString(); }

void TEdit::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void TEdit::Bind(THandlerHost& host)
{
    m_host = &host;
    m_onKeyPress = host.FindHandler(property("OnKeyPress"), "(TObject*,QChar&)");
    BindEvent(this, host, "OnChange", &QLineEdit::textChanged);
}

void TEdit::keyPressEvent(QKeyEvent* event)
{
    // A copy with nothing selected here is left to the window (the result line).
    if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
        event->ignore();
        return;
    }
    QString typed = event->text();
    // With Alt, Ctrl or Meta held a key is a command, never a character: the
    // field's own shortcuts (copy, paste, undo, select all) still see it.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) && !typed.isEmpty()) {
        QKeyEvent command(event->type(), event->key(), mods, QString(), event->isAutoRepeat(),
            ushort(event->count()));
        QLineEdit::keyPressEvent(&command);
        event->setAccepted(command.isAccepted());
        return;
    }
    // The keypad's decimal key types the separator of the regional settings.
    if ((mods & Qt::KeypadModifier) && (typed == "." || typed == ","))
        typed = QString(QChar(DecimalSeparator));
    // The key reaches the field with `text` in place of the one it came with.
    const auto deliver = [&](const QString& text) {
        if (text == event->text()) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        QKeyEvent replaced(event->type(), 0, mods, text);
        QLineEdit::keyPressEvent(&replaced);
        event->setAccepted(replaced.isAccepted());
    };
    if (m_onKeyPress < 0 || typed.size() != 1) {
        deliver(typed);
        return;
    }
    TObject* sender = this;
    QChar key = typed[0];
    // A keystroke whose handler failed is dropped, like one the handler refused.
    if (!CallHandler(m_host, m_onKeyPress, sender, key) || key.isNull()) {
        event->accept();
        return;
    }
    deliver(QString(key));
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A narrow field scrolled to its end would hide the sign; a menu or
    // another window taking the focus for a while leaves the cursor alone.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        setCursorPosition(0);
}

TButton::TButton(QWidget* parent)
    : TWinControl(parent)
{
    // A focused button is pressed by Enter as well as by Space.
    setAutoDefault(true);
}

void TButton::Bind(THandlerHost& host) { BindEvent(this, host, "OnClick", &QPushButton::clicked); }
