#include "app/commandline.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace korvane {
namespace {

struct Result {
    std::optional<int> code;
    QString out;
    QString err;
};

QString readAll(std::FILE* f) {
    std::rewind(f);
    QByteArray b;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.append(buf, qsizetype(n));
    std::fclose(f);
    return QString::fromUtf8(b);
}

Result run(QStringList args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Result r;
    r.code = CommandLine(std::move(args)).run(out, err);
    r.out = readAll(out);
    r.err = readAll(err);
    return r;
}

QStringList lines(const QString& out) { return out.split(u'\n', Qt::SkipEmptyParts); }

TEST(DaysQuery, LineFormatAndWeekendKinds) {
    const Result r = run({"--days", "1999-12-31", "2000-01-03"});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    const QStringList expected = {
        "1999-12-31\t6\t0\t\t0/0\t",
        "2000-01-01\t7\t2\t\t0/0\t",
        "2000-01-02\t1\t1\t\t0/0\t",
        "2000-01-03\t2\t0\t\t0/0\t",
    };
    EXPECT_EQ(lines(r.out), expected);
    EXPECT_TRUE(r.out.endsWith(u'\n'));
    EXPECT_TRUE(r.err.isEmpty());
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
        {"--days", "２０２６-01-01", "2026-01-02"},
        {"--version", "x"},
        {"--help", "x"},
        {"--frobnicate"},
        {"-x"},
    };
    for (const QStringList& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(args.join(' '));
        EXPECT_TRUE(r.err.startsWith("korvane: ")) << qPrintable(args.join(' '));
        EXPECT_EQ(r.err.count(u'\n'), 1) << qPrintable(args.join(' '));
    }
    EXPECT_TRUE(run({"--days", "1582-10-10", "1582-10-20"}).err.contains("1582/10/5-10/14"));
}

TEST(CommandLine, VersionHelpAndWindow) {
    const Result version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith("Korvane "));
    const Result help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("--days FROM TO"));
    EXPECT_TRUE(help.out.contains("0/0"));
    // No arguments, or the sibling program's switches, ask for the window.
    EXPECT_FALSE(run({}).code.has_value());
    EXPECT_FALSE(run({"/K=C:\\Velmar\\"}).code.has_value());
}

}  // namespace
}  // namespace korvane
