// Coefficient entry, keystroke by keystroke: the key filter, Enter, and the
// change handlers' hold on Solve and on the result line.
#include "FormTestBase.h"

class EntryTest : public FormTestBase {
    Q_OBJECT

private slots:
    void keyFilterDropsOnlyASecondSeparator_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("fieldIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        row("point: second point dropped", ".", 1, "1.5.", "1.5");
        row("point: third point dropped in b", ".", 2, "..2.", ".2");
        row("point: comma passes", ".", 3, "1,5,6", "1,5,6");
        row("comma: second comma dropped", ",", 1, "1,5,", "1,5");
        row("comma: point passes", ",", 2, "1.5.6", "1.5.6");
        row("signs, letters, blanks pass", ".", 3, "-+e a", "-+e a");
        row("Cyrillic passes", ".", 1, "ж1", "ж1");
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

    void pasteKeepsTheFirstLine_data()
    {
        QTest::addColumn<QString>("before"); // "|" marks the cursor
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        row("trailing line break", "|", "-4\n", "-4");
        row("CRLF, then a second line", "|", "1.5\r\n2", "1.5");
        row("into the middle of a text", "1|9", "2\n3\n4", "129");
        row("Unicode line separator", "|", "7\u20288", "7");
    }

    void pasteKeepsTheFirstLine()
    {
        QFETCH(QString, before);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        if (!putOnClipboard(pasted))
            QSKIP("no clipboard in this session");
        form->Edit2->setFocus();
        form->Edit2->setText(QString(before).remove('|'));
        form->Edit2->setCursorPosition(before.indexOf('|'));
        QTest::keyClick(form->Edit2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->Edit2->text(), shown);
        QCOMPARE(form->Edit2->cursorPosition(),
            shown.size() - (before.size() - 1 - before.indexOf('|')));
    }

    // Alt, Ctrl and Meta make a key a command, never a character; AltGr
    // (no such modifier) types as usual. Each key goes to a field holding 1.5.
    void commandChordsTypeNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        row("Alt+x", int(Qt::Key_X), int(Qt::AltModifier), "x", "1.5");
        row("Alt+Cyrillic о", int(Qt::Key_J), int(Qt::AltModifier), "о", "1.5");
        row("Meta+7", int(Qt::Key_7), int(Qt::MetaModifier), "7", "1.5");
        row("Ctrl+Alt+e", int(Qt::Key_E), int(Qt::ControlModifier | Qt::AltModifier), "e", "1.5");
        row("AltGr+q types @", int(Qt::Key_At), int(Qt::NoModifier), "@", "1.5@");
        row("Ctrl+A selects all", int(Qt::Key_A), int(Qt::ControlModifier), "a", "1.5");
    }

    void commandChordsTypeNothing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        type(form->Edit1, "1.5");
        QTest::sendKeyEvent(
            QTest::Click, form->Edit1, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form->Edit1->text(), shown);
        // Alt+Enter is no Enter for the key filter either.
        QTest::keyClick(form->Edit1, Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(focused(), form->Edit1);
        if (QString(QTest::currentDataTag()) == "Ctrl+A selects all") {
            QCOMPARE(form->Edit1->selectedText(), QString("1.5"));
            type(form->Edit1, "7");
            QTest::keyClick(form->Edit1, Qt::Key_Z, Qt::ControlModifier); // undo still works
            QCOMPARE(form->Edit1->text(), QString("1.5"));
        }
    }

    void keypadDecimalTypesTheSeparator_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("keypadText"); // what the layout gives the key
        QTest::addColumn<QString>("shown");
        row("comma settings, US keypad", ",", ".", "1,5");
        row("point settings, German keypad", ".", ",", "1.5");
    }

    void keypadDecimalTypesTheSeparator()
    {
        QFETCH(QString, separator);
        QFETCH(QString, keypadText);
        QFETCH(QString, shown);
        DecimalSeparator = separator.toLatin1()[0];
        const auto keypadDecimal = [&] {
            QTest::sendKeyEvent(QTest::Click, form->Edit3,
                keypadText == "." ? Qt::Key_Period : Qt::Key_Comma, keypadText, Qt::KeypadModifier);
        };
        type(form->Edit3, "1");
        keypadDecimal();
        type(form->Edit3, "5");
        keypadDecimal(); // a second separator, dropped by the key filter
        QCOMPARE(form->Edit3->text(), shown);
    }

    void leavingAFieldShowsItsStart_data()
    {
        QTest::addColumn<QString>("how");
        row("Tab", "Tab");
        row("click into another field", "click");
        row("Enter, to Solve", "Enter");
    }

    void leavingAFieldShowsItsStart()
    {
        QFETCH(QString, how);
        form->Edit2->setFocus();
        type(form->Edit2, "-98765.4321");
        QCOMPARE(form->Edit2->cursorPosition(), 11);
        if (how == "Tab")
            QTest::keyClick(form->Edit2, Qt::Key_Tab);
        else if (how == "click")
            QTest::mouseClick(form->Edit3, Qt::LeftButton);
        else
            QTest::keyClick(form->Edit2, Qt::Key_Return);
        QVERIFY(focused() != form->Edit2);
        QCOMPARE(form->Edit2->cursorPosition(), 0);
        // The sign is drawn: the field's left edge holds dark text pixels.
        const QImage image = form->Edit2->grab().toImage();
        const QColor text = form->Edit2->palette().color(QPalette::Text);
        bool signShown = false;
        for (int x = 2; x < 10; ++x)
            for (int y = 4; y < image.height() - 4; ++y)
                signShown |= qAbs(image.pixelColor(x, y).lightness() - text.lightness()) < 80;
        QVERIFY(signShown);
    }

    void enterMovesFocusToSolveWithoutSolving_data()
    {
        QTest::addColumn<int>("fieldIndex");
        row("a", 1);
        row("b", 2);
        row("c", 3);
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
        row("digit typed in a", "type a");
        row("Backspace in b", "backspace b");
        row("text pasted into c", "paste c");
        row("minus typed in c", "minus c");
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

QUADRATIC_GUI_TEST_MAIN(EntryTest)

#include "EntryTest.moc"
