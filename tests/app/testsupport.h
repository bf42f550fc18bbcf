#pragma once

#include "app/headlesscalendar.h"
#include "app/mainsettings.h"
#include "settings/inifile.h"
#include "settings/settingswriter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

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

// Korvane.ini's keys and Printers.ini's [Set] written into one file, every value taken.
inline QByteArray WrittenSettings(const KorvaneIni& ini, const PrintersSetSection& set) {
    IniFile out = IniFile::InMemory();
    SaveProblems problems;
    SettingsWriter writer(out, problems);
    ini.Write(writer);
    set.Write(writer);
    writer.Commit();
    EXPECT_TRUE(problems.empty());
    return out.Bytes();
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
