// The start-up benchmark programs run until a chosen widget has been
// painted and then print the wall clock in nanoseconds, so that the script
// that started them can tell how long the start took without counting the
// shut-down.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

class PaintWatch : public QObject {
public:
    // Watch before showing: a paint may come as soon as the window is shown.
    explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }

    // Runs the event loop until the widget has been painted; the frame is
    // flushed to the window system in the same pass.
    void waitAndReport() {
        while (!painted_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        widget_->removeEventFilter(this);
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_ = true;
        return false;
    }

private:
    QWidget* widget_;
    bool painted_ = false;
};
