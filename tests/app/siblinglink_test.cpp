#include "app/siblinglink.h"

#include "../files.h"
#include "calendar/monthcalendar.h"
#include "core/codec.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class Link : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString program;
    void SetUp() override {
        program = mk("prog/");
        // Drives of a Wine prefix: d: and e: are folders of the test.
        QDir().mkpath(root.filePath("wine/dosdevices"));
        QFile::link(root.filePath("d"), root.filePath("wine/dosdevices/d:"));
        QFile::link(root.filePath("e"), root.filePath("wine/dosdevices/e:"));
        qputenv("WINEPREFIX", root.filePath("wine").toUtf8());
    }
    void TearDown() override { qunsetenv("WINEPREFIX"); }
    QString mk(const QString& folder) {
        QDir().mkpath(root.filePath(folder));
        return root.filePath(folder) + (folder.endsWith('/') ? "" : "/");
    }
    void put(const QString& path, const QString& text) {
        QDir().mkpath(QFileInfo(root.filePath(path)).path());
        ASSERT_TRUE(testing::WriteFile(root.filePath(path), *Cp932::encode(text)));
    }
};

TEST_F(Link, SwitchesAndVelmarIniWithSubFolders) {
    mk("d/Sched/");
    put("d/Sched/Velmar.ini",
        "[Set2]\r\nyDataForm=2\r\n[Settei]\r\nedFolder=E:\\Data\\\r\n[NbMCal]\r\nTabToSp=4\r\n"
        "[Option]\r\nedtCYotei=clRed\r\nedtCRokuyo=$00112233\r\n");
    SiblingLink link(program);
    link.Resolve({"/K=D:\\Sched\\", "/U=1"});
    EXPECT_EQ(link.StartFolder, root.filePath("wine/dosdevices/d:/Sched/"));
    EXPECT_EQ(link.SiblingKind, 1);
    EXPECT_EQ(link.DataForm, 2);
    const QString data = root.filePath("wine/dosdevices/e:/Data/");
    EXPECT_EQ(link.MonthDataFolder, data + "Data/Files1/");
    EXPECT_EQ(link.CommonFolder, data + "Data/");
    EXPECT_EQ(link.StartFolderPath, link.StartFolder);
    EXPECT_EQ(link.TabMojiSuu, 4);
    EXPECT_EQ(link.TabChousei, 150);
    EXPECT_EQ(link.ItemColor, clRed);
    EXPECT_EQ(link.RokuyoColor, 0x112233);
}

TEST_F(Link, MonthDataFolderFromTheCommandLine) {
    SiblingLink link(program);
    link.Resolve({"/D2=E:\\X\\Data\\Files1\\", "/U=x"});
    EXPECT_EQ(link.MonthDataFolder, root.filePath("wine/dosdevices/e:/X/Data/Files1/"));
    EXPECT_EQ(link.CommonFolder, root.filePath("wine/dosdevices/e:/X/Data/"));
    EXPECT_EQ(link.SiblingKind, 0);
    EXPECT_EQ(link.StartFolder, program);  // no /K= and no stored folder
}

// A Linux path has no 254-character limit: a long switch is taken whole.
TEST_F(Link, LongSwitchPathsAreKeptWhole) {
    const QString deep = "/" + QString(150, u'a') + "/" + QString(150, u'b') + "/";
    SiblingLink link(program);
    link.Resolve({"/K=" + deep, "/D=" + deep + "d/", "/S=" + deep + "s/", "/D2=" + deep + "m/"});
    EXPECT_EQ(link.StartFolder, deep);
    EXPECT_EQ(link.SiblingIniFolder, deep + "s/");
    EXPECT_EQ(link.MonthDataFolder, deep + "m/");
}

