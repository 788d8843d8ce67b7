// The application object and the form base class: the thin layer that gives
// the window code the framework it was designed for, on top of Qt Widgets.
//
// A form is built from its form description (a Qt Designer .ui file). Besides
// geometry and texts, the description holds the wiring as data: each control
// names its handlers in dynamic properties (OnClick, OnChange, OnKeyPress) and
// the form finds them among its slots by name. Every handler is called through
// TApplication::Dispatch, the one place where an exception that escapes a
// handler is caught and reported, so no exception ever unwinds through Qt.
#pragma once

#include "SysUtils.h"

#include <QApplication>
#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

using TObject = QObject;

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

    TForm* MainForm() const { return m_forms.empty() ? nullptr : m_forms.front().get(); }

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

class TForm : public QWidget {
    Q_OBJECT

public:
    explicit TForm(QWidget* owner);

    // Closes the form; closing the main form ends TApplication::Run.
    void Close();

    // Calls the handler slot at `method` with the arguments (by reference, so
    // a handler may change them) through the application's dispatch point.
    template <typename... Args> bool CallHandler(int method, Args&... args)
    {
        if (method < 0)
            return true;
        void* argv[] = { nullptr, static_cast<void*>(&args)... };
        return Application->Dispatch(
            [&] { qt_metacall(QMetaObject::InvokeMetaMethod, method, argv); });
    }

    // The index of the handler slot named `name` with the given parameter
    // list; -1 for an empty name. Raises Exception when the description names
    // a handler the form does not have.
    int FindHandler(const QVariant& name, const char* parameters) const;

    // The height of the title strip the form draws itself (on Wayland), or 0.
    int TitleBarHeight() const { return m_titleBarHeight; }

protected:
    // Copy (Ctrl+C, Ctrl+Insert) that no field took: the selection of a
    // selectable label, or with the focus on a button its whole text.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Applies the form-level properties of the description (position, border
    // style and icons) and binds the controls' events. A form's constructor
    // calls it right after setupUi.
    void Loaded();

private:
    void addOwnTitleBar();
    void keepOnScreen();

    int m_titleBarHeight = 0;
    QPoint m_designedPosition;
    bool m_placed = false;
};

// Where a window of outer size `frame` that asks for `wanted` opens within the
// screen's `available` area: where it asked, moved just enough to lie inside
// when it fits, and at the area's top-left corner when it does not.
QPoint PlaceInside(const QRect& available, const QSize& frame, const QPoint& wanted);
