#include "clock.h"

#include <QThread>

#include <atomic>

namespace korvane {
namespace {

SystemClock systemClock;
std::atomic<const Clock*> installed{nullptr};

}  // namespace

const Clock& Clock::current() {
    const Clock* c = installed.load();
    return c ? *c : systemClock;
}

const Clock* Clock::install(const Clock* c) { return installed.exchange(c); }

FixedClock::FixedClock(QDateTime at) : at_(std::move(at)), previous_(Clock::install(this)) {}

FixedClock::~FixedClock() { Clock::install(previous_); }

void SystemClock::sleep(int milliseconds) const {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void FixedClock::sleep(int milliseconds) const {
    at_ = at_.addMSecs(milliseconds);
    ++sleeps_;
}

}  // namespace korvane
