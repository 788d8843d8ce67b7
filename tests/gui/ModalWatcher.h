// Answers every modal message box a GUI test opens, so that no test can hang
// on one, and keeps what each box said for the test to check.
#pragma once

#include "Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <vector>

struct SeenBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon;
    Qt::TextFormat format;
    QStringList buttons;
    QWidget* parent; // a box is modal to the window it belongs to
    bool modal;
};

// The offscreen platform warns each time a fixed-size box is shown; the
// warning says nothing about the program, so it is dropped before Qt Test
// counts it.
inline void dropOffscreenSizeHintWarnings()
{
    static QtMessageHandler testLogger = nullptr;
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    testLogger = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains("does not support propagateSizeHints"))
                testLogger(type, context, message);
        });
}

// The entry of each GUI test suite: the real application object, on the
// offscreen platform unless the environment chooses one; Qt's test places,
// and settings of each run's own (a suite's two platforms may run at once).
#define QUADRATIC_GUI_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        const QTemporaryDir settings;                                                              \
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());        \
        TApplication application(argc, argv);                                                      \
        Application->Initialize();                                                                 \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

class ModalWatcher : public QObject {
public:
    ModalWatcher()
    {
        dropOffscreenSizeHintWarnings();
        m_timer.setInterval(2);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
        m_timer.start();
    }

    // The boxes answered since the last call.
    std::vector<SeenBox> take() { return std::exchange(m_seen, {}); }

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != m_pending) {
            m_pending = box;
            m_shownFor.start();
        }
        if (!box)
            return;
        // Answer only once the box is on screen, and on Wayland not faster
        // than a person could: Qt 6.4 can trip over a surface destroyed
        // while its first frame is still pending.
        const bool wayland = QGuiApplication::platformName().startsWith("wayland");
        if (!box->windowHandle() || !box->windowHandle()->isExposed()
            || m_shownFor.elapsed() < (wayland ? 30 : 0))
            return;
        m_pending = nullptr;
        SeenBox seen { box->objectName(), box->windowTitle(), box->text(), box->icon(),
            box->textFormat(), {}, box->parentWidget(), box->isModal() };
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        m_seen.push_back(seen);
        // Answer the way a user would: press the box's first button.
        if (!box->buttons().isEmpty())
            box->buttons().first()->click();
        else
            box->reject();
    }

    QTimer m_timer;
    std::vector<SeenBox> m_seen;
    QMessageBox* m_pending = nullptr;
    QElapsedTimer m_shownFor;
};
