#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

namespace korvane {

// Reads a CP932 text file into lines: lines end at LF, CR, CR LF or NUL, and SUB ends the file.
// A file that cannot be opened after five attempts, half a second apart, is reported with
// "読込エラー[file]" and leaves the list empty. A missing file is the caller's to test for.
void LoadTextLines(QStringList& list, const QString& fileName);

// The line splitter on its own, for text already in memory (same rules, one block).
QStringList SplitTextLines(std::string_view bytes);

}  // namespace korvane
