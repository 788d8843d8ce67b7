// The application object: starts the toolkit, owns the forms and runs the
// event loop. It is also the one dispatch point through which every handler
// is called, so that an exception that escapes a handler is reported (the
// exception report) and never unwinds through Qt; a last-resort catch in Qt's
// event delivery queues its report instead of showing it there.
#pragma once

#include "SysUtils.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <vector>

class TForm;

class TApplication {
public:
    TApplication(int& argc, char** argv);
    ~TApplication();

    // Starts the toolkit and reads the user's locale (DecimalSeparator).
    // Raises Exception when there is no display to show a window on.
    void Initialize();

    // Creates a form; the first one created becomes the main form. The
    // application owns every form it creates.
    template <typename T> void CreateForm(T** reference)
    {
        auto form = std::make_unique<T>(nullptr);
        *reference = form.get();
        adopt(std::move(form));
    }

    // Shows the main form and runs the event loop until it closes.
    int Run();

    // The exception report: a modal error box with the exception's message.
    void ShowException(const std::exception& error);

    // Calls a handler; an exception that escapes it is reported by
    // ShowException and the program goes on. Returns false in that case.
    bool Dispatch(const std::function<void()>& handler);

    TForm* MainForm() const;

    // The window a message box belongs to and is modal to: the active one,
    // or where the platform names none (a compositor without a seat), the
    // main form, or else a visible form.
    static QWidget* BoxOwner();

private:
    void adopt(std::unique_ptr<TForm> form);

    int& m_argc;
    char** m_argv;
    std::unique_ptr<QApplication> m_qt;
    std::vector<std::unique_ptr<TForm>> m_forms;
};

// The one application object; set while a TApplication exists.
extern TApplication* Application;
