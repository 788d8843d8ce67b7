// The window as the user first sees it.
#include "FormTestBase.h"

class FormLayoutTest : public FormTestBase {
    Q_OBJECT

private slots:
    void init() { createForm(); }
    void cleanup() { destroyForm(); }

    void componentsHaveTheirPlaceTextAndFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        const auto row = [](const char* name, QRect geometry, const char* text, int pixelSize,
                             bool bold) {
            QTest::newRow(name) << name << geometry << QString::fromUtf8(text) << pixelSize << bold;
        };
        row("Label1", { 8, 0, 377, 25 }, "Введите любые действительные числа: a, b, c.", 13, false);
        row("Label2", { 16, 40, 33, 25 }, "a", 16, true);
        row("Label3", { 136, 40, 41, 25 }, "b", 16, true);
        row("Label4", { 272, 40, 49, 25 }, "c", 16, true);
        row("Label5", { 8, 88, 393, 57 }, "", 13, false);
        row("Edit1", { 56, 40, 65, 21 }, "", 11, false);
        row("Edit2", { 184, 40, 73, 21 }, "", 11, false);
        row("Edit3", { 320, 40, 73, 21 }, "", 11, false);
        row("Button1", { -8, 352, 129, 41 }, "Решать", 13, false);
        row("Button2", { 136, 352, 121, 41 }, "Очистить", 13, false);
        row("Button3", { 272, 352, 113, 41 }, "Выход", 11, false);
        row("Image1", { 80, 160, 185, 185 }, "", 11, false);
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
        QVERIFY(!form->windowIcon().isNull());
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
        QCOMPARE(form->Label5->accessibleDescription(), QString("Результат"));
        QVERIFY(!form->Image1->accessibleDescription().isEmpty());
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
};

int runFormLayoutTest(int argc, char** argv)
{
    FormLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormLayoutTest.moc"
