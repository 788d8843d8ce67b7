#include "Forms.h"

#include "ExtCtrls.h"
#include "StdCtrls.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QFont>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLinearGradient>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

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

// A label that announces its changes (the result line): a label whose text a
// screen reader can read as text, so that a change reaches it as a
// text-changed event (and, from Qt 6.8 on, as an announcement) although the
// label never takes the focus.
class LiveLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LiveLabelAccessible(TLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? label()->text() : QAccessibleWidget::text(which);
    }

    QString text(int start, int end) const override
    {
        return label()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(label()->text().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TLabel* label() const { return static_cast<TLabel*>(widget()); }
};

// Screen readers meet a form as a window and a picture as a graphic, not as
// the anonymous panels that plain Qt widgets are announced as.
QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* form = qobject_cast<TForm*>(object); form && form->isWindow())
        return new QAccessibleWidget(form, QAccessible::Window);
    if (auto* image = qobject_cast<TImage*>(object))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    if (auto* label = qobject_cast<TLabel*>(object); label && label->Live())
        return new LiveLabelAccessible(label);
    return nullptr;
}

// The title strip of a form on Wayland: the window's icon and caption on the
// title bar's colours, and a drag that moves the window. It has no buttons,
// as the form's border icons ask.
class TitleBar : public QWidget {
public:
    explicit TitleBar(QWidget* form)
        : QWidget(form)
    {
        setObjectName("TitleBar");
        setAttribute(Qt::WA_OpaquePaintEvent);
        QFont font = form->font();
        font.setPixelSize(12);
        font.setBold(true);
        setFont(font);
    }

    static constexpr int kHeight = 26;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool active = window()->isActiveWindow();
        QLinearGradient gradient(0, 0, width(), 0);
        gradient.setColorAt(0, active ? QColor(0x3E, 0x6E, 0xB4) : QColor(0x84, 0x94, 0xA8));
        gradient.setColorAt(1, active ? QColor(0xB9, 0xD1, 0xEA) : QColor(0xC8, 0xD0, 0xDA));
        painter.fillRect(rect(), gradient);
        const int iconSize = 16;
        const int margin = (height() - iconSize) / 2;
        window()->windowIcon().paint(&painter, QRect(margin, margin, iconSize, iconSize));
        painter.setPen(active ? Qt::white : QColor(0xF0, 0xF0, 0xF0));
        const QRect textRect = rect().adjusted(iconSize + 2 * margin, 0, -margin, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
            fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, textRect.width()));
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && window()->windowHandle())
            window()->windowHandle()->startSystemMove();
    }

    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
            update();
        return QWidget::event(event);
    }
};

// While the platform starts, Qt's own messages are held back: a platform that
// cannot start ends in a fatal message and an abort, which become one Russian
// line naming the display and exit code 1. After a good start the held
// messages are passed on as Qt would have printed them.
class StartupMessages {
public:
    static void Begin() { s_previous = qInstallMessageHandler(handle); }

