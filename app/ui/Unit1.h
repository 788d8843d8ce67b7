// The main window: three coefficient fields, the Solve, Clear and Exit
// buttons, and the result line. Its layout and its wiring (which handler
// answers which event) live in Unit1.ui; this class adds the handlers.
#pragma once

#include "ExtCtrls.h"
#include "Forms.h"
#include "SolutionLink.h"
#include "StdCtrls.h"
#include "ui_Unit1.h"

// The controls (Label1 … Label5, Edit1 … Edit3, Button1 … Button3, Image1)
// are the members that the form description declares in Ui::TForm1.
class TForm1 : public TForm, public Ui::TForm1 {
    Q_OBJECT

public:
    explicit TForm1(QWidget* owner);

    // The link to «Решение и график»: built with the form, the window itself
    // on first use.
    SolutionLink* Solution = nullptr;

    // The handlers, found by name from the form description.
public slots:
    void Edit1KeyPress(TObject* Sender, QChar& Key);
    void Edit2KeyPress(TObject* Sender, QChar& Key);
    void Edit3KeyPress(TObject* Sender, QChar& Key);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Edit1Change(TObject* Sender);
    void Edit2Change(TObject* Sender);
    void Edit3Change(TObject* Sender);

private:
    void filterKey(TEdit* field, QChar& Key);
    void fieldChanged(TEdit* field);
};

extern TForm1* Form1;
