#include "app/commandline.h"

#include "../files.h"
#include "app/streamprompt.h"
#include "core/prompt.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "testsupport.h"

#include <cstdio>
#include <memory>

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
    EXPECT_TRUE(testing::WriteFile(dir.filePath(name), bytes));
    return dir.filePath(name);
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

TEST(DaysQuery, NoHolidayFileBesideTheProgram) {
    QTemporaryDir dir;
    const Result r = run({"--days", "2026-01-01", "2026-01-01"}, dir.path() + "/");
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2026-01-01\t5\t0\t\t11/13\t大安\n");
    EXPECT_TRUE(r.err.contains("Hday.dat"));
}

// A day of a holiday file of the user's, in CP932 or UTF-8; its tabs become spaces (the shipped
// rules are pinned by the hash of 1970..2050 in cli_test.sh).
TEST(DaysQuery, AHolidayFileOfTheUsersInEitherCodePage) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"12,24,\x83\x43\x83\x75\r\n12,24,\"Christmas Eve\"\r\n", "イブ,\"Christmas Eve\""},
        {"\xEF\xBB\xBF"
         "12,24,\xE3\x82\xA4\xE3\x83\x96\n",
         "イブ"},
        {"12,24,\"A\tB\"\r\n12,24,\"C\t\tD\"\r\n", "\"A B\",\"C  D\""},  // a name is one field
    };
    QTemporaryDir dir;
    for (const auto& [hday, name] : cases) {
        const Result r =
            run({"--days", "2026-12-24", "2026-12-24", "--hday", writeFile(dir, "h.dat", hday)});
        EXPECT_EQ(r.code, 0) << name;
        EXPECT_EQ(r.out, "2026-12-24\t5\t4\t" + QString::fromUtf8(name) + "\t11/16\t友引\n");
        EXPECT_EQ(r.err, "") << name;
    }
}

// Just under two hundred years is allowed, every day printed once; 1500 is a Julian leap year.
TEST(DaysQuery, LongRangesAndJulianLeapDays) {
    EXPECT_EQ(run({"--days", "1500-02-29", "1500-02-29"}).code, 0);
    const Result r = run({"--days", "1900-01-01", "2099-12-31"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out.count(u'\n'), 73049);
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
        {"--print", "NA4P", "--month", "202605", "--pdf", "a.pdf"},
        {"--print", "GA4P", "--bw", "--pdf", "a.pdf"},
        {"--print", "GA4P"},
        {"--print", "GA4P", "--paper", "A4", "--pdf", "a.pdf"},
        {"--print", "Fax", "--paper", "A3", "--pdf", "a.pdf"},
        {"--print", "Soufu", "--lines", "3", "--pdf", "a.pdf"},
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
        {"--picture", "202613", "--gif", "a.gif"},
        {"--picture", "202612"},
        {"--picture", "202612", "--gif"},
        {"--picture", "202612", "--png", "a.png", "--today", "2026-13-01"},
        {"--picture", "202612", "--png", "a.png", "--pdf", "a.pdf"},
        {"--upload"},
        {"--upload", "--host", "h"},
        {"--upload", "a.gif", "--host"},
        {"--ftp-check", "a.gif"},
        {"--ftp-check", "--password", "x"},
    };
    for (const QStringList& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.startsWith("korvane: ")) << qPrintable(args.join(' '));
        EXPECT_EQ(r.err.count(u'\n'), 1) << qPrintable(args.join(' '));
    }
    EXPECT_TRUE(run({"--days", "1582-10-10", "1582-10-20"}).err.contains("1582/10/5-10/14"));
    EXPECT_TRUE(run({"--days", "2026-1-1", "2026-01-02"}).err.contains("YYYY-MM-DD の形"));
    // Two hundred years after these lies in the dropped days of 1582: said so, not a crash.
    for (const char* from : {"1382-10-05", "1382-10-10", "1382-10-14"}) {
        const Result r = run({"--days", from, "1382-10-20"});
        EXPECT_EQ(r.code, 2) << from;
        EXPECT_EQ(r.err.count(u'\n'), 1) << from;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(from).replace("1382", "1582") +
                                   ") は暦の切り替えで存在しない日付です"))
            << qPrintable(r.err);
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

// The agenda, the picture and the composed calendar are handed on with what they were given.
TEST(CommandLine, AgendaPictureAndComposeAreHandedOn) {
    const auto parse = [](const QStringList& args) {
        auto cli = std::make_unique<CommandLine>(args, "/tmp/");
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_FALSE(cli->run(out, err).has_value()) << qPrintable(args.join(' '));
        std::fclose(out);
        std::fclose(err);
        return cli;
    };
    const auto agenda = parse({"--agenda", "202701"});
    ASSERT_TRUE(agenda->Agenda().has_value());
    EXPECT_EQ(agenda->Agenda()->Month, 1);
    for (const bool compose : {false, true}) {
        const auto cli = parse({compose ? "--compose" : "--picture", "202612", "--gif", "a.gif"});
        ASSERT_TRUE(cli->Picture().has_value()) << compose;
        EXPECT_EQ(cli->Picture()->Compose, compose);
    }
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
    // No arguments, or the sibling program's switches, ask for the window.
    EXPECT_FALSE(run({}).code.has_value());
    EXPECT_FALSE(run({"/K=C:\\Velmar\\"}).code.has_value());
}

// Without a window a question is written on one line and answered no.
TEST(StreamPrompt, QuestionsAreWrittenAndAnsweredNo) {
    std::FILE* err = std::tmpfile();
    ErrorStreamPrompt prompt(err);
    EXPECT_FALSE(prompt.askYesNo("続けますか？\r\n\tはい", "確認", false));
    EXPECT_EQ(ReadAndClose(err), "korvane: 続けますか？  はい\n");
    std::FILE* strictErr = std::tmpfile();  // a command that cannot ask still says what it asked
    NoAnswerPrompt strict(strictErr);
    EXPECT_THROW(strict.askYesNo("上書きしますか？", "確認", false), QuestionAsked);
    EXPECT_EQ(ReadAndClose(strictErr), "korvane: 上書きしますか？\n");
}

}  // namespace
}  // namespace korvane
