#pragma once

#include "app/headlesscalendar.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <stdexcept>

namespace korvane::testing {

// What was written to a temporary stream, as UTF-8; the stream is closed.
inline QString ReadAndClose(std::FILE* f) {
    std::rewind(f);
    QByteArray b;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) b.append(buf, qsizetype(n));
    std::fclose(f);
    return QString::fromUtf8(b);
}

// The window-less calendar with the shipped Hday.dat beside the test program and no settings of
// its own; the sibling kind can be chosen and the step to the next month made to fail.
class TestCalendar : public HeadlessCalendar {
public:
    explicit TestCalendar(const QString& settings)
        : HeadlessCalendar(QCoreApplication::applicationDirPath() + u'/', settings, {}) {}
    int kind = 0;
    bool failOnNext = false;
    int SiblingKind() const override { return kind; }
    void NextMonth() override {
        HeadlessCalendar::NextMonth();
        if (failOnNext) throw std::runtime_error("broken month");
    }
};

}  // namespace korvane::testing
