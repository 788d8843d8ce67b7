// The entry function: brings up the application object, creates the main
// window and runs the event loop. A failure to start is reported once and
// ends the program with a non-zero exit code.
#include "Forms.h"
#include "Unit1.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
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
