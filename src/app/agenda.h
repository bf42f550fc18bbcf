#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>

namespace korvane {

// "--agenda YYYYMM [/K= /D= /D2= /U= /S=]": the month's days as the month grid lays them out.
struct AgendaRequest {
    std::int32_t Year = 0;
    int Month = 0;
    QStringList Switches;  // the sibling's switches, as it passes them to the window
};

// Reads the same files as the window (settings only read, never written) and writes, in UTF-8,
// for each day "YYYY-MM-DD<TAB>kind<TAB>names<TAB>rokuyō" and then one line per item and period
// shown in its cell, indented by a tab. Needs a QApplication (no display). Answers the exit code.
int WriteAgenda(const AgendaRequest& request, const QString& programFolder,
                const QString& settingsFolder, std::FILE* out, std::FILE* err);

}  // namespace korvane
