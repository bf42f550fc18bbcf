#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

namespace korvane {

enum class TextFileKind {
    Cp932,         // the sibling programs' files: always CP932
    HolidayRules,  // CP932, or UTF-8 when it starts with the byte-order mark (as Linux editors
                   // write it)
};

// Reads a text file into lines: lines end at LF, CR, CR LF or NUL, and SUB ends the file.
// A file that cannot be opened after five attempts, half a second apart, or whose reading fails
// part-way, is reported with "読込エラー[file]" and leaves the list empty (answer false). A
// missing file is the caller's to test for.
bool LoadTextLines(QStringList& list, const QString& fileName,
                   TextFileKind kind = TextFileKind::Cp932);

// The line splitter on its own, for text already in memory (same rules, one block).
QStringList SplitTextLines(std::string_view bytes, TextFileKind kind = TextFileKind::Cp932);
// As above, handed over in blocks of blockSize bytes as a file is read: the lines must not
// depend on where the blocks end.
QStringList SplitTextLinesInBlocks(std::string_view bytes, std::size_t blockSize,
                                   TextFileKind kind = TextFileKind::Cp932);

}  // namespace korvane
