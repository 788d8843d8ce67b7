// The Solve, Clear and Exit commands as the user meets them.
#include "FormTestBase.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

class CommandsTest : public FormTestBase {
    Q_OBJECT

    void fill(const char* a, const char* b, const char* c)
    {
        form->Edit1->SetText(a);
        form->Edit2->SetText(b);
        form->Edit3->SetText(c);
    }

private slots:
    void solveShowsTheOutcomeWithoutABox_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("shown");
        row("two roots", "1", "-3", "2", "x1= 2; x2= 1");
        row("linear", "0", "3", "1", "Один корень и он равен -0.3333");
        row("double root", "1", "2", "1", "Один корень и он равен -1");
        row("no solutions", "1", "0", "1", "Уравнение решений не имеет");
        row("all zero", "0", "0", "0", "Бесконечное множество решений");
        row("huge root", "1e-30", "1e30", "1", "x1= -1E-30; x2= -1E60");
    }

    void solveShowsTheOutcomeWithoutABox()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QString, shown);
        type(form->Edit1, a);
        type(form->Edit2, b);
        type(form->Edit3, c);
        click(form->Button1);
        QCOMPARE(form->Label5->text(), shown);
        QVERIFY(boxes->take().empty());
        QVERIFY(focused() != form->Edit1 && focused() != form->Edit2 && focused() != form->Edit3);
        click(form->Button1);
        QCOMPARE(form->Label5->text(), shown); // a second click gives the same text
    }

    void commaLocaleSolvesWithCommas()
    {
        DecimalSeparator = ',';
        type(form->Edit1, "1");
        type(form->Edit2, "0");
        type(form->Edit3, "-2,0,");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 1,414; x2= -1,414"));
    }

    void missingValueAsksAndFocusesTheFirstEmptyField_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("focus");
        row("b empty", "1", "", "2", "Edit2");
        row("a empty", "", "5", "", "Edit1");
        row("c empty", "1", "2", "", "Edit3");
        row("b empty, a no number", "abc", "", "2", "Edit2");
    }

    void missingValueAsksAndFocusesTheFirstEmptyField()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(QString, focus);
        fill(a.toUtf8(), b.toUtf8(), c.toUtf8());
        form->Button1->SetEnabled(true);
        click(form->Button1);
        const auto seen = boxes->take();
        QCOMPARE(seen.size(), 1u);
        QCOMPARE(seen[0].objectName, QString("MessageDlg"));
        QCOMPARE(seen[0].text, QString("Надо ввести значения параметров a,b,c"));
        QCOMPARE(seen[0].icon, QMessageBox::Information);
        QCOMPARE(seen[0].format, Qt::PlainText);
        QCOMPARE(seen[0].buttons, QStringList { "ОК" });
        reactivate();
        QCOMPARE(focused()->objectName(), focus);
        QCOMPARE(form->Label5->text(), QString());
    }

    void textThatIsNoNumberIsReportedAndNothingChanges_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("message");
        row("letters", "abc", "1", "Значение «abc» не является правильным числом.");
        row("two separators pasted", "1", "1..2", "Значение «1..2» не является правильным числом.");
        row("beyond single range", "1", "1e39",
            "Число «1e39» вне допустимого диапазона: по модулю не больше 3.4E38.");
        row("markup is quoted as typed", "<b>x</b>y", "1",
            "Значение «<b>x</b>y» не является правильным числом.");
    }

    void textThatIsNoNumberIsReportedAndNothingChanges()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, message);
        fill("1", "-3", "2");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
        // Changing a field empties the line, so show a result afterwards to see it stay.
        fill(a.toUtf8(), b.toUtf8(), "2");
        form->Label5->SetCaption("прежний текст");
        click(form->Button1);
        reactivate();
        QWidget* focusAfterClick = focused();
        const auto seen = boxes->take();
        QCOMPARE(seen.size(), 1u);
        QCOMPARE(seen[0].objectName, QString("ExceptionReport"));
        QCOMPARE(seen[0].text, message);
        QCOMPARE(seen[0].format, Qt::PlainText);
        QCOMPARE(form->Label5->text(), QString("прежний текст"));
        QCOMPARE(form->Edit1->text(), a);
        QCOMPARE(form->Edit2->text(), b);
        QCOMPARE(focusAfterClick, form->Button1);
        // The window goes on working.
        fill("1", "0", "-4");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= -2"));
    }

    // The result line takes no focus, yet its text can be copied.
    void resultCanBeCopied_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("copied");
        row("Ctrl+C on Solve: the whole line", "Ctrl+C on Solve", "x1= 2; x2= 1");
        row("Ctrl+Insert on Exit: the whole line", "Ctrl+Insert on Exit", "x1= 2; x2= 1");
        row("mouse selection, Ctrl+C in a field", "selection, Ctrl+C in a", "x2= 1");
        row("menu, nothing selected: the whole line", "menu", "x1= 2; x2= 1");
        row("menu on a selection", "selection, menu", "x2= 1");
        row("Ctrl+C in a field with a selection: the field's", "field selection", "-3");
    }

    void resultCanBeCopied()
    {
        QFETCH(QString, how);
        QFETCH(QString, copied);
        if (!putOnClipboard("before"))
            QSKIP("no clipboard in this session");
        fill("1", "-3", "2");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
        if (how.startsWith("selection"))
            form->Label5->setSelection(7, 5);
        QStringList menuItems;
        if (how.endsWith("menu")) {
            // The menu runs its own loop: it is read and answered from a timer.
            QTimer::singleShot(50, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu)
                    return;
                for (QAction* action : menu->actions())
                    menuItems << action->text();
                menu->actions().value(0)->trigger();
                menu->close();
            });
            const QPoint middle = form->Label5->rect().center();
            QContextMenuEvent event(
                QContextMenuEvent::Mouse, middle, form->Label5->mapToGlobal(middle));
            QApplication::sendEvent(form->Label5, &event);
            QCOMPARE(menuItems, (QStringList { "Копировать", "Решение и график…" }));
        } else if (how == "Ctrl+C on Solve") {
            QCOMPARE(focused(), form->Button1);
            QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier);
        } else if (how == "Ctrl+Insert on Exit") {
            form->Button3->setFocus();
            QTest::keyClick(focused(), Qt::Key_Insert, Qt::ControlModifier);
        } else if (how == "field selection") {
            form->Edit2->setFocus();
            form->Edit2->selectAll();
            form->Label5->setSelection(0, 3);
            QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier);
        } else {
            form->Edit1->setFocus();
            QTest::keyClick(focused(), Qt::Key_C, Qt::ControlModifier);
        }
        QVERIFY(QTest::qWaitFor([&] { return QApplication::clipboard()->text() == copied; }, 500));
        QCOMPARE(form->Label5->focusPolicy(), Qt::NoFocus);
    }

    void clearEmptiesTheWindowAndDisablesSolve()
    {
        click(form->Button2); // on an empty window: nothing changes
        QCOMPARE(form->Label5->text(), QString());
        QVERIFY(!form->Button1->isEnabled());
        QVERIFY(boxes->take().empty());

        type(form->Edit1, "1");
        type(form->Edit2, "-3");
        type(form->Edit3, "2");
        click(form->Button1);
        QCOMPARE(form->Label5->text(), QString("x1= 2; x2= 1"));
        click(form->Button2);
        for (TEdit* edit : { form->Edit1, form->Edit2, form->Edit3 })
            QCOMPARE(edit->text(), QString());
        QCOMPARE(form->Label5->text(), QString());
        QVERIFY(!form->Button1->isEnabled());
        QCOMPARE(focused(), form->Button2);
    }

    void clearWithOnlyOneFieldFilledStillDisablesSolve()
    {
        type(form->Edit2, "4");
        QVERIFY(form->Button1->isEnabled());
        click(form->Button2);
        QVERIFY(!form->Button1->isEnabled());
    }

    void exitEndsTheEventLoopWithCodeZero()
    {
        QTimer::singleShot(0, form.get(), [this] { click(form->Button3); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(99); });
        watchdog.start(5000);
        const int code = QApplication::exec();
        QCOMPARE(code, 0);
        QVERIFY(!form->isVisible());
    }

    void windowManagerCloseEndsTheLoopTheSameWay()
    {
        QTimer::singleShot(0, form.get(), [this] { form->close(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!form->isVisible());
    }
};

QUADRATIC_GUI_TEST_MAIN(CommandsTest)

#include "CommandsTest.moc"
