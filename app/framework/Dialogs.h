// The program's message boxes, from one table of captions: MessageDlg, a
// modal box of a given type with a set of buttons that returns the button
// pressed, and the exception report.
#pragma once

#include <initializer_list>
#include <string>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel };

class TMsgDlgButtons {
public:
    TMsgDlgButtons() = default;
    TMsgDlgButtons& operator<<(TMsgDlgBtn button)
    {
        m_bits |= 1u << button;
        return *this;
    }
    bool Contains(TMsgDlgBtn button) const { return m_bits & (1u << button); }
    bool Any() const { return m_bits != 0; }

private:
    unsigned m_bits = 0;
};

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

int MessageDlg(
    const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);

// The exception report: a modal error box («Ошибка») with the message and OK.
void ShowExceptionReport(const std::string& message);
