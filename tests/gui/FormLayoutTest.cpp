// The window as the user first sees it.
#include "FormTestBase.h"
#include "Placement.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

class FormLayoutTest : public FormTestBase {
    Q_OBJECT

private slots:
    void componentsHaveTheirPlaceTextAndFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        // The component's name is the tag and the first column.
        const auto component = [](const char* name, QRect geometry, const char* text, int pixelSize,
                                   bool bold) { row(name, name, geometry, text, pixelSize, bold); };
        component(
            "Label1", { 8, 0, 377, 25 }, "Введите любые действительные числа: a, b, c.", 13, false);
        component("Label2", { 16, 40, 33, 25 }, "a", 16, true);
        component("Label3", { 136, 40, 41, 25 }, "b", 16, true);
        component("Label4", { 272, 40, 49, 25 }, "c", 16, true);
        component("Label5", { 8, 88, 393, 57 }, "", 13, false);
        component("Edit1", { 56, 40, 65, 21 }, "", 11, false);
        component("Edit2", { 184, 40, 73, 21 }, "", 11, false);
        component("Edit3", { 320, 40, 73, 21 }, "", 11, false);
        component("Button1", { -8, 352, 129, 41 }, "Решать", 13, false);
        component("Button2", { 136, 352, 121, 41 }, "Очистить", 13, false);
        component("Button3", { 272, 352, 113, 41 }, "Выход", 11, false);
        component("Image1", { 80, 160, 185, 185 }, "", 11, false);
    }

    void componentsHaveTheirPlaceTextAndFont()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        auto* widget = form->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), QString("ClientArea"));
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->property("text").toString(), text);
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);
    }

    void fieldsAreTheTypedPointersOfTheForm()
    {
        QCOMPARE(form->Edit1, form->findChild<TEdit*>("Edit1"));
        QCOMPARE(form->Edit3, form->findChild<TEdit*>("Edit3"));
        QCOMPARE(form->Label5, form->findChild<TLabel*>("Label5"));
        QCOMPARE(form->Button1, form->findChild<TButton*>("Button1"));
        QCOMPARE(form->Image1, form->findChild<TImage*>("Image1"));
    }

    void windowIsFixedWithNoCloseBox()
    {
        QCOMPARE(form->windowTitle(), QString("Квадратное уравнение"));
        const QWidget* client = form->findChild<QWidget*>("ClientArea");
        const int bar = form->TitleBarHeight();
        QCOMPARE(client->geometry(), QRect(1, 1 + bar, 397, 399)); // a one-pixel border around it
        QCOMPARE(form->size(), QSize(399, 401 + bar));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        if (QGuiApplication::platformName().startsWith("wayland")) {
            // Qt's Wayland title bar would offer minimise, maximise and close:
            // the form draws its own strip with the caption only.
            QVERIFY(flags & Qt::FramelessWindowHint);
            QVERIFY(bar > 0);
            const QWidget* strip = form->findChild<QWidget*>("TitleBar");
            QVERIFY(strip);
            QCOMPARE(strip->geometry(), QRect(0, 0, 399, bar));
        } else {
            QCOMPARE(bar, 0);
            QVERIFY(flags & Qt::CustomizeWindowHint);
            QVERIFY(flags & Qt::WindowTitleHint);
        }
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        // Small sizes come from their own crisp drawings: a lit window is one
        // whole pixel of pure yellow at 16 px, not a blend scaled down.
        // The icon joins after the first frame.
        QTRY_VERIFY(form->windowIcon().availableSizes().contains(QSize(16, 16)));
        const QIcon icon = form->windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(24, 24)));
        QVERIFY(icon.availableSizes().contains(QSize(128, 128)));
        QCOMPARE(icon.pixmap(16).toImage().pixelColor(1, 8), QColor(0xFF, 0xD5, 0x4A));
        QCOMPARE(icon.pixmap(24).toImage().pixelColor(7, 4), QColor(0xFF, 0xD5, 0x4A));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(0xB9, 0xD1, 0xEA));
    }

    void startsEmptyWithSolveDisabledAndFocusInA()
    {
        QVERIFY(!form->Button1->isEnabled());
        QVERIFY(form->Button2->isEnabled());
        QVERIFY(form->Button3->isEnabled());
        QCOMPARE(form->Label5->text(), QString());
        QCOMPARE(focused(), form->Edit1);
    }

    void tabVisitsFieldsThenButtons()
    {
        form->Button1->SetEnabled(true);
        const QList<QWidget*> expected = { form->Edit2, form->Edit3, form->Button1, form->Button2,
            form->Button3, form->Edit1 };
        for (QWidget* next : expected) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            QCOMPARE(focused(), next);
        }
    }

    void labelsAndPictureTakeNoFocus()
    {
        for (QWidget* w : { static_cast<QWidget*>(form->Label1),
                 static_cast<QWidget*>(form->Label5), static_cast<QWidget*>(form->Image1) })
            QCOMPARE(w->focusPolicy(), Qt::NoFocus);
    }

    void screenReadersHearNamesAndTheResult()
    {
        QCOMPARE(form->Label2->buddy(), form->Edit1);
        QCOMPARE(form->Label3->buddy(), form->Edit2);
        QCOMPARE(form->Label4->buddy(), form->Edit3);
        QCOMPARE(form->Label5->accessibleDescription(),
            QString("Результат. Решение и график: Ctrl+R или контекстное меню"));
        QVERIFY(!form->Image1->accessibleDescription().isEmpty());
    }

    // The form keeps its light blue under a dark theme, so it keeps black text
    // on it too; the fields and buttons follow the theme and stay readable.
    void textStaysReadableUnderADarkTheme()
    {
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
        dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
        QApplication::setPalette(dark);
        TForm1 themed(nullptr);
        QApplication::setPalette(light);
        const auto luminance = [](const QColor& c) {
            const auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF())
                + 0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        const QColor back = themed.palette().color(QPalette::Window);
        QCOMPARE(back, QColor(0xB9, 0xD1, 0xEA));
        for (const TLabel* label : themed.findChildren<TLabel*>()) {
            const double ratio = contrast(label->palette().color(label->foregroundRole()), back);
            QVERIFY2(ratio >= 4.5, qPrintable(label->objectName() + QString(": %1").arg(ratio)));
        }
        for (const TEdit* edit : themed.findChildren<TEdit*>())
            QVERIFY(contrast(edit->palette().color(QPalette::Text),
                        edit->palette().color(QPalette::Base))
                >= 4.5);
        for (const TButton* button : themed.findChildren<TButton*>())
            QVERIFY(contrast(button->palette().color(QPalette::ButtonText),
                        button->palette().color(QPalette::Button))
                >= 4.5);
    }

    void startPositionStaysOnTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("placed");
        const QSize window(399, 421); // with a window manager's title bar
        row("fits where designed", QRect(0, 0, 1280, 800), window, QPoint(192, 107));
        row("panel on top, still fits", QRect(0, 32, 1280, 768), window, QPoint(192, 107));
        row("short screen: moved up", QRect(0, 0, 853, 500), window, QPoint(192, 79));
        row("small screen: moved up and left", QRect(0, 0, 500, 480), window, QPoint(101, 59));
        row("second screen to the right", QRect(1280, 0, 640, 480), window, QPoint(1280, 59));
        row("scale 2 on 1280x800: too tall, top-left", QRect(0, 0, 640, 400), window, QPoint(0, 0));
        row("too wide, top-left", QRect(0, 24, 390, 900), window, QPoint(0, 24));
    }

    void startPositionStaysOnTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, frame);
        QFETCH(QPoint, placed);
        QCOMPARE(PlaceInside(available, frame, QPoint(192, 107)), placed);
    }

    void pictureIsDrawnUnscaledFromTheTopLeft()
    {
        QCOMPARE(form->Image1->pictureSize(), QSize(168, 192));
        const QImage image = form->Image1->grab().toImage();
        const QColor back = form->palette().color(QPalette::Window);
        // The strip right of the picture stays empty; the picture reaches the bottom edge.
        for (int y = 0; y < 185; y += 7)
            QCOMPARE(image.pixelColor(175, y), back);
        bool paintedAtBottom = false;
        for (int x = 0; x < 168; ++x)
            paintedAtBottom |= image.pixelColor(x, 184) != back;
        QVERIFY(paintedAtBottom);
    }

    // The picture is replayed from its recording: the same pixels as its SVG
    // drawn at the same scale.
    void pictureMatchesItsDrawingAtEveryScale_data()
    {
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : { 1.0, 1.5, 2.0 })
            QTest::newRow(qPrintable(QString::number(scale))) << scale;
    }

    void pictureMatchesItsDrawingAtEveryScale()
    {
        QFETCH(qreal, scale);
        const auto canvas = [&] {
            QImage image(form->Image1->size() * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            return image;
        };
        QImage shown = canvas();
        form->Image1->render(&shown, {}, {}, QWidget::RenderFlags());
        QImage drawn = canvas();
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(QStringLiteral(QUADRATIC_DRAWINGS "/picture.svg"))
            .render(&painter, QRectF(0, 0, 168, 192));
        painter.end();
        QCOMPARE(shown, drawn);
    }
};

QUADRATIC_GUI_TEST_MAIN(FormLayoutTest)

#include "FormLayoutTest.moc"
