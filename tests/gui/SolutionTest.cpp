// «Решение и график» as the user meets it: opened from the result line,
// following Solve and edits; its plot drawn where the mathematics says.
#include "FormTestBase.h"
#include "PlotWidget.h"
#include "SolutionWindow.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

class SolutionTest : public FormTestBase {
    Q_OBJECT

    SolutionWindow* window() const
    {
        return dynamic_cast<SolutionWindow*>(form->Solution->window());
    }

    void solve(const char* a, const char* b, const char* c)
    {
        for (int i = 1; i <= 3; ++i) {
            field(i)->selectAll();
            type(field(i), QString(i == 1 ? a : i == 2 ? b : c));
        }
        click(form->Button1);
    }

    QString steps() const { return window()->solutionText(); }

    // Presses a key in the solution window, active as a window manager makes it.
    void keyInSolution(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        window()->activateWindow();
        if (!QTest::qWaitFor([this] { return window()->isActiveWindow(); }, 300)) {
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(window());
            QT_WARNING_POP
        }
        QTest::keyClick(window()->steps(), key, modifiers);
    }

private slots:
    // The window from the code linked here, not from the module.
    void initTestCase() { SolutionLink::create = CreateSolutionView; }

    void opensFromCtrlRAndTheMenuAfterASolve()
    {
        QTest::keyClick(form->Edit1, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!window());
        solve("1", "-3", "1");
        QTest::keyClick(form->Edit3, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(window() && window()->isVisible());
        QCOMPARE(window()->windowTitle(), QString("Решение и график"));
        QVERIFY(steps().contains("x₁ = (3 + √5)/2 ≈ 2.618"));
        keyInSolution(Qt::Key_Escape);
        QVERIFY(!window()->isVisible());

        // The result line's menu names the item and its shortcut.
        QString shortcut;
        bool shown = false;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                shown = true;
                QAction* open = menu->actions().value(1);
                shortcut = open->shortcut().toString();
                open->trigger();
                menu->close();
            }
        });
        const QPoint middle = form->Label5->rect().center();
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, middle, form->Label5->mapToGlobal(middle));
        QApplication::sendEvent(form->Label5, &event);
        if (!shown && QGuiApplication::platformName().startsWith("wayland"))
            QSKIP("a headless compositor without input opens no popup menu");
        QCOMPARE(shortcut, QString("Ctrl+R"));
        QVERIFY(window()->isVisible());
        keyInSolution(Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window()->isVisible());
    }

    void followsSolveEditsAndClear()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        QVERIFY(steps().contains("x₁ = 2"));
        solve("1", "0.1", "0.0025");
        QVERIFY(steps().contains("x = −b/(2a) = −1/20 = −0.05"));
        QVERIFY(steps().contains("одинарной точности"));
        QVERIFY(!window()->isStale());
        type(form->Edit3, "1");
        QVERIFY(window()->isStale());
        QVERIFY(window()->findChild<QWidget*>("StaleLine")->isVisible());
        QVERIFY(steps().contains("−1/20"));
        // A box (an empty field) leaves the window as it was.
        form->Edit2->SetText("");
        form->Edit3->SetText("2");
        click(form->Button1);
        QCOMPARE(boxes->take().size(), std::size_t(1));
        reactivate();
        QVERIFY(window()->isStale() && steps().contains("−1/20"));
        solve("0", "2", "-4");
        QVERIFY(!window()->isStale());
        QVERIFY(steps().contains("x = −c/b = 2"));
        QVERIFY(!steps().contains("одинарной точности"));
        click(form->Button2);
        QVERIFY(window()->isStale());
    }

    void plotTakesTheFocusAndFollowsTheKeys()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        PlotWidget* plot = window()->plot();
        QCOMPARE(plot->accessibleName(), QString("График"));
        QVERIFY(plot->accessibleDescription().startsWith(
            "Парабола y = x² − 3x + 2, ветви вверх, вершина (1.5; −0.25), пересекает ось x в "
            "точках 1 и 2, ось y в точке 2."));
        window()->steps()->setFocus();
        QTest::keyClick(window()->steps(), Qt::Key_Tab, Qt::ControlModifier);
        const PlotBox home = plot->view();
        plot->setFocus();
        QTest::keyClick(plot, Qt::Key_Plus);
        QVERIFY(plot->view().width() < home.width());
        const QString zoomed = plot->accessibleDescription();
        QTest::keyClick(plot, Qt::Key_Right);
        QVERIFY(plot->view().xMin > home.xMin);
        QVERIFY(plot->accessibleDescription() != zoomed);
        QTest::keyClick(plot, Qt::Key_Home);
        QCOMPARE(plot->view().xMin, home.xMin);
        QCOMPARE(plot->view().yMax, home.yMax);

        QTemporaryDir dir;
        for (const QString name : { "plot.png", "plot.svg" }) {
            PlotWidget::chooseFileName = [&](QWidget*) { return dir.filePath(name); };
            QTest::keyClick(plot, Qt::Key_S, Qt::ControlModifier);
            QVERIFY2(QFileInfo(dir.filePath(name)).size() > 1000, qPrintable(name));
        }
        if (putOnClipboard("before")) {
            QTest::keyClick(plot, Qt::Key_C, Qt::ControlModifier);
            QVERIFY(
                QTest::qWaitFor([&] { return !QApplication::clipboard()->image().isNull(); }, 500));
            QCOMPARE(QApplication::clipboard()->image().size(),
                plot->size() * plot->devicePixelRatioF());
        }
    } // Coefficients at the ends of the single range, zoomed far in and out:
    // every frame is drawn, none hangs.
    void extremeCoefficientsDraw()
    {
        const char* texts[][3] = { { "3e38", "-3e38", "1e-45" }, { "1e-45", "1e-38", "-3e38" },
            { "1e-300", "3e38", "1" }, { "0", "1e-45", "3e38" } };
        PlotWidget plot;
        plot.resize(300, 200);
        for (const auto& t : texts) {
            plot.setCurve(ExplainEquation(t[0], t[1], t[2], '.').curve, "");
            for (const Qt::Key key : { Qt::Key_Minus, Qt::Key_Plus }) {
                for (int i = 0; i < 400; ++i) {
                    QTest::keyClick(&plot, key);
                    if (i % 50 == 0)
                        QVERIFY(!plot.render(plot.size(), 1).isNull());
                }
                const PlotBox view = plot.view();
                QVERIFY(std::isfinite(view.width()) && view.width() > 0 && view.height() > 0);
            }
        }
    }

    // The root marks lie where the curve crosses the x axis, in light and dark
    // palettes and at twice the scale; the curve stands out from the background.
    void rootMarksLieWhereTheCurveCrossesTheAxis_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<qreal>("ratio");
        row("light", false, 1.0);
        row("dark", true, 1.0);
        row("light at scale 2", false, 2.0);
        row("dark at scale 2", true, 2.0);
    }

    void rootMarksLieWhereTheCurveCrossesTheAxis()
    {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        PlotWidget plot;
        if (dark) {
            QPalette palette = plot.palette();
            palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x24));
            palette.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
            palette.setColor(QPalette::Highlight, QColor(0x15, 0x40, 0x80));
            plot.setPalette(palette);
        }
        plot.setCurve(ExplainEquation("1", "-3", "2", '.').curve, "");
        const QSize size(400, 300);
        const QImage image = plot.render(size, ratio);
        const QColor background = image.pixelColor(int(5 * ratio), int(5 * ratio));
        const auto at = [&](double x, double y) {
            const QPointF p = plot.devicePoint(x, y, size) * ratio;
            return image.pixelColor(int(p.x()), int(p.y()));
        };
        const auto reddish
            = [](const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; };
        for (const double root : { 1.0, 2.0 })
            QVERIFY2(reddish(at(root, 0)), qPrintable(QString::number(root)));
        // Halfway between the roots the axis holds no mark.
        QVERIFY(!reddish(at(1.5, 0)));
        // On the curve away from every mark: the curve's colour, ≥ 3:1 against the background.
        const QColor curve = at(0.5, 0.75);
        const auto luminance = [](const QColor& c) {
            const auto f = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF());
        };
        const double lc = luminance(curve), lb = luminance(background);
        QVERIFY2(
            (std::max(lc, lb) + 0.05) / (std::min(lc, lb) + 0.05) >= 3.0, qPrintable(curve.name()));
    }
};

QUADRATIC_GUI_TEST_MAIN(SolutionTest)
#include "SolutionTest.moc"