TEST_F(Link, KindFromTheStartFolderWhenLinked) {
    const QString start = mk("sib/");
    put("sib/Velmar.exe", "");
    SiblingLink link(program);
    link.Options.cbVelmar = true;
    link.Options.edtFolder1 = start;
    link.Resolve({});
    EXPECT_EQ(link.SiblingKind, 1);
    put("sib/TESSKA.EXE", "");  // letter case does not matter on the way in
    link.Resolve({});
    EXPECT_EQ(link.SiblingKind, 2);
    link.Options.cbVelmar = false;
    link.Resolve({});
    EXPECT_EQ(link.SiblingKind, 0);
}

TEST_F(Link, SampleDataStandsInWhenNothingElseIsThere) {
    put("prog/Ca200612.smp", "1,,,サンプル予定,\r\n");
    put("prog/CaFromTo.smp", "2006,12,1,M,2006,12,3,X,,12,1,1,clRed,サンプル期間\r\n");
    put("prog/Sday.smp", "12,24,サンプル記念日\r\n");
    put("prog/Hday.dat", "1,1,元日\r\n");
    SiblingLink link(program);
    link.Resolve({});
    MonthPage dec, jan;
    link.LoadMonthSlot(dec, 2006, 12);
    link.LoadMonthSlot(dec, 2006, 12);  // read once per run
    link.LoadMonthSlot(jan, 2007, 1);
    EXPECT_EQ(dec.Lines, QStringList{"1,,,サンプル予定,"});
    EXPECT_EQ(dec.Count, 1);
    EXPECT_EQ(link.SampleMonths, ",200612");
    EXPECT_EQ(jan.Lines, QStringList{" 0,0,9,2007/ 1"});
    QStringList periods;
    link.LoadPeriodFile(periods);
    EXPECT_EQ(periods.size(), 1);
    MonthCalendar cal;
    link.LoadRuleFiles(cal);
    EXPECT_EQ(cal.HolidayList(), QStringList{"1,1,元日"});
    EXPECT_EQ(cal.SpecialDayList(), QStringList{"12,24,サンプル記念日"});

    // "Do not read sample data", not linked: nothing at all.
    SiblingLink off(program);
    off.Options.cbReadSpl = true;
    off.Resolve({});
    MonthPage page;
    off.LoadMonthSlot(page, 2006, 12);
    EXPECT_TRUE(page.Lines.isEmpty());
    off.LoadPeriodFile(periods);
    EXPECT_TRUE(periods.isEmpty());
    off.LoadRuleFiles(cal);
    EXPECT_TRUE(cal.SpecialDayList().isEmpty());
}

TEST_F(Link, RealFilesWinAndBadRulesAreReported) {
    put("prog/Ca200612.vlm", "5,,,本物,\r\n");
    put("prog/Ca200612.smp", "1,,,サンプル,\r\n");
    put("prog/Hday.dat", "x,1,壊れた行\r\n");
    SiblingLink link(program);
    link.Resolve({"/U=2"});
    MonthPage dec;
    link.LoadMonthSlot(dec, 2006, 12);
    EXPECT_EQ(dec.Lines, QStringList{"5,,,本物,"});
    EXPECT_TRUE(link.SampleMonths.isEmpty());
    ScriptedPrompt prompt;
    MonthCalendar cal;
    link.LoadRuleFiles(cal);
    EXPECT_EQ(prompt.texts(), QStringList{"祭日ファイル読込ミス\r\n処理は続けます。"});
}

TEST_F(Link, OptionsFromPrintersIni) {
    IniFile ini(root.filePath("Printers.ini"));
    ini.WriteBool("Set", "cbVelmar", true);
    ini.WriteString("Set", "edtFolder1", "Z:\\home\\u\\Velmar\\");
    ini.WriteBool("Print", "cbUetume", true);
    SiblingLink link(program);
    link.LoadOptions(root.filePath("Printers.ini"));
    EXPECT_TRUE(link.Options.cbVelmar);
    EXPECT_TRUE(link.Options.cbUetume);
    EXPECT_TRUE(link.Options.cbSample);  // absent: the current state
    link.Resolve({});
    EXPECT_EQ(link.StartFolder, "/home/u/Velmar/");
}

}  // namespace
}  // namespace korvane
