// Tells when the compositor has shown a window's last frame, so that hiding
// the window cannot race with that frame.
//
// On Wayland, Qt 6.4 handles frame callbacks on a thread of its own, and
// hiding a window destroys its pending callback on the main thread without
// that thread's lock. A window hidden while its frame is being reported
// aborts libwayland (wl_proxy_unref) or is freed while that thread still
// holds its lock, which corrupts memory: a crash, or a hang much later.
// Qt holds a requested update back until the window's frame is reported,
// and asking for an update waits for the frame thread to let go of the
// window. So: an update asked for here arrives (the frame was reported),
// then one asked for from that one arrives too (the thread has let go),
// with nothing painted or exposed in between: no frame is in flight.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class FrameWatch : public QObject {
public:
    explicit FrameWatch(QWidget* window)
        : m_widget(window)
        , m_window(window->windowHandle())
    {
        qApp->installEventFilter(this);
        if (m_window)
            m_window->requestUpdate();
    }

    // True once the window's last frame was shown; a hidden window has none.
    bool shown() const { return !m_window || !m_widget || !m_widget->isVisible() || m_shown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_window || !m_widget)
            return false;
        if (watched == m_window && event->type() == QEvent::UpdateRequest) {
            if (m_reported)
                m_shown = true;
            else {
                m_reported = true;
                m_window->requestUpdate();
            }
            return true; // asked for by the watch, not by the window: nothing to repaint
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ours = watched == m_window || (widget && widget->window() == m_widget);
        const bool painted = ours && event->type() == QEvent::Paint;
        const bool exposed = watched == m_window && event->type() == QEvent::Expose;
        if (painted || exposed) {
            // A new frame follows; the update comes once it is shown.
            m_reported = m_shown = false;
            m_window->requestUpdate();
            // A window Qt counted hidden while a late frame was out gets that
            // frame's report with the update held back; a fresh frame carries it.
            if (exposed)
                m_widget->update();
        }
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    QPointer<QWindow> m_window;
    bool m_reported = false; // the frame was reported shown
    bool m_shown = false; // and the frame thread has let go of it
};
