// A fresh main window per test, shown and active, with every modal box
// answered and recorded.
#pragma once

#include "ModalWatcher.h"
#include "Unit1.h"

#include <QClipboard>
#include <QTest>

#include <memory>

class FormTestBase : public QObject {
    Q_OBJECT

private slots:
    // Qt Test calls these around every test function of a suite.
    void init() { createForm(); }
    void cleanup() { destroyForm(); }

protected:
    // One row of a data-driven test: its tag, then a value for each column
    // in order (a C string for a QString column).
    template <typename... Values> static void row(const char* tag, Values... values)
    {
        (QTest::newRow(tag) << ... << values);
    }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<ModalWatcher> boxes;

    void createForm()
    {
        DecimalSeparator = '.';
        boxes = std::make_unique<ModalWatcher>();
        form = std::make_unique<TForm1>(nullptr);
        Form1 = form.get();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        activate();
    }

    void destroyForm()
    {
        if (boxes) {
            const auto left = boxes->take();
            for (const SeenBox& box : left)
                qWarning("unexpected box: %s", qPrintable(box.text));
            QVERIFY2(left.empty(), "a message box was shown that the test did not check");
        }
        // Hidden only once its last frame is shown (see FrameWatch).
        if (form && QGuiApplication::platformName().startsWith("wayland")) {
            FrameWatch frames(form.get());
            if (!QTest::qWaitFor([&] { return frames.shown(); }))
                qWarning("the window's last frame was not reported shown; hidden anyway");
        }
        form.reset();
        Form1 = nullptr;
        DecimalSeparator = '.';
    }

    // Types each character as a real key event; characters without a key of
    // their own on a Latin keyboard (Cyrillic) arrive as text, as from an
    // input method.
    void type(QWidget* field, const QString& keys)
    {
        for (const QChar key : keys) {
            if (key.unicode() < 0x80)
                QTest::keyClick(field, key.toLatin1());
            else
                QTest::sendKeyEvent(
                    QTest::Click, field, Qt::Key_unknown, QString(key), Qt::NoModifier);
        }
    }

    void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Puts text on the clipboard; false where the session offers no usable
    // clipboard (a headless Wayland compositor takes a selection only after
    // real input).
    static bool putOnClipboard(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        return QTest::qWaitFor([&] { return QApplication::clipboard()->text() == text; }, 500);
    }

    // The coefficient field a (1), b (2) or c (3).
    TEdit* field(int index) const
    {
        return index == 1 ? form->Edit1 : index == 2 ? form->Edit2 : form->Edit3;
    }

    // Makes the window the active one, as a window manager would when it is
    // shown and after a message box closes. Where the platform does not (the
    // offscreen one at times, a headless Wayland compositor without a seat),
    // the test does it.
    void activate()
    {
        form->activateWindow();
        if (!QTest::qWaitFor([this] { return form->isActiveWindow(); }, 300)) {
            // Deprecated from Qt 6.5 on with no public replacement that
            // activates a window the platform will not.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(form.get());
            QT_WARNING_POP
        }
        QVERIFY(form->isActiveWindow());
    }

    void reactivate() { activate(); }

    QWidget* focused() const { return QApplication::focusWidget(); }
};
