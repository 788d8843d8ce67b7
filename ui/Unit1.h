// The main window: three coefficient fields, the Solve, Clear and Exit
// buttons, and the result line. Its layout and its wiring (which handler
// answers which event) live in Unit1.ui; this class adds the handlers.
#pragma once

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

namespace Ui {
class TForm1;
}

class TForm1 : public TForm {
    Q_OBJECT

public:
    explicit TForm1(QWidget* owner);
    ~TForm1() override;

    TLabel* Label1;
    TLabel* Label2;
    TEdit* Edit1;
    TLabel* Label3;
    TEdit* Edit2;
    TLabel* Label4;
    TEdit* Edit3;
    TLabel* Label5;
    TButton* Button1;
    TButton* Button2;
    TButton* Button3;
    TImage* Image1;

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

    Ui::TForm1* m_ui;
};

extern TForm1* Form1;
