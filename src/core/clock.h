#pragma once

#include <QDate>
#include <QDateTime>

namespace korvane {

// "Today" and "now" come from here so tests can fix the date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // Waits on the calling thread (retries of file access); tests pass time without sleeping.
    virtual void sleep(int milliseconds) const = 0;

    static const Clock& current();
    // Installs c (not owned) and returns the previous one; nullptr restores the system clock.
    static const Clock* install(const Clock* c);
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void sleep(int milliseconds) const override;
};

// A clock that stands still (tests), installed for its lifetime.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at);
    ~FixedClock() override;
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }
    // Moves the clock on instead of waiting.
    void sleep(int milliseconds) const override;
    int sleeps() const { return sleeps_; }

private:
    mutable QDateTime at_;
    mutable int sleeps_ = 0;
    const Clock* previous_;
};

}  // namespace korvane
