// The entry function: answers --help and --version without a window, else
// brings up the application object, creates the main window and runs the
// event loop. A failure to start is reported once and ends the program with
// a non-zero exit code.
#include "Forms.h"
#include "Unit1.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

namespace {

// Read before any application object exists, so that neither needs a
// display; every other argument is left to Qt or ignored, as before.
bool answeredFromCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help({ "h", "help" }, "");
    const QCommandLineOption version({ "v", "version" }, "");
    parser.addOption(help);
    parser.addOption(version);
    parser.parse(arguments);
    QString text;
    if (parser.isSet(help))
        text = "Использование: quadratic [--help] [--version]\n"
               "Решает уравнение a·x² + b·x + c = 0 в окне «" QUADRATIC_TITLE "».\n"
               "\n"
               "  -h, --help     показать эту справку и выйти\n"
               "  -v, --version  показать версию и выйти\n";
    else if (parser.isSet(version))
        text = QUADRATIC_TITLE ", версия " QUADRATIC_VERSION "\n";
    else
        return false;
    std::fputs(text.toUtf8().constData(), stdout);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (answeredFromCommandLine(argc, argv))
        return 0;
    TApplication application(argc, argv);
    try {
        Application->Initialize();
        // Ties the window to its desktop entry (icon, and the app id on Wayland).
        QGuiApplication::setDesktopFileName(QUADRATIC_APP_ID);
        Application->CreateForm(&Form1);
        return Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 1;
}
