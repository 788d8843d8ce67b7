#include "Application.h"

#include "Accessibility.h"
#include "Dialogs.h"
#include "Forms.h"
#include "StartupMessages.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

TApplication* Application = nullptr;

namespace {

// QApplication with a last resort: an exception that escapes event delivery
// despite the dispatch point is reported after the event, never from inside
// notify (a modal box there can recurse into painting).
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            queueReport(dynamic_cast<const Exception*>(&error) ? error.what() : "");
        } catch (...) {
            queueReport("");
        }
        return false;
    }

private:
    static void queueReport(std::string message)
    {
        QMetaObject::invokeMethod(
            qApp,
            [message] {
                if (Application)
                    Application->ShowException(Exception(message));
            },
            Qt::QueuedConnection);
    }
};

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : m_argc(argc)
    , m_argv(argv)
{
    Application = this;
}

TApplication::~TApplication()
{
    m_forms.clear();
    Application = nullptr;
}

void TApplication::Initialize()
{
    if (!DisplayAvailable())
        throw Exception("Квадратное уравнение: нет графического экрана (не заданы DISPLAY и "
                        "WAYLAND_DISPLAY), окно показать негде.");
    // On a Wayland session the program is a Wayland client (Qt alone would
    // fall back to XWayland on some desktops); X11 remains the fallback.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    StartupMessages::Begin();
    m_qt = std::make_unique<GuardedApplication>(m_argc, m_argv);
    StartupMessages::End();

    // The texts are Russian, so Qt's own (context menus of the fields) are
    // too. No such text is on the first frame: they are loaded once the event
    // loop runs, after the main form is shown.
    QTimer::singleShot(0, m_qt.get(), [app = m_qt.get()] {
        auto* translator = new QTranslator(app);
        if (translator->load(QLocale(QLocale::Russian), "qtbase", "_",
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
    });

    InstallAccessibility();
    QFont::insertSubstitutions("MS Sans Serif", { "DejaVu Sans", "Liberation Sans", "Sans Serif" });

    const QString point = QLocale::system().decimalPoint();
    DecimalSeparator = (point.size() == 1 && point[0].unicode() < 0x80)
        ? static_cast<char>(point[0].unicode())
        : '.';
}

void TApplication::adopt(std::unique_ptr<TForm> form) { m_forms.push_back(std::move(form)); }

TForm* TApplication::MainForm() const { return m_forms.empty() ? nullptr : m_forms.front().get(); }

int TApplication::Run()
{
    if (TForm* form = MainForm())
        form->show();
    return QApplication::exec();
}

QWidget* TApplication::BoxOwner()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (Application && Application->MainForm() && Application->MainForm()->isVisible())
        return Application->MainForm();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm*>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

void TApplication::ShowException(const std::exception& error)
{
    if (!qApp) {
        std::fprintf(stderr, "%s\n", error.what());
        return;
    }
    ShowExceptionReport(error.what());
}

bool TApplication::Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception(""));
    }
    return false;
}
