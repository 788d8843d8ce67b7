// The solution window's costs, in-process on the real form (offscreen): from
// Ctrl+R to the window's first frame (built on first use), from a change of
// «Знак» or «Способ решения» to the window repainted (steps and plot), and
// an inequality with its number line and hatching shown anew, a key press on
// the slider of b to the window repainted (the steps explained and the plot
// drawn for the new b), over 200 steps, and one full
// repaint of an 800×600 plot, hatched, at twice the scale. QT_SCALE_FACTOR=2
// runs the window at twice the scale.
#include "BenchForm.h"
#include "PlotWidget.h"
#include "Solution.h"
#include "SolutionWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPainter>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Records when the window first finished painting.
class FirstFrame : public QObject {
public:
    qint64 at = -1;
    QElapsedTimer* clock = nullptr;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            QMetaObject::invokeMethod(
                this, [this] { at = at < 0 ? clock->nsecsElapsed() : at; }, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    if (!showFormWith("1", "-3", "2"))
        return 1;
    QTest::mouseClick(Form1->Button1, Qt::LeftButton);

    QElapsedTimer clock;
    FirstFrame frame;
    frame.clock = &clock;
    clock.start();
    QTest::keyClick(Form1->Edit3, Qt::Key_R, Qt::ControlModifier);
    // The window comes from its module, as in the program.
    QWidget* plotOfWindow = Form1->Solution->window()
        ? Form1->Solution->window()->widget()->findChild<QWidget*>("Plot")
        : nullptr;
    if (!plotOfWindow)
        return 1;
    plotOfWindow->installEventFilter(&frame);
    if (!QTest::qWaitFor([&] { return frame.at >= 0; }, 5000))
        return 1;
    std::printf("Ctrl+R to the solution window's first frame: %.1f ms\n", frame.at / 1e6);

    // The median of 41 runs of `change`, each until the window is painted as
    // the next frame would show it.
    const auto timed = [](QWidget* window, const std::function<void()>& change) {
        std::vector<double> ms;
        for (int i = 0; i < 41; ++i) {
            QElapsedTimer timer;
            timer.start();
            change();
            QCoreApplication::sendPostedEvents();
            window->repaint();
            ms.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        return std::pair(ms[ms.size() / 2], ms.back());
    };
    QWidget* window = Form1->Solution->window()->widget();
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
        const auto [median, most] = timed(
            window, [box] { box->setCurrentIndex((box->currentIndex() + 1) % box->count()); });
        std::printf("«%s» changed to the window repainted: median %.2f ms, max %.2f ms\n",
            qPrintable(box->accessibleName()), median, most);
    }

    // A teacher moving b with the arrow keys: each press explained and drawn
    // before the next (a zero timer coalesces a burst; here none is left over).
    auto* b = window->findChildren<QSlider*>().value(1);
    if (!b || b->accessibleName() != "b")
        return 1;
    b->setFocus();
    auto* solution = static_cast<SolutionWindow*>(window);
    const QString before = solution->solutionText();
    std::vector<double> steps;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(b, i / 50 % 2 ? Qt::Key_Left : Qt::Key_Right);
        QCoreApplication::processEvents();
        window->repaint();
        steps.push_back(timer.nsecsElapsed() / 1e6);
        if (i == 0 && solution->solutionText() == before)
            return 1;
    }
    std::sort(steps.begin(), steps.end());
    std::printf("A step of the slider b to the window repainted: median %.2f ms, 99th percentile "
                "%.2f ms, max %.2f ms over %zu\n",
        steps[steps.size() / 2], steps[steps.size() * 99 / 100 - 1], steps.back(), steps.size());

    // x² − 3x + 2 > 0 with its number line and hatching, made by hand until
    // the core writes them, shown anew in a window of the same size.
    PlotCurve curve = ExplainEquation("1", "-3", "2", '.').curve;
    curve.inequality = true;
    curve.solution = { { -qInf(), 1, false, false }, { 2, qInf(), false, false } };
    EquationSolution inequality
        = ExplainEquation("1", "-3", "2", '.', std::nullopt, Relation::Greater);
    inequality.curve = curve;
    inequality.answer = Formula("x ∈ (−∞; 1) ∪ (2; +∞)") + Prose(".");
    inequality.numberLine
        = NumberLine { { { "1", false }, { "2", false } }, { 1, -1, 1 }, { true, false, true } };
    SolutionWindow drawn(nullptr);
    drawn.resize(window->size());
    drawn.show();
    if (!QTest::qWaitForWindowExposed(&drawn))
        return 1;
    const auto [median, most] = timed(&drawn, [&] { drawn.showSolution(inequality); });
    std::printf("An inequality drawn anew: median %.2f ms, max %.2f ms\n", median, most);

    auto* plot = new PlotWidget;
    plot->setCurve(curve, "");
    // Into a picture that exists already, as a repaint into the backing store.
    QImage image(QSize(800, 600) * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    std::vector<double> ms;
    for (int i = 0; i < 60; ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&image);
        plot->paint(painter, QSizeF(800, 600));
        painter.end();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin() + 0, ms.end());
    std::printf("One repaint of an 800x600 plot at scale 2, hatched: median %.2f ms, max %.2f ms "
                "over %zu\n",
        ms[ms.size() / 2], ms.back(), ms.size());
    return 0;
}
