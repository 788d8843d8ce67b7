// Twenty thousand random real events on the window, with the window's
// promises checked after every one.
#include "FormTestBase.h"

#include <QClipboard>

#include <random>

class MonkeyTest : public FormTestBase {
    Q_OBJECT

    std::mt19937 rng { 20261207 };
    int lastChanged = 0; // the field whose text changed last, 1 to 3; 0 before any change
    bool changedNow = false;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    QString randomText()
    {
        static const QString alphabet = "0123456789..,,--+eEабв xX";
        if (pick(500) == 0)
            return QString(1 << 20, '7'); // a 1 MB text
        QString text;
        const int length = pick(12);
        for (int i = 0; i < length; ++i)
            text += alphabet[pick(alphabet.size())];
        return text;
    }

    // One random thing a user can do with keyboard or mouse; returns its name.
    QString act()
    {
        // Keys go where the window's focus is; the offscreen platform does not
        // always give the window back the input focus after a message box,
        // which a window manager would.
        QWidget* target = form->focusWidget();
        const int kind = pick(100);
        if (kind < 35) {
            static const QString keys = "0123456789.,-+eaz ";
            const QChar key = keys[pick(keys.size())];
            type(target, key);
            return QString("type '%1'").arg(key);
        }
        if (kind < 40) {
            static const QString cyrillic = "жЖяюё";
            QTest::sendKeyEvent(
                QTest::Click, target, Qt::Key_unknown, QString(cyrillic[pick(5)]), Qt::NoModifier);
            return "type Cyrillic";
        }
        if (kind < 52) {
            QTest::keyClick(target, Qt::Key_Backspace);
            return "Backspace";
        }
        if (kind < 55) {
            QTest::keyClick(target, Qt::Key_Delete);
            return "Delete";
        }
        if (kind < 62) {
            QTest::keyClick(target, Qt::Key_Return);
            return "Enter";
        }
        if (kind < 69) {
            QTest::keyClick(target, pick(2) ? Qt::Key_Tab : Qt::Key_Backtab);
            return "Tab";
        }
        if (kind < 75) {
            QApplication::clipboard()->setText(randomText());
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            return "paste";
        }
        if (kind < 83) {
            click(field(1 + pick(3)));
            return "click a field";
        }
        if (kind < 95) {
            click(form->Button1);
            return "click Solve";
        }
        click(form->Button2);
        return "click Clear";
    }

    void checkBoxes(const QString& event)
    {
        for (const SeenBox& box : boxes->take()) {
            const bool missing = box.objectName == "MessageDlg"
                && box.text == "Надо ввести значения параметров a,b,c";
            const bool reported = box.objectName == "ExceptionReport" && !box.text.isEmpty()
                && box.text.size() < 200;
            QVERIFY2(missing || reported, qPrintable(event + ": unexpected box " + box.text));
        }
    }

private slots:
    void init()
    {
        createForm();
        for (int i = 1; i <= 3; ++i)
            connect(field(i), &QLineEdit::textChanged, this, [this, i] {
                lastChanged = i;
                changedNow = true;
            });
    }

    void randomEventsKeepTheWindowsPromises()
    {
        // On Wayland every message box waits for the compositor to show its
        // frame (see the watcher), which makes each event slower; fewer events
        // there keep the run short, as QUADRATIC_MONKEY_EVENTS does under an
        // emulated processor.
        const int events = qEnvironmentVariableIntValue("QUADRATIC_MONKEY_EVENTS") > 0
            ? qEnvironmentVariableIntValue("QUADRATIC_MONKEY_EVENTS")
            : QGuiApplication::platformName().startsWith("wayland") ? 4000
                                                                    : 20000;
        for (int n = 0; n < events; ++n) {
            if (n % 2 == 0)
                DecimalSeparator = pick(4) == 0 ? ',' : '.';
            changedNow = false;
            const QString event = QString("event %1 (%2)").arg(n).arg(act());
            checkBoxes(event);

            const bool solveExpected = lastChanged != 0 && !field(lastChanged)->text().isEmpty();
            QVERIFY2(
                form->Button1->isEnabled() == solveExpected, qPrintable(event + ": Solve state"));
            if (changedNow)
                QVERIFY2(
                    form->Label5->text().isEmpty(), qPrintable(event + ": result after an edit"));
            const QString result = form->Label5->text();
            QVERIFY2(!result.contains("inf", Qt::CaseInsensitive)
                    && !result.contains("nan", Qt::CaseInsensitive),
                qPrintable(event + ": " + result));
            QWidget* focus = form->focusWidget();
            const QList<QWidget*> controls = { form->Edit1, form->Edit2, form->Edit3, form->Button1,
                form->Button2, form->Button3 };
            QVERIFY2(focus && controls.contains(focus) && focus->isEnabled(),
                qPrintable(event + ": focus on " + (focus ? focus->objectName() : "nothing")));
        }
        qInfo("%d events, all promises kept", events);
    }
};

QUADRATIC_GUI_TEST_MAIN(MonkeyTest)

#include "MonkeyTest.moc"
