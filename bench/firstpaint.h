#pragma once
// Shared by the start-up probes: the monotonic clock the parent passes as T0, and a watcher that
// prints the milliseconds from T0 to a widget's first paint and ends the program.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

inline double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

class FirstPaint : public QObject {
    Q_OBJECT

public:
    FirstPaint(QWidget* w, double t0) : t0_(t0) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !done_) {
            done_ = true;
            // After this paint has been done.
            QTimer::singleShot(0, [this] {
                std::printf("%.2f\n", nowMs() - t0_);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    double t0_;
    bool done_ = false;
};
