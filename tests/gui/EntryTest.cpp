// Coefficient entry, keystroke by keystroke: the key filter, Enter, and the
// change handlers' hold on Solve and on the result line.
#include "FormTestBase.h"

#include <QClipboard>

class EntryTest : public FormTestBase {
    Q_OBJECT

    // Puts text on the clipboard; false where the session offers no usable
    // clipboard (a headless Wayland compositor takes a selection only after
    // real input).
    bool putOnClipboard(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        return QTest::qWaitFor([&] { return QApplication::clipboard()->text() == text; }, 500);
    }

private slots:
    void init() { createForm(); }
    void cleanup() { destroyForm(); }

    void keyFilterDropsOnlyASecondSeparator_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("fieldIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point: second point dropped") << "." << 1 << "1.5."
                                                     << "1.5";
        QTest::newRow("point: third point dropped in b") << "." << 2 << "..2."
                                                         << ".2";
        QTest::newRow("point: comma passes") << "." << 3 << "1,5,6"
                                             << "1,5,6";
        QTest::newRow("comma: second comma dropped") << "," << 1 << "1,5,"
                                                     << "1,5";
        QTest::newRow("comma: point passes") << "," << 2 << "1.5.6"
                                             << "1.5.6";
        QTest::newRow("signs, letters, blanks pass") << "." << 3 << "-+e a"
                                                     << "-+e a";
        QTest::newRow("Cyrillic passes") << "." << 1 << "ж1"
                                         << "ж1";
    }

    void keyFilterDropsOnlyASecondSeparator()
    {
        QFETCH(QString, separator);
        QFETCH(int, fieldIndex);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        DecimalSeparator = separator.toLatin1()[0];
        type(field(fieldIndex), typed);
        QCOMPARE(field(fieldIndex)->text(), shown);
    }

    void separatorMayBeRetypedAfterDeletingIt()
    {
        type(form->Edit1, "1.5");
        QTest::keyClick(form->Edit1, Qt::Key_Backspace);
        QTest::keyClick(form->Edit1, Qt::Key_Backspace);
        type(form->Edit1, ".7.");
        QCOMPARE(form->Edit1->text(), QString("1.7"));
    }

    void separatorIsSoughtInTheWholeTextWhateverTheSelection()
    {
        type(form->Edit2, "1.5");
        form->Edit2->selectAll();
        type(form->Edit2, ".");
        QCOMPARE(form->Edit2->text(), QString("1.5"));
        form->Edit2->setCursorPosition(0);
        type(form->Edit2, ".");
        QCOMPARE(form->Edit2->text(), QString("1.5"));
    }

    void pasteBypassesTheFilter()
    {
        if (!putOnClipboard("1..2"))
            QSKIP("no clipboard in this session");
        form->Edit3->setFocus();
        QTest::keyClick(form->Edit3, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->Edit3->text(), QString("1..2"));
        QVERIFY(form->Button1->isEnabled());
    }

    void enterMovesFocusToSolveWithoutSolving_data()
    {
        QTest::addColumn<int>("fieldIndex");
        QTest::newRow("a") << 1;
        QTest::newRow("b") << 2;
        QTest::newRow("c") << 3;
    }

    void enterMovesFocusToSolveWithoutSolving()
    {
        QFETCH(int, fieldIndex);
        type(form->Edit1, "1");
        type(form->Edit2, "-3");
        type(form->Edit3, "2");
        field(fieldIndex)->setFocus();
        const QString before = field(fieldIndex)->text();
        QTest::keyClick(field(fieldIndex), Qt::Key_Return);
        QCOMPARE(focused(), form->Button1);
        QCOMPARE(field(fieldIndex)->text(), before);
        QCOMPARE(form->Label5->text(), QString());
        QVERIFY(boxes->take().empty());
    }

    void enterWhileSolveIsDisabledLeavesTheFocus()
    {
        QTest::keyClick(form->Edit2, Qt::Key_Return);
        QVERIFY(!form->Button1->isEnabled());
        QCOMPARE(focused(), form->Edit1);
        form->Edit2->setFocus();
        QTest::keyClick(form->Edit2, Qt::Key_Enter); // keypad Enter
        QCOMPARE(focused(), form->Edit2);
        QVERIFY(boxes->take().empty());
    }

    void solveFollowsTheFieldEditedLast()
    {
        const struct {
            int field;
            const char* keys; // "<" is Backspace
            bool enabled;
        } steps[] = {
            { 1, "1", true }, // a typed, b and c still empty
            { 3, "2", true },
            { 3, "<", false }, // c emptied: disabled although a holds text
            { 2, "5", true },
            { 1, "<", false },
            { 1, "-", true },
        };
        for (const auto& step : steps) {
            TEdit* edit = field(step.field);
            if (QString(step.keys) == "<")
                QTest::keyClick(edit, Qt::Key_Backspace);
            else
                type(edit, step.keys);
            QCOMPARE(form->Button1->isEnabled(), step.enabled);
        }
    }

    void everyEditEmptiesTheResult_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::newRow("digit typed in a") << "type a";
        QTest::newRow("Backspace in b") << "backspace b";
        QTest::newRow("text pasted into c") << "paste c";
        QTest::newRow("minus typed in c") << "minus c";
    }

    void everyEditEmptiesTheResult()
    {
        QFETCH(QString, edit);
        type(form->Edit1, "1");
        type(form->Edit2, "-3");
        type(form->Edit3, "2");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
        if (edit == "type a")
            type(form->Edit1, "0");
        else if (edit == "backspace b")
            QTest::keyClick(form->Edit2, Qt::Key_Backspace);
        else if (edit == "paste c") {
            if (!putOnClipboard("7"))
                QSKIP("no clipboard in this session");
            form->Edit3->setFocus();
            QTest::keyClick(form->Edit3, Qt::Key_V, Qt::ControlModifier);
        } else {
            form->Edit3->setCursorPosition(0);
            type(form->Edit3, "-");
        }
        QCOMPARE(form->Label5->text(), QString());
    }

    void typicalRequestByKeyboardAlone()
    {
        QCOMPARE(focused(), form->Edit1);
        QTest::keyClicks(focused(), "1");
        QTest::keyClick(focused(), Qt::Key_Tab);
        QTest::keyClicks(focused(), "-3");
        QTest::keyClick(focused(), Qt::Key_Tab);
        QTest::keyClicks(focused(), "2");
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(form->Label5->text(), QString());
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
        QTest::keyClick(focused(), Qt::Key_Space);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
    }
};

int runEntryTest(int argc, char** argv)
{
    EntryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EntryTest.moc"
