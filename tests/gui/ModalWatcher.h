// Answers every modal message box a GUI test opens, so that no test can hang
// on one, and keeps what each box said for the test to check.
#pragma once

#include "Forms.h"
#include "FrameWatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
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
            m_frames.reset();
        }
        if (!box || !box->windowHandle())
            return;
        // Answer only once the box is on screen, and on Wayland once the
        // compositor has shown its last frame: closing it while a frame is
        // still out races with Qt 6.4's frame thread (see FrameWatch).
        if (!m_frames && QGuiApplication::platformName().startsWith("wayland"))
            m_frames = std::make_unique<FrameWatch>(box);
        if (!box->windowHandle()->isExposed() || (m_frames && !m_frames->shown()))
            return;
        m_pending = nullptr;
        m_frames.reset();
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
    QPointer<QMessageBox> m_pending;
    std::unique_ptr<FrameWatch> m_frames; // the pending box's, on Wayland
};
