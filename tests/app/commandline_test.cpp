#include "app/commandline.h"

#include "core/prompt.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cstdio>

namespace korvane {
namespace {

struct Result {
    std::optional<int> code;
    QString out;
    QString err;
};

using testing::ReadAndClose;

Result run(QStringList args, QString folder = QStringLiteral(KORVANE_SHIPPED_DATA "/")) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Result r;
    r.code = CommandLine(std::move(args), std::move(folder)).run(out, err);
    r.out = ReadAndClose(out);
    r.err = ReadAndClose(err);
    return r;
}

QStringList lines(const QString& out) { return out.split(u'\n', Qt::SkipEmptyParts); }

QStringList holidayLines(const QString& out) {
    QStringList result;
    for (const QString& line : lines(out)) {
        const QStringList f = line.split(u'\t');
        if (f.size() == 6 && (f[2].toInt() & (4 | 8))) result << f[0] + " " + f[3];
    }
    return result;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

TEST(DaysQuery, The2026HolidaysAsPublished) {
    const Result r = run({"--days", "2026-01-01", "2026-12-31"});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(lines(r.out).size(), 365);
    const QStringList expected = {
        "2026-01-01 元日",         "2026-01-12 成人の日",   "2026-02-11 建国記念の日",
        "2026-02-23 天皇誕生日",   "2026-03-20 春分の日",   "2026-04-29 昭和の日",
        "2026-05-03 憲法記念日",   "2026-05-04 みどりの日", "2026-05-05 こどもの日",
        "2026-05-06 振替休日",     "2026-07-20 海の日",     "2026-08-11 山の日",
        "2026-09-21 敬老の日",     "2026-09-22 国民の休日", "2026-09-23 秋分の日",
        "2026-10-12 スポーツの日", "2026-11-03 文化の日",   "2026-11-23 勤労感謝の日",
    };
    EXPECT_EQ(holidayLines(r.out), expected);
}

TEST(DaysQuery, ComputedEquinoxAndSubstitute) {
    const Result r = run({"--days", "2024-09-22", "2024-09-23"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(lines(r.out), QStringList({"2024-09-22\t1\t5\t秋分の日\t8/20\t先負",
                                         "2024-09-23\t2\t8\t振替休日\t8/21\t仏滅"}));
}

TEST(DaysQuery, OtherHolidayFileInCp932) {
    QTemporaryDir dir;
    // "イブ" and a quoted name with a blank, with CR LF line ends.
    const QString path =
        writeFile(dir, "my.dat", "12,24,\x83\x43\x83\x75\r\n12,24,\"Christmas Eve\"\r\n");
    const Result r = run({"--days", "2026-12-24", "2026-12-24", "--hday", path});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, "2026-12-24\t5\t4\tイブ,\"Christmas Eve\"\t11/16\t友引\n");
}

TEST(DaysQuery, BadRuleLineIsNamedAndTheOthersStay) {
    QTemporaryDir dir;
    const QString path = writeFile(
        dir, "bad.dat", "1,1,New\r\nx,3,Bad\r\n5,5,Kids\r\n12,280,Cut\r\n11,3,Culture\r\n");
    ScriptedPrompt prompt;
    const Result r = run({"--days", "2030-01-01", "2030-12-31", "--hday", path});
    ASSERT_EQ(r.code, 0);
    // Every line after a typo still counts.
    EXPECT_EQ(holidayLines(r.out).filter(QRegularExpression("New|Kids|Culture|Cut")),
              QStringList({"2030-01-01 New", "2030-05-05 Kids", "2030-11-03 Culture"}));
    EXPECT_EQ(r.err, "korvane: " + path +
                         " の 2 行目: 月「x」は整数ではありません。\n"
                         "korvane: " +
                         path +
                         " の 4 行目: 日「280」は 0 から 31 まで、または 33 (月末) です。\n");
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(DaysQuery, Utf8HolidayFileWithByteOrderMark) {
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, "utf8.dat", "\xEF\xBB\xBF" + QStringLiteral("12,24,イブ\n").toUtf8());
    const Result r = run({"--days", "2026-12-24", "2026-12-24", "--hday", path});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(r.out, "2026-12-24\t5\t4\tイブ\t11/16\t友引\n");
}

// A name is one field: its tabs and line breaks become spaces (the comma text keeps its quotes).
TEST(DaysQuery, NamesStayInTheirField) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "tab.dat", "12,24,\"A\tB\"\r\n12,24,\"C\t\tD\"\r\n");
    const Result r = run({"--days", "2026-12-24", "2026-12-24", "--hday", path});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    const QStringList f = lines(r.out).value(0).split(u'\t');
    ASSERT_EQ(f.size(), 6) << qPrintable(r.out);
    EXPECT_EQ(f[3], "\"A B\",\"C  D\"");
}

TEST(DaysQuery, NoEquinoxHolidayBeforeTheLawOf1948) {
    const Result r = run({"--days", "1948-03-20", "1948-03-22"});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(holidayLines(r.out).isEmpty()) << qPrintable(r.out);
    EXPECT_EQ(holidayLines(run({"--days", "1948-09-23", "1948-09-23"}).out),
              QStringList{"1948-09-23 秋分の日"});
}

// Output that cannot be written is a failure with a message, never a silent success.
TEST(DaysQuery, FailedWriteIsExit1) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full here";
    std::FILE* err = std::tmpfile();
    for (const char* to : {"2026-01-01", "2026-12-31"}) {
        const std::optional<int> code =
            CommandLine({"--days", "2026-01-01", to}, KORVANE_SHIPPED_DATA "/").run(full, err);
        EXPECT_EQ(code, 1) << to;
        std::clearerr(full);
    }
    std::fclose(full);
    const QString message = ReadAndClose(err);
    EXPECT_EQ(message.count(u'\n'), 2);
    EXPECT_TRUE(message.startsWith("korvane: 出力に書き込めません: ")) << qPrintable(message);
}

