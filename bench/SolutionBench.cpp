// The solution window's costs, in-process on the real form (offscreen): from
// Ctrl+R to the window's first frame (built on first use), and one full
// repaint of an 800×600 plot at twice the scale.
#include "BenchForm.h"
#include "PlotWidget.h"
#include "Solution.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cstdio>
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

    auto* plot = new PlotWidget;
    plot->setCurve(ExplainEquation("1", "-3", "2", '.').curve, "");
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
    std::printf("One repaint of an 800x600 plot at scale 2: median %.2f ms, max %.2f ms over %zu\n",
        ms[ms.size() / 2], ms.back(), ms.size());
    return 0;
}
