#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace korvane::testing {

// Compares a dump with <KORVANE_GOLDEN_DIR>/<name>.txt. On a difference it writes the new dump
// beside the build (golden-new/<name>.txt) and fails with the differences as `diff -u` shows
// them; with KORVANE_UPDATE_GOLDEN set it rewrites the golden file instead.
::testing::AssertionResult MatchesRecording(const QString& name, const QString& dump);

// <name>_changed.txt as a settings file holds it: CP932 with CR LF lines.
QByteArray ChangedIni(const QString& name);

// Settings files against recordings: written(empty) is compared with <name>_defaults, and
// written(<name>_changed as a file holds it, CP932 with CR LF lines) with <name>_changed itself.
// written gives the text it wrote, CP932 with CR LF lines; the recordings have LF lines.
::testing::AssertionResult MatchesIniRoundTrip(
    const QString& name, const std::function<QByteArray(QByteArray)>& written);

}  // namespace korvane::testing
