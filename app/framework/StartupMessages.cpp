#include "StartupMessages.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>

void StartupMessages::Begin() { s_previous = qInstallMessageHandler(handle); }

void StartupMessages::End()
{
    qInstallMessageHandler(s_previous);
    std::vector<Held> held;
    {
        std::lock_guard lock(s_mutex);
        held.swap(s_held);
    }
    for (const Held& message : held)
        qt_message_output(message.type, QMessageLogContext(), message.text);
}

void StartupMessages::handle(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", failureMessage().toUtf8().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    std::lock_guard lock(s_mutex);
    s_held.push_back({ type, text });
}

QString StartupMessages::failureMessage()
{
    QStringList reached;
    bool displays = true;
    const QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM", "xcb");
    for (const QString& platform : platforms.split(';', Qt::SkipEmptyParts)) {
        const QString name = platform.section(':', 0, 0);
        if (name == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY"))
            reached << "X11 (DISPLAY не задан)";
        else if (name == "xcb")
            reached << "X11 «" + qEnvironmentVariable("DISPLAY") + "» (DISPLAY)";
        else if (name.startsWith("wayland"))
            reached << "Wayland «" + qEnvironmentVariable("WAYLAND_DISPLAY", "wayland-0")
                    + "» (WAYLAND_DISPLAY)";
        else {
            reached << "«" + name + "»";
            displays = false;
        }
    }
    if (displays)
        return "Квадратное уравнение: не удалось подключиться к графическому экрану "
            + reached.join(" или ") + ", окно показать негде.";
    return "Квадратное уравнение: не удалось запустить графическую платформу "
        + reached.join(" или ") + ", окно показать негде.";
}

bool DisplayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