TEST(DaysQuery, NoHolidayFileBesideTheProgram) {
    QTemporaryDir dir;
    const Result r = run({"--days", "2026-01-01", "2026-01-01"}, dir.path() + "/");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2026-01-01\t5\t0\t\t11/13\t大安\n");
    EXPECT_TRUE(r.err.contains("Hday.dat"));
}

TEST(DaysQuery, LineFormatAndWeekendKinds) {
    const Result r = run({"--days", "1999-12-30", "2000-01-03"});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    const QStringList expected = {
        "1999-12-30\t5\t0\t\t11/23\t先負",     "1999-12-31\t6\t0\t\t11/24\t仏滅",
        "2000-01-01\t7\t6\t元日\t11/25\t大安", "2000-01-02\t1\t1\t\t11/26\t赤口",
        "2000-01-03\t2\t0\t\t11/27\t先勝",
    };
    EXPECT_EQ(lines(r.out), expected);
    EXPECT_TRUE(r.out.endsWith(u'\n'));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(DaysQuery, LunisolarTableBounds) {
    const Result r = run({"--days", "1989-12-27", "1989-12-28"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(lines(r.out),
              QStringList({"1989-12-27\t4\t0\t\t0/0\t", "1989-12-28\t5\t0\t\t12/1\t赤口"}));
    const Result end = run({"--days", "2030-12-24", "2030-12-25"});
    ASSERT_EQ(end.code, 0);
    const QStringList l = lines(end.out);
    ASSERT_EQ(l.size(), 2);
    EXPECT_FALSE(l[0].endsWith("\t0/0\t"));
    EXPECT_TRUE(l[1].endsWith("\t0/0\t"));
}

TEST(DaysQuery, LunisolarNewYear2026) {
    const Result r = run({"--days", "2026-02-16", "2026-02-18"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(lines(r.out),
              QStringList({"2026-02-16\t2\t0\t\t12/29\t仏滅", "2026-02-17\t3\t0\t\t1/1\t先勝",
                           "2026-02-18\t4\t0\t\t1/2\t友引"}));
}

TEST(DaysQuery, JumpsTheReformGap) {
    const Result r = run({"--days", "1582-10-03", "1582-10-16"});
    ASSERT_EQ(r.code, 0);
    const QStringList l = lines(r.out);
    ASSERT_EQ(l.size(), 4);
    EXPECT_TRUE(l[0].startsWith("1582-10-03\t4\t"));
    EXPECT_TRUE(l[1].startsWith("1582-10-04\t5\t"));
    EXPECT_TRUE(l[2].startsWith("1582-10-15\t6\t0\t"));
    EXPECT_TRUE(l[3].startsWith("1582-10-16\t7\t2\t"));
}

TEST(DaysQuery, JulianLeapDayAndLongRanges) {
    // 1500 is a leap year under the Julian rule.
    EXPECT_EQ(run({"--days", "1500-02-29", "1500-02-29"}).code, 0);
    // Just under two hundred years is allowed, and every day is printed once.
    const Result r = run({"--days", "1900-01-01", "2099-12-31"});
    ASSERT_EQ(r.code, 0);
    const QStringList l = lines(r.out);
    EXPECT_EQ(l.size(), 73049);
    EXPECT_EQ(l.front().left(10), "1900-01-01");
    EXPECT_EQ(l.back().left(10), "2099-12-31");
    EXPECT_EQ(run({"--days", "1900-01-01", "2100-01-01"}).code, 2);
}

TEST(CommandLine, BadArgumentsExitWith2) {
    const QStringList cases[] = {
        {"--days"},
        {"--days", "2026-01-01"},
        {"--days", "2026-1-1", "2026-01-02"},
        {"--days", "2026-13-01", "2026-12-31"},
        {"--days", "2026-02-29", "2026-03-01"},
        {"--days", "2026-04-31", "2026-05-01"},
        {"--days", "0000-01-01", "0001-01-01"},
        {"--days", "1582-10-10", "1582-10-20"},
        {"--days", "2026-02-01", "2026-01-01"},
        {"--days", "2026-01-01", "2026-01-02", "extra"},
        {"--days", "2026-01-01", "2026-01-02", "--hday"},
        {"--days", "2026-01-01", "2026-01-02", "--hday", "/nonexistent/Hday.dat"},
        {"--days", "2026-01-01", "2026-01-02", "--days", "2026-01-01", "2026-01-02"},
        {"--hday", "x"},
        {"--days", "２０２６-01-01", "2026-01-02"},
        {"--version", "x"},
        {"--help", "x"},
        {"--frobnicate"},
        {"--screenshot"},
        {"--screenshot", "--small"},
        {"--screenshot", "/tmp/x", "--month", "202613"},
        {"--screenshot", "/tmp/x", "--month"},
        {"--screenshot", "/tmp/x", "--big"},
        {"-x"},
        {"--print"},
        {"--print", "ma4", "--month", "202605", "--pdf", "a.pdf"},
        {"--print", "MA4", "--pdf", "a.pdf"},
        {"--print", "MA4", "--month", "202613", "--pdf", "a.pdf"},
        {"--print", "MA4", "--month", "000012", "--pdf", "a.pdf"},
        {"--print", "MA4", "--month", "202605"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--png", "a.png"},
        {"--print", "MA4", "--month", "202605", "--pdf"},
        {"--print", "MA4", "--month", "202605", "--png", "a.png", "--dpi", "20"},
        {"--print", "MA4", "--month", "202605", "--png", "a.png", "--dpi", "x"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--lines", "8"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--lines", "2"},
        {"--print", "MA4W", "--month", "202605", "--pdf", "a.pdf", "--lines", "6"},
        {"--print", "HHagaki", "--month", "202605", "--pdf", "a.pdf", "--lines", "4"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--offset", "5"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--offset", "101,0"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--offset", "0,-101"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--today", "2026-02-30"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--title"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--colour"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "/X=1"},
        {"--print", "MA4", "--month", "202605", "--pdf", "a.pdf", "--no-rules"},
        {"--print", "CA4V", "--month", "202605", "--pdf", "a.pdf", "--lines", "3"},
        {"--print", "cb5v", "--month", "202605", "--pdf", "a.pdf"},
        {"--print", "CA4V", "--month", "999902", "--pdf", "a.pdf"},
    };
    for (const QStringList& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.startsWith("korvane: ")) << qPrintable(args.join(' '));
        EXPECT_EQ(r.err.count(u'\n'), 1) << qPrintable(args.join(' '));
    }
    EXPECT_TRUE(run({"--days", "1582-10-10", "1582-10-20"}).err.contains("1582/10/5-10/14"));
    // Two hundred years after these lies in the dropped days of 1582: said so, not a crash.
    for (const char* from : {"1382-10-05", "1382-10-10", "1382-10-14"}) {
        const Result r = run({"--days", from, "1382-10-20"});
        EXPECT_EQ(r.code, 2) << from;
        EXPECT_EQ(r.err.count(u'\n'), 1) << from;
        EXPECT_TRUE(r.err.contains("暦の切り替えで存在しない日付です")) << qPrintable(r.err);
    }
    EXPECT_EQ(run({"--days", "1382-10-04", "1382-10-20"}).code, 0);
    EXPECT_EQ(run({"--days", "1382-10-15", "1582-10-04"}).code, 0);
}

TEST(CommandLine, ScreenshotAsksForTheWindow) {
    CommandLine cli({"--screenshot", "/tmp/shots", "--small", "--month", "202701"}, "/tmp/");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_FALSE(cli.run(out, err).has_value());
    ASSERT_TRUE(cli.Screenshot().has_value());
    EXPECT_EQ(cli.Screenshot()->Folder, "/tmp/shots");
    EXPECT_EQ(cli.Screenshot()->Month, "202701");
    EXPECT_TRUE(cli.Screenshot()->Small);
    std::fclose(out);
    std::fclose(err);
}

TEST(CommandLine, PrintTakesItsOptions) {
    CommandLine cli({"--print",    "MA3",
                     "--month",    "202612",
                     "--png",      "p.png",
                     "--dpi",      "254",
                     "--lines",    "9",
                     "--bw",       "--small",
                     "--no-shade", "--rokuyo",
                     "--monday",   "--offset",
                     "5,-3",       "--title",
                     "会議室",     "--today",
                     "2019-05-01", "/K=/home/u/Velmar/",
                     "/U=1"},
                    "/tmp/");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_FALSE(cli.run(out, err).has_value());
    ASSERT_TRUE(cli.Print().has_value());
    const PrintRequest& r = *cli.Print();
    EXPECT_EQ(r.Layout, "MA3");
    EXPECT_EQ(r.Year, 2026);
    EXPECT_EQ(r.Month, 12);
    EXPECT_EQ(r.Png, "p.png");
    EXPECT_TRUE(r.Pdf.isEmpty());
    EXPECT_EQ(r.Dpi, 254);
    EXPECT_EQ(r.Lines, 9);
    EXPECT_TRUE(r.BlackWhite && r.Small && r.NoShade && r.Rokuyo && r.Monday);
    EXPECT_EQ(r.TopMm, 5);
    EXPECT_EQ(r.LeftMm, -3);
    EXPECT_EQ(r.Title, QStringLiteral("会議室"));
    EXPECT_EQ(r.Today, QDate(2019, 5, 1));
    EXPECT_EQ(r.Switches, (QStringList{"/K=/home/u/Velmar/", "/U=1"}));
    std::fclose(out);
    std::fclose(err);

    CommandLine plain({"--print", "HHagaki", "--month", "202605", "--pdf", "h.pdf"}, "/tmp/");
    out = std::tmpfile();
    err = std::tmpfile();
    EXPECT_FALSE(plain.run(out, err).has_value());
    ASSERT_TRUE(plain.Print().has_value());
    EXPECT_EQ(plain.Print()->Dpi, 300);
    EXPECT_FALSE(plain.Print()->Lines.has_value());
    EXPECT_FALSE(plain.Print()->Title.has_value());
    EXPECT_FALSE(plain.Print()->BlackWhite || plain.Print()->Small || plain.Print()->NoShade ||
                 plain.Print()->Rokuyo || plain.Print()->Monday);
    EXPECT_FALSE(plain.Print()->Today.isValid());
    std::fclose(out);
    std::fclose(err);
}

TEST(CommandLine, VersionHelpAndWindow) {
    const Result version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith("Korvane "));
    const Result help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("--days FROM TO"));
    EXPECT_TRUE(help.out.contains("--hday FILE"));
    EXPECT_TRUE(help.out.contains("2030-12-24"));
    EXPECT_TRUE(help.out.contains("--print LAYOUT --month YYYYMM"));
    // No arguments, or the sibling program's switches, ask for the window.
    EXPECT_FALSE(run({}).code.has_value());
    EXPECT_FALSE(run({"/K=C:\\Velmar\\"}).code.has_value());
}

}  // namespace
}  // namespace korvane
