#include "StdCtrls.h"

#include "Forms.h"

#include <QKeyEvent>

namespace {

bool canFocus(const QWidget* control)
{
    return control->isEnabled() && control->isVisible() && control->focusPolicy() != Qt::NoFocus;
}

void focusOrRaise(QWidget* control)
{
    if (!canFocus(control))
        throw Exception("Нельзя передать фокус ввода недоступному элементу окна.");
    control->setFocus(Qt::OtherFocusReason);
}

} // namespace

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
{
}

std::string TLabel::Caption() const { return text().toStdString(); }

void TLabel::SetCaption(const std::string& caption) { setText(QString::fromStdString(caption)); }

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

std::string TEdit::Text() const { return text().toStdString(); }

void TEdit::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

bool TEdit::CanFocus() const { return canFocus(this); }

void TEdit::SetFocus() { focusOrRaise(this); }

void TEdit::Bind(TForm* form)
{
    m_form = form;
    m_onChange = form->FindHandler(property("OnChange"), "(TObject*)");
    m_onKeyPress = form->FindHandler(property("OnKeyPress"), "(TObject*,QChar&)");
    if (m_onChange >= 0)
        connect(this, &QLineEdit::textChanged, this, [this] {
            TObject* sender = this;
            m_form->CallHandler(m_onChange, sender);
        });
}

void TEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (m_onKeyPress < 0 || typed.size() != 1) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    TObject* sender = this;
    QChar key = typed[0];
    // A keystroke whose handler failed is dropped, like one the handler refused.
    if (!m_form->CallHandler(m_onKeyPress, sender, key) || key.isNull()) {
        event->accept();
        return;
    }
    if (key == typed[0]) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(key));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
{
    // A focused button is pressed by Enter as well as by Space.
    setAutoDefault(true);
}

bool TButton::CanFocus() const { return canFocus(this); }

void TButton::SetFocus() { focusOrRaise(this); }

void TButton::Bind(TForm* form)
{
    m_form = form;
    m_onClick = form->FindHandler(property("OnClick"), "(TObject*)");
    if (m_onClick >= 0)
        connect(this, &QPushButton::clicked, this, [this] {
            TObject* sender = this;
            m_form->CallHandler(m_onClick, sender);
        });
}
