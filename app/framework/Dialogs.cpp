#include "Dialogs.h"

#include "Forms.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    struct Look {
        QMessageBox::Icon icon;
        const char* title;
    };
    static const Look looks[] = {
        { QMessageBox::Warning, "Внимание" },
        { QMessageBox::Critical, "Ошибка" },
        { QMessageBox::Information, "Информация" },
        { QMessageBox::Question, "Подтверждение" },
        { QMessageBox::NoIcon, "" },
    };
    const Look& look = looks[type];
    QMessageBox box(look.icon, QString::fromUtf8(look.title), QString::fromStdString(message),
        QMessageBox::NoButton, TApplication::BoxOwner());
    box.setObjectName("MessageDlg");
    box.setTextFormat(Qt::PlainText); // a message may quote what the user typed

    struct Choice {
        TMsgDlgBtn button;
        QMessageBox::ButtonRole role;
        const char* caption;
        TModalResult result;
    };
    static const Choice choices[] = {
        { mbYes, QMessageBox::YesRole, "Да", mrYes },
        { mbNo, QMessageBox::NoRole, "Нет", mrNo },
        { mbOK, QMessageBox::AcceptRole, "ОК", mrOk },
        { mbCancel, QMessageBox::RejectRole, "Отмена", mrCancel },
    };
    std::vector<std::pair<QAbstractButton*, TModalResult>> added;
    for (const Choice& choice : choices) {
        if (buttons.Contains(choice.button))
            added.emplace_back(
                box.addButton(QString::fromUtf8(choice.caption), choice.role), choice.result);
    }
    if (added.empty())
        added.emplace_back(box.addButton("ОК", QMessageBox::AcceptRole), mrOk);
    box.exec();
    for (const auto& [button, result] : added) {
        if (box.clickedButton() == button)
            return result;
    }
    return buttons.Contains(mbCancel) ? mrCancel : mrNone;
}
