#include "Dialogs.h"

#include "Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace {

// Every box's look and buttons, in the order of TMsgDlgType and TMsgDlgBtn.
struct Look {
    QMessageBox::Icon icon;
    const char* title;
};
const Look kLooks[] = {
    { QMessageBox::Warning, "Внимание" },
    { QMessageBox::Critical, "Ошибка" },
    { QMessageBox::Information, "Информация" },
    { QMessageBox::Question, "Подтверждение" },
    { QMessageBox::NoIcon, "" },
};

struct Choice {
    TMsgDlgBtn button;
    QMessageBox::ButtonRole role;
    const char* caption;
    TModalResult result;
};
const Choice kChoices[] = {
    { mbYes, QMessageBox::YesRole, "Да", mrYes },
    { mbNo, QMessageBox::NoRole, "Нет", mrNo },
    { mbOK, QMessageBox::AcceptRole, "ОК", mrOk },
    { mbCancel, QMessageBox::RejectRole, "Отмена", mrCancel },
};

// Shows a modal box of `type` with `buttons` (OK when none) and returns the
// result of the one pressed.
int showBox(const char* name, const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons)
{
    const Look& look = kLooks[type];
    QMessageBox box(look.icon, QString::fromUtf8(look.title), QString::fromStdString(message),
        QMessageBox::NoButton, TApplication::BoxOwner());
    box.setObjectName(name);
    box.setTextFormat(Qt::PlainText); // a message may quote what the user typed

    std::vector<std::pair<QAbstractButton*, TModalResult>> added;
    for (const Choice& choice : kChoices) {
        if (buttons.Contains(choice.button) || (choice.button == mbOK && !buttons.Any()))
            added.emplace_back(
                box.addButton(QString::fromUtf8(choice.caption), choice.role), choice.result);
    }
    box.exec();
    for (const auto& [button, result] : added) {
        if (box.clickedButton() == button)
            return result;
    }
    return buttons.Contains(mbCancel) ? mrCancel : mrNone;
}

} // namespace

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    return showBox("MessageDlg", message, type, buttons);
}

void ShowExceptionReport(const std::string& message)
{
    showBox("ExceptionReport", message, mtError, TMsgDlgButtons() << mbOK);
}
