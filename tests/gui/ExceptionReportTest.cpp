// Exceptions that escape a handler are reported and the program goes on;
// a failed start-up is reported and ends with a non-zero exit code.
#include "Forms.h"
#include "ModalWatcher.h"
#include "StdCtrls.h"

#include <QDir>
#include <QFileInfo>
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

// Throws from its own event code, outside any handler, on the first event
// it is sent; counts the events after that.
class ThrowingObject : public QObject {
public:
    explicit ThrowingObject(bool ownType)
        : m_ownType(ownType)
    {
    }
    int laterEvents = 0;

protected:
    void customEvent(QEvent*) override
    {
        if (m_thrown) {
            ++laterEvents;
            return;
        }
        m_thrown = true;
        if (m_ownType)
            throw Exception("Сбой вне обработчика");
        throw std::runtime_error("not shown");
    }

private:
    bool m_ownType;
    bool m_thrown = false;
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
        QCOMPARE(seen[0].parent, &form);
        QVERIFY(seen[0].modal);

        // The event loop still delivers events to the window.
        FailingForm again("Count");
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTest::mouseClick(again.button, Qt::LeftButton);
        QTest::mouseClick(again.button, Qt::LeftButton);
        QCOMPARE(again.clicks, 2);
        QVERIFY(boxes.take().empty());
    }

    // An exception from outside any handler (here a widget's own event
    // code) is caught around the event's delivery and reported after it.
    void exceptionOutsideTheHandlersIsReportedAfterTheEvent_data()
    {
        QTest::addColumn<bool>("ownType");
        QTest::addColumn<QString>("message");
        QTest::newRow("Exception shows its message") << true << "Сбой вне обработчика";
        QTest::newRow("another type shows an empty message") << false << "";
    }

    void exceptionOutsideTheHandlersIsReportedAfterTheEvent()
    {
        QFETCH(bool, ownType);
        QFETCH(QString, message);
        ModalWatcher boxes;
        ThrowingObject object(ownType);
        QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
        std::vector<SeenBox> seen;
        QVERIFY(QTest::qWaitFor([&] { return !(seen = boxes.take()).empty(); }, 2000));
        QCOMPARE(seen[0].objectName, QString("ExceptionReport"));
        QCOMPARE(seen[0].text, message);
        QCoreApplication::postEvent(&object, new QEvent(QEvent::User)); // the loop goes on
        QVERIFY(QTest::qWaitFor([&] { return object.laterEvents == 1; }, 2000));
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

    // Without a display to reach, or with a platform that cannot start, the
    // program says so in one Russian line and exits with code 1: no abort.
    void failedStartIsOneClearLine_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("waylandDisplay");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("said");
        QTest::newRow("no display at all") << ""
                                           << ""
                                           << ""
                                           << "нет графического экрана";
        QTest::newRow("X11 display that does not answer")
            << ":12345"
            << ""
            << ""
            << "не удалось подключиться к графическому экрану X11 «:12345» (DISPLAY)";
        QTest::newRow("Wayland socket that does not exist")
            << ""
            << "no-such-socket"
            << ""
            << "не удалось подключиться к графическому экрану Wayland «no-such-socket» "
               "(WAYLAND_DISPLAY) или X11 (DISPLAY не задан)";
        QTest::newRow("platform that does not exist")
            << ":12345"
            << ""
            << "nosuchplatform"
            << "не удалось запустить графическую платформу «nosuchplatform»";
    }

    void failedStartIsOneClearLine()
    {
        QFETCH(QString, display);
        QFETCH(QString, waylandDisplay);
        QFETCH(QString, platform);
        QFETCH(QString, said);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const auto set = [&](const char* name, const QString& value) {
            value.isEmpty() ? env.remove(name) : env.insert(name, value);
        };
        set("DISPLAY", display);
        set("WAYLAND_DISPLAY", waylandDisplay);
        set("QT_QPA_PLATFORM", platform);
        env.insert("XDG_RUNTIME_DIR", QDir::tempPath());
        process.setProcessEnvironment(env);
        QVERIFY(QFileInfo(QUADRATIC_BINARY).isExecutable());
        process.start(QUADRATIC_BINARY, {});
        // qemu-user runs no child process for Qt 6.8 (its clone flags): there
        // the start-up is checked natively only.
        if (!process.waitForStarted(60000) && process.error() == QProcess::FailedToStart)
            QSKIP("this system cannot start a child process from Qt");
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        const QString err = QString::fromUtf8(process.readAllStandardError()).trimmed();
        QVERIFY2(err.startsWith("Квадратное уравнение: ") && err.contains(said), qPrintable(err));
        QCOMPARE(err.count('\n'), 0);
    }
};

QUADRATIC_GUI_TEST_MAIN(ExceptionReportTest)

#include "ExceptionReportTest.moc"
