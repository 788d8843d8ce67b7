// Exceptions that escape a handler are reported and the program goes on;
// a failed start-up is reported and ends with a non-zero exit code.
#include "Forms.h"
#include "ModalWatcher.h"
#include "StdCtrls.h"

#include <QProcess>
#include <QTest>

#include <stdexcept>

// A form whose handlers fail, wired the way a form description wires them.
class FailingForm : public TForm {
    Q_OBJECT

public:
    explicit FailingForm(const char* handler)
        : TForm(nullptr)
        , button(new TButton(this))
        , field(new TEdit(this))
    {
        button->setProperty("OnClick", QByteArray(handler));
        field->setProperty("OnKeyPress", QByteArray("FailingKeyPress"));
        field->move(0, 50);
        Loaded();
    }

    TButton* button;
    TEdit* field;
    int clicks = 0;

public slots:
    void RaiseException(TObject*) { throw Exception("Сбой обработчика"); }
    void RaiseOther(TObject*) { throw std::runtime_error("not shown"); }
    void Count(TObject*) { ++clicks; }
    void FailingKeyPress(TObject*, QChar& Key)
    {
        if (Key == 'x')
            throw Exception("Плохая клавиша");
    }
};

class ExceptionReportTest : public QObject {
    Q_OBJECT

private slots:
    void escapedExceptionIsReportedAndTheLoopGoesOn_data()
    {
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<QString>("message");
        QTest::newRow("Exception shows its message")
            << QByteArray("RaiseException") << "Сбой обработчика";
        QTest::newRow("another type shows an empty message") << QByteArray("RaiseOther") << "";
    }

    void escapedExceptionIsReportedAndTheLoopGoesOn()
    {
        QFETCH(QByteArray, handler);
        QFETCH(QString, message);
        ModalWatcher boxes;
        FailingForm form(handler.constData());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.button, Qt::LeftButton);
        const auto seen = boxes.take();
        QCOMPARE(seen.size(), 1u);
        QCOMPARE(seen[0].objectName, QString("ExceptionReport"));
        QCOMPARE(seen[0].text, message);
        QCOMPARE(seen[0].icon, QMessageBox::Critical);

        // The event loop still delivers events to the window.
        FailingForm again("Count");
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTest::mouseClick(again.button, Qt::LeftButton);
        QTest::mouseClick(again.button, Qt::LeftButton);
        QCOMPARE(again.clicks, 2);
        QVERIFY(boxes.take().empty());
    }

    void keystrokeWhoseFilterFailedIsDropped()
    {
        ModalWatcher boxes;
        FailingForm form("Count");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClicks(form.field, "axb");
        QCOMPARE(form.field->text(), QString("ab"));
        const auto seen = boxes.take();
        QCOMPARE(seen.size(), 1u);
        QCOMPARE(seen[0].text, QString("Плохая клавиша"));
    }

    void descriptionNamingAnUnknownHandlerFailsToLoad()
    {
        QVERIFY_THROWS_EXCEPTION(Exception, FailingForm("NoSuchHandler"));
    }

    void startWithoutDisplayFailsWithOneClearLine()
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.start(QUADRATIC_BINARY, {});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY(process.exitCode() != 0);
        const QString err = QString::fromUtf8(process.readAllStandardError()).trimmed();
        QVERIFY2(err.contains("нет графического экрана"), qPrintable(err));
        QCOMPARE(err.count('\n'), 0);
    }
};

int runExceptionReportTest(int argc, char** argv)
{
    ExceptionReportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ExceptionReportTest.moc"
