#include "app/agenda.h"

#include "../golden.h"

#include "../files.h"
#include "core/codec.h"
#include "settings/inifile.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace korvane {
namespace {

class Agenda : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString err;

    QString folder(const QString& name) const {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name) + u'/';
    }
    void put(const QString& file, const QStringList& lines) const {
        ASSERT_TRUE(testing::WriteFile(file, *Cp932::encode(lines.join("\r\n") + "\r\n")));
    }
    QStringList run(const AgendaRequest& r, int expectedCode = 0) {
        std::FILE* out = std::tmpfile();
        std::FILE* errFile = std::tmpfile();
        EXPECT_EQ(WriteAgenda(r, folder("prog"), folder("settings"), out, errFile), expectedCode);
        const QString text = testing::ReadAndClose(out);
        err = testing::ReadAndClose(errFile);
        return text.split(u'\n');
    }
    // The lines of one day: its own line and the indented ones after it.
    static QStringList day(const QStringList& lines, const QString& date) {
        QStringList out;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith(date)) continue;
            out << lines[i];
            while (++i < lines.size() && lines[i].startsWith(u'\t')) out << lines[i];
            break;
        }
        return out;
    }
};

// A sibling that keeps its data in "Data/Files1" (yDataForm=2): items, the period, the special day
// from the data folder and the holiday from the start folder's Hday.dat, as recorded.
TEST_F(Agenda, ListsTheSiblingsMonthAsTheGridLaysItOut) {
    const QString start = folder("Velmar");
    const QString data = folder("VelmarData");
    IniFile velmar(start + "Velmar.ini");
    velmar.WriteString("Set2", "yDataForm", "2");
    velmar.WriteString("Settei", "edFolder", data);
    put(start + "Hday.dat", {"12,23,テスト祝日"});
    folder("VelmarData/Data/Files1");
    put(data + "Data/Sday.vlm", {"12,24,クリスマス会"});
    put(data + "Data/Files1/Ca202612.vlm",
        {"1,0,0,<B>役員会</B>", "1,0,0,<s>打合せ</s> 中止", "3,0,0,<H>秘密", "3,0,0,まだ秘密</H>",
         "3,0,0,見える", "5,0,0,一", "5,0,0,二", "5,0,0,三", "5,0,0,四", "5,0,0,五", "5,0,0,六",
         "9,0,0,タブ\tあり,clRed,0"});
    put(data + "Data/Files1/CaFromTo.vlm", {"2026,12,8,A,2026,12,9,A,0,12,8,2,clBlue,大阪出張"});
    // Sample files of the program folder are not read when the sibling has the month.
    put(folder("prog") + "Ca202612.smp", {"1,0,0,サンプル"});

    const QStringList lines = run({2026, 12, {"/K=" + start, "/U=1"}});
    EXPECT_TRUE(err.isEmpty()) << qPrintable(err);
    EXPECT_TRUE(testing::MatchesRecording("Agenda_202612", lines.join(u'\n')));
}

// Without the sibling the sample files stand in, unless the settings turn them off.
TEST_F(Agenda, SampleDataUnlessTurnedOff) {
    put(folder("prog") + "Ca202701.smp", {"15,0,0,サンプルの予定"});
    put(folder("prog") + "Sday.smp", {"1,20,サンプル記念日"});
    QStringList lines = run({2027, 1, {}});
    EXPECT_EQ(day(lines, "2027-01-15").mid(1), QStringList({"\tサンプルの予定"}));
    EXPECT_EQ(day(lines, "2027-01-20")[0].section(u'\t', 1, 2), "16\tサンプル記念日");
    IniFile(folder("settings") + "Printers.ini").WriteString("Set", "cbReadSpl", "1");
    lines = run({2027, 1, {}});
    EXPECT_EQ(day(lines, "2027-01-15").size(), 1);
    EXPECT_EQ(day(lines, "2027-01-20")[0].section(u'\t', 1, 2), "0\t");
}

// A broken holiday line is said on standard error; the listing goes on.
TEST_F(Agenda, ReadingProblemsGoToStandardError) {
    put(folder("prog") + "Hday.dat", {"1,1,元日", "x,y,z,壊れた行,,,"});
    const QStringList lines = run({2027, 1, {}});
    EXPECT_TRUE(err.startsWith("korvane: 祭日ファイル読込ミス 処理は続けます。"))
        << qPrintable(err);
    EXPECT_EQ(day(lines, "2027-01-01")[0].section(u'\t', 1, 2), "4\t元日");
}

}  // namespace
}  // namespace korvane
