#include "calendar/textlines.h"

#include "../files.h"
#include "core/clock.h"
#include "core/codec.h"
#include "core/prompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

QStringList loadBytes(const QByteArray& content) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ca202612.vlm");
    EXPECT_TRUE(testing::WriteFile(path, content));
    QStringList lines{"stale"};
    LoadTextLines(lines, path);
    return lines;
}

struct Case {
    const char* label;
    QByteArray content;
    QStringList lines;
};

class LineEnds : public ::testing::TestWithParam<Case> {};

TEST_P(LineEnds, Split) { EXPECT_EQ(loadBytes(GetParam().content), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEnds,
    ::testing::Values(
        Case{"empty", QByteArray(), {}}, Case{"crlf", "a\r\nb\r\n", {"a", "b"}},
        Case{"last line unterminated", "a\r\nb", {"a", "b"}},
        Case{"lf and cr", "a\nb\rc", {"a", "b", "c"}},
        Case{"empty lines kept", "\r\n\r\na\n\n", {"", "", "a", ""}},
        Case{"lf first is an empty line", "\na", {"", "a"}},
        Case{"lf cr is two ends", "a\n\rb", {"a", "", "b"}},
        Case{"nul ends a line", QByteArray("a\0b\r\n", 5), {"a", "b"}},
        Case{"sub ends the file", "a\r\nb\x1a\r\nc\r\n", {"a", "b"}},
        Case{"sub at line start",
             "a\r\n\x1a"
             "b",
             {"a"}},
        Case{"cp932 decoded", "\x82\xa0\x87\x40,\x8a\xbf\r\n", {QStringLiteral("あ①,漢")}}),
    [](const auto& info) {
        std::string s = info.param.label;
        for (char& c : s)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return s;
    });

// Split in blocks of any size (a file is read in blocks of 8192 bytes), the lines are the same:
// a CR LF, an empty line or a double-byte character across a seam, and SUB still ends them.
TEST(SplitTextLines, BlockSizeDoesNotMatter) {
    const std::string text = "a\r\nbc\r\n\r\nd\re\n\n\x8a\xbf\r\nf\x1ag\r\n";
    const QStringList whole = SplitTextLines(text);
    EXPECT_EQ(whole, QStringList({"a", "bc", "", "d", "e", "", "漢", "f"}));
    for (std::size_t block : {1, 2, 3, 5, 64})
        EXPECT_EQ(SplitTextLinesInBlocks(text, block), whole) << block;
}

// SUB ends the file also for the blocks after it.
TEST(LoadTextLines, SubEndsTheWholeFile) {
    QByteArray content = "a\r\n\x1a";
    content += QByteArray(9000, 'b') + "\r\nc\r\n";
    EXPECT_EQ(loadBytes(content), QStringList{"a"});
}

TEST(LoadTextLines, ManyLines) {
    QByteArray content;
    for (int i = 0; i < 10000; ++i)
        content += "2026,12," + QByteArray::number(i % 31 + 1) + ",会議\r\n";
    const QStringList lines = loadBytes(*Cp932::encode(QString::fromUtf8(content)));
    ASSERT_EQ(lines.size(), 10000);
    EXPECT_EQ(lines[9999], "2026,12,18,会議");
}

TEST(LoadTextLines, UnreadableFileIsReportedAfterFiveAttempts) {
    ScriptedPrompt prompt;
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 0));
    FixedClock clock(start);
    QTemporaryDir dir;
    // A folder cannot be read as a file, whatever the user's rights.
    const QString folder = dir.path() + "/Hday.dat";
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString missing = dir.path() + "/Sday.vlm";
    for (const QString& path : {folder, missing}) {
        prompt.clear();
        const int sleepsBefore = clock.sleeps();
        const QDateTime before = clock.now();
        QStringList lines{"stale"};
        LoadTextLines(lines, path);
        EXPECT_TRUE(lines.isEmpty());
        ASSERT_EQ(prompt.entries().size(), 1u);
        EXPECT_EQ(prompt.entries()[0].text, "読込エラー[" + path + "]");
        EXPECT_EQ(prompt.entries()[0].caption, "確認 -Korvane-");
        // Four waits of half a second between the five attempts.
        EXPECT_EQ(clock.sleeps() - sleepsBefore, 4);
        EXPECT_EQ(before.msecsTo(clock.now()), 2000);
    }
}

// A file that opens but fails when read is an error, not an empty or shortened list.
TEST(LoadTextLines, ReadErrorIsNoEndOfFile) {
    if (!QFile::exists("/proc/self/mem")) GTEST_SKIP() << "no /proc here";
    ScriptedPrompt prompt;
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    QStringList lines{"stale"};
    // Address 0 of the own memory is never mapped: open succeeds, read fails with EIO.
    EXPECT_FALSE(LoadTextLines(lines, "/proc/self/mem"));
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(prompt.entries()[0].text, "読込エラー[/proc/self/mem]");
}

// A holiday file saved by a Linux editor: UTF-8 behind a byte-order mark. Other files, and
// holiday files without the mark, stay CP932.
TEST(LoadTextLines, ByteOrderMarkMakesAHolidayFileUtf8) {
    QTemporaryDir dir;
    auto load = [&](const QByteArray& content, TextFileKind kind) {
        const QString path = dir.filePath("Hday.dat");
        EXPECT_TRUE(testing::WriteFile(path, content));
        QStringList lines;
        EXPECT_TRUE(LoadTextLines(lines, path, kind));
        return lines;
    };
    const QByteArray utf8 = "\xEF\xBB\xBF" + QStringLiteral("1,1,元日\r\n5,5,こどもの日").toUtf8();
    EXPECT_EQ(load(utf8, TextFileKind::HolidayRules), QStringList({"1,1,元日", "5,5,こどもの日"}));
    EXPECT_EQ(load(utf8, TextFileKind::Cp932).size(), 2);
    EXPECT_NE(load(utf8, TextFileKind::Cp932)[0], "1,1,元日");
    EXPECT_EQ(load("1,1,\x8c\xb3\x93\xfa\r\n", TextFileKind::HolidayRules),
              QStringList({"1,1,元日"}));
    // The mark alone, and a line cut by the block seam after it.
    EXPECT_EQ(load("\xEF\xBB\xBF", TextFileKind::HolidayRules), QStringList());
    QByteArray longLine =
        "\xEF\xBB\xBF" + QByteArray(8188, 'a') + QStringLiteral("元").toUtf8() + "\n";
    const QStringList seam = load(longLine, TextFileKind::HolidayRules);
    ASSERT_EQ(seam.size(), 1);
    EXPECT_EQ(seam[0], QString(8188, u'a') + QStringLiteral("元"));
    EXPECT_EQ(SplitTextLines(utf8.toStdString(), TextFileKind::HolidayRules).value(1),
              "5,5,こどもの日");
}

TEST(LoadTextLines, ReadableFileNeedsNoWait) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    EXPECT_EQ(loadBytes("a\r\n"), QStringList{"a"});
    EXPECT_EQ(clock.sleeps(), 0);
}

}  // namespace
}  // namespace korvane
