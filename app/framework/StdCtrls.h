// The standard controls of a form, as thin classes over Qt widgets. Texts
// cross the boundary here: the controls speak UTF-8 std::string to the form's
// code, QString to Qt.
//
// Events are named in the form description (dynamic properties OnClick,
// OnChange, OnKeyPress holding a handler's name) and bound to the form's
// handlers through THandlerHost when the form is loaded.
// OnKeyPress sees each typed character before the field inserts it, and may
// replace it or set it to 0 to drop the keystroke; paste does not pass
// through it. OnChange follows every real change of the text, typed or set.
//
// A field is one line: of a pasted or dropped text it keeps the first line.
// Alt, Ctrl and Meta combinations type nothing (AltGr does); the keypad's
// decimal key types DecimalSeparator. Leaving a field shows its start, sign
// and all.
#pragma once

#include "Accessibility.h"
#include "EventBinding.h"
#include "SysUtils.h"

#include <QChar>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

// A label whose text can be selected with the mouse (as the result line) also
// offers «Копировать» on a right-click: the selection, or else the whole text;
// the label's own actions (QWidget::addAction) follow it in that menu.
class TLabel : public QLabel, public TAccessibleControl {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    bool Selectable() const { return textInteractionFlags() & Qt::TextSelectableByMouse; }
    // A live label (property Live in the form description) tells screen
    // readers of each new caption without taking the focus.
    bool Live() const { return property("Live").toBool(); }
    // Puts the selection, or the whole text when nothing is selected, on the
    // clipboard. Returns false when there was nothing to copy.
    bool CopyToClipboard() const;
    // A live label offers its text to screen readers as text.
    QAccessibleInterface* CreateAccessible() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// What every control that can take the focus offers, over its Qt widget.
template <typename QtControl> class TWinControl : public QtControl {
public:
    using QtControl::QtControl;

    bool CanFocus() const
    {
        return this->isEnabled() && this->isVisible() && this->focusPolicy() != Qt::NoFocus;
    }

    // Raises Exception for a control that cannot take the focus.
    void SetFocus()
    {
        if (!CanFocus())
            throw Exception("Нельзя передать фокус ввода недоступному элементу окна.");
        this->setFocus(Qt::OtherFocusReason);
    }
};

class TEdit : public TWinControl<QLineEdit>, public TBindable {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(const std::string& text);
    void Bind(THandlerHost& host) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    THandlerHost* m_host = nullptr; // whose key filter keyPressEvent calls, set by Bind
    int m_onKeyPress = -1;
};

class TButton : public TWinControl<QPushButton>, public TBindable {
    Q_OBJECT

public:
    explicit TButton(QWidget* parent = nullptr);

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    void Bind(THandlerHost& host) override;
};
