#include "Unit1.h"

#include "Dialogs.h"
#include "Solver.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* owner)
    : TForm(owner)
{
    setupUi(this);
    Loaded();

    Button1->SetEnabled(false);
    Solution = new SolutionLink(this, Label5, { Edit1, Edit2, Edit3 });
}

// The key filter of each field drops a second decimal separator and turns
// Enter into a move to Solve; every other character reaches the field, and
// what is no number is caught when Solve converts the text. Enter while Solve
// is disabled leaves the focus where it is.
void TForm1::filterKey(TEdit* field, QChar& Key)
{
    if (Key >= '0' && Key <= '9')
        return;
    if (Key == DecimalSeparator) {
        if (field->Text().find(DecimalSeparator) != std::string::npos)
            Key = QChar(0);
        return;
    }
    if (Key == '\r' && Button1->CanFocus())
        Button1->SetFocus();
}

void TForm1::Edit1KeyPress(TObject*, QChar& Key) { filterKey(Edit1, Key); }

void TForm1::Edit2KeyPress(TObject*, QChar& Key) { filterKey(Edit2, Key); }

void TForm1::Edit3KeyPress(TObject*, QChar& Key) { filterKey(Edit3, Key); }

void TForm1::Button2Click(TObject*)
{
    Label5->SetCaption("");
    Edit1->SetText("");
    Edit2->SetText("");
    Edit3->SetText("");
}

void TForm1::Button3Click(TObject*) { Form1->Close(); }

void TForm1::Button1Click(TObject*)
{
    const TSolveOutcome outcome = SolveQuadratic(Edit1->Text(), Edit2->Text(), Edit3->Text());
    if (outcome.kind == TSolveKind::MissingValues) {
        MessageDlg(
            "Надо ввести значения параметров a,b,c", mtInformation, TMsgDlgButtons() << mbOK, 0);
        if (Edit1->Text().empty())
            Edit1->SetFocus();
        else if (Edit2->Text().empty())
            Edit2->SetFocus();
        else if (Edit3->Text().empty())
            Edit3->SetFocus();
        return;
    }
    if (outcome.hasResult) {
        Label5->SetCaption(outcome.resultText);
        Solution->solved(outcome.solved);
    }
}

// Each change handler keeps Solve enabled exactly when the field just edited
// holds text, and clears a result that no longer matches the fields.
void TForm1::fieldChanged(TEdit* field)
{
    Button1->SetEnabled(!field->Text().empty());
    Label5->SetCaption("");
}

void TForm1::Edit1Change(TObject*) { fieldChanged(Edit1); }

void TForm1::Edit2Change(TObject*) { fieldChanged(Edit2); }

void TForm1::Edit3Change(TObject*) { fieldChanged(Edit3); }
