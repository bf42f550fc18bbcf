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

    static const Clock& current();
    // Installs c (not owned) and returns the previous one; nullptr restores the system clock.
    static const Clock* install(const Clock* c);
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
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

private:
    QDateTime at_;
    const Clock* previous_;
};

}  // namespace korvane
