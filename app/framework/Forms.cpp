#include "Forms.h"

#include "StdCtrls.h"

#include "ExtCtrls.h"

#include <QAccessibleWidget>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

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

// Screen readers meet a form as a window and a picture as a graphic, not as
// the anonymous panels that plain Qt widgets are announced as.
QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* form = qobject_cast<TForm*>(object); form && form->isWindow())
        return new QAccessibleWidget(form, QAccessible::Window);
    if (auto* image = qobject_cast<TImage*>(object))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    return nullptr;
}

bool displayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

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
    if (!displayAvailable())
        throw Exception("Квадратное уравнение: нет графического экрана (не заданы DISPLAY и "
                        "WAYLAND_DISPLAY), окно показать негде.");
    m_qt = std::make_unique<GuardedApplication>(m_argc, m_argv);

    // The texts are Russian, so Qt's own (context menus of the fields) are too.
    auto* translator = new QTranslator(m_qt.get());
    if (translator->load(QLocale(QLocale::Russian), "qtbase", "_",
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);

    QAccessible::installFactory(accessibleFor);
    QFont::insertSubstitutions("MS Sans Serif", { "DejaVu Sans", "Liberation Sans", "Sans Serif" });

    const QString point = QLocale::system().decimalPoint();
    DecimalSeparator = (point.size() == 1 && point[0].unicode() < 0x80)
        ? static_cast<char>(point[0].unicode())
        : '.';
}

void TApplication::adopt(std::unique_ptr<TForm> form) { m_forms.push_back(std::move(form)); }

int TApplication::Run()
{
    if (TForm* form = MainForm())
        form->show();
    return QApplication::exec();
}

void TApplication::ShowException(const std::exception& error)
{
    if (!qApp) {
        std::fprintf(stderr, "%s\n", error.what());
        return;
    }
    QMessageBox box(QMessageBox::Critical, "Ошибка",
        QString::fromUtf8(error.what()), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName("ExceptionReport");
    box.button(QMessageBox::Ok)->setText("ОК");
    box.exec();
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

TForm::TForm(QWidget* owner)
    : QWidget(owner)
{
}

void TForm::Close() { close(); }

int TForm::FindHandler(const QVariant& name, const char* parameters) const
{
    const QByteArray handler = name.toByteArray();
    if (handler.isEmpty())
        return -1;
    const QByteArray signature = QMetaObject::normalizedSignature(handler + parameters);
    const int index = metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        throw Exception("В описании формы указан неизвестный обработчик " + signature.toStdString());
    return index;
}

void TForm::Loaded()
{
    const QVariant left = property("Left");
    const QVariant top = property("Top");
    if (left.isValid() && top.isValid())
        move(left.toInt(), top.toInt());

    if (property("BorderStyle").toString() == "bsSingle")
        setFixedSize(size());

    // Only the icons the description lists appear in the title bar.
    const QStringList icons = property("BorderIcons").toString().split(',', Qt::SkipEmptyParts);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons.contains("biSystemMenu")) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (icons.contains("biMinimize"))
            flags |= Qt::WindowMinimizeButtonHint;
        if (icons.contains("biMaximize"))
            flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);

    // Font heights are pixel heights (negative, as the description stores
    // them); a control without one takes the form's.
    const auto applyFontHeight = [](QWidget* widget) {
        const QVariant height = widget->property("FontHeight");
        if (!height.isValid())
            return;
        QFont font = widget->font();
        font.setPixelSize(std::abs(height.toInt()));
        widget->setFont(font);
    };
    applyFontHeight(this);
    for (QWidget* child : findChildren<QWidget*>())
        applyFontHeight(child);

    for (TEdit* edit : findChildren<TEdit*>())
        edit->Bind(this);
    for (TButton* button : findChildren<TButton*>())
        button->Bind(this);
}
