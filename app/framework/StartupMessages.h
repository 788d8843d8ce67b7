// The platform's start, and its one Russian line when it fails. While the
// platform starts, Qt's own messages are held back: a platform that cannot
// start ends in a fatal message and an abort, which become one Russian line
// naming the display and exit code 1. After a good start the held messages
// are passed on as Qt would have printed them.
#pragma once

#include <QString>
#include <QtGlobal>

#include <mutex>
#include <vector>

class StartupMessages {
public:
    static void Begin();
    static void End();

private:
    struct Held {
        QtMsgType type;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text);
    // Names what the platforms in QT_QPA_PLATFORM tried to reach.
    static QString failureMessage();

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::mutex s_mutex;
    static inline std::vector<Held> s_held;
};

// Whether a display to show a window on is named at all (DISPLAY or
// WAYLAND_DISPLAY), unless the platform asked for needs none.
bool DisplayAvailable();