    static void End()
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

private:
    struct Held {
        QtMsgType type;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", failureMessage().toUtf8().constData());
            std::fflush(stderr);
            std::_Exit(1);
        }
        std::lock_guard lock(s_mutex);
        s_held.push_back({ type, text });
    }

    // Names what the platforms in QT_QPA_PLATFORM tried to reach.
    static QString failureMessage()
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

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::mutex s_mutex;
    static inline std::vector<Held> s_held;
};

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
    // On a Wayland session the program is a Wayland client (Qt alone would
    // fall back to XWayland on some desktops); X11 remains the fallback.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    StartupMessages::Begin();
    m_qt = std::make_unique<GuardedApplication>(m_argc, m_argv);
    StartupMessages::End();

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
    QMessageBox box(QMessageBox::Critical, "Ошибка", QString::fromUtf8(error.what()),
        QMessageBox::Ok, BoxOwner());
    box.setObjectName("ExceptionReport");
    box.setTextFormat(Qt::PlainText);
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

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        const bool onButton = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        for (TLabel* label : findChildren<TLabel*>()) {
            if (label->Selectable() && (label->hasSelectedText() || onButton)
                && label->CopyToClipboard()) {
                event->accept();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

QPoint PlaceInside(const QRect& available, const QSize& frame, const QPoint& wanted)
{
    if (frame.width() > available.width() || frame.height() > available.height())
        return available.topLeft();
    return { std::clamp(wanted.x(), available.left(),
                 available.left() + available.width() - frame.width()),
        std::clamp(
            wanted.y(), available.top(), available.top() + available.height() - frame.height()) };
}

// A window manager places the frame, whose size is known only once it is
// mapped: the position is checked then and corrected if the frame reaches
// beyond the screen. Wayland places windows itself.
void TForm::keepOnScreen()
{
    if (QGuiApplication::platformName().startsWith("wayland") || !screen())
        return;
    const QRect frame = frameGeometry();
    const QPoint target
        = PlaceInside(screen()->availableGeometry(), frame.size(), m_designedPosition);
    if (target != frame.topLeft())
        move(target);
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed || !property("Left").isValid())
        return;
    m_placed = true;
    keepOnScreen();
    QTimer::singleShot(250, this, &TForm::keepOnScreen);
}

int TForm::FindHandler(const QVariant& name, const char* parameters) const
{
    const QByteArray handler = name.toByteArray();
    if (handler.isEmpty())
        return -1;
    const QByteArray signature = QMetaObject::normalizedSignature(handler + parameters);
    const int index = metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        throw Exception(
            "В описании формы указан неизвестный обработчик " + signature.toStdString());
    return index;
}

void TForm::addOwnTitleBar()
{
    m_titleBarHeight = TitleBar::kHeight;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() + m_titleBarHeight);
    resize(width(), height() + m_titleBarHeight);
    auto* bar = new TitleBar(this);
    bar->setGeometry(0, 0, width(), m_titleBarHeight);
}

void TForm::Loaded()
{
    const QVariant left = property("Left");
    const QVariant top = property("Top");
    if (left.isValid() && top.isValid()) {
        m_designedPosition = QPoint(left.toInt(), top.toInt());
        move(m_designedPosition);
    }

    // Only the icons the description lists appear in the title bar.
    const QStringList icons = property("BorderIcons").toString().split(',', Qt::SkipEmptyParts);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons.contains("biSystemMenu")) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (icons.contains("biMinimize"))
            flags |= Qt::WindowMinimizeButtonHint;
        if (icons.contains("biMaximize"))
            flags |= Qt::WindowMaximizeButtonHint;
    } else if (QGuiApplication::platformName().startsWith("wayland")) {
        // Qt's own Wayland title bar always shows minimise, maximise and
        // close, whatever the flags say; the form draws its own instead.
        addOwnTitleBar();
        flags = Qt::Window | Qt::FramelessWindowHint;
    }
    setWindowFlags(flags);

    if (property("BorderStyle").toString() == "bsSingle")
        setFixedSize(size());

    // Drawings made for small sizes (the title bar's 16 px, 24 px at 1.5×)
    // join the window icon; the main drawing serves every other size.
    const QStringList smallIcons = property("SmallIcons").toString().split(',', Qt::SkipEmptyParts);
    if (!smallIcons.isEmpty()) {
        // Each drawing at the size it was drawn for.
        const auto render = [](const QString& file) {
            QSvgRenderer drawing(file);
            QPixmap pixmap(drawing.defaultSize());
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            drawing.render(&painter);
            return pixmap;
        };
        QIcon icon;
        for (const QString& file : smallIcons)
            icon.addPixmap(render(file));
        for (const int size : { 32, 64, 128 }) // the sizes Qt gives X11 for an SVG icon
            icon.addPixmap(windowIcon().pixmap(QSize(size, size), 1.0));
        setWindowIcon(icon);
    }

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
