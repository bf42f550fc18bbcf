#include "app/mainsettings.h"

#include "../golden.h"

#include "../files.h"
#include "core/codec.h"
#include "settings/inifile.h"
#include "testsupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class SettingsFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// Both files against their recordings: as a new start writes them (every key in its order, the
// title keys of [Option] first so that the picture keys written after [Settei] join that section;
// [Set] without the print window's keys), and a file changing every key read and written back:
// what is read comes back; the keys only ever written (the folder, the title keys, udCalSize,
// cbSs) go back to what a new start writes.
TEST_F(SettingsFiles, BothFilesAsWrittenAndReadBack) {
    const auto written = [](const QByteArray& bytes) {
        const IniFile from = IniFile::InMemory(bytes);
        KorvaneIni korvane;
        PrintersSetSection set;
        korvane.Read(from);
        set.Read(from);
        set.cbUetume = true;  // [Print] is the print window's
        return testing::WrittenSettings(korvane, set);
    };
    EXPECT_TRUE(testing::MatchesIniRoundTrip("Ini", written));
}

// Keys in any letter case; numbers out of range come into range; what is only written is not read.
TEST_F(SettingsFiles, ReadingIsForgivingAndBounded) {
    ASSERT_TRUE(testing::WriteFile(
        path("Korvane.ini"),
        "[SETTEI]\r\nRGYFIRSTMONTH=7\r\nhyoujiichi=-1\r\nrgStYoubi=5\r\nSpHajimariTuki=0\r\n"
        "udCalSize=0\r\nfmC21Top=-3000\r\n[option]\r\nCBSSUSE=1\r\ncbSs=1\r\ncbSsDateTime=0\r\n"
        "[Header]\r\nVersion=Ver0\r\n"));
    KorvaneIni k;
    k.Read(IniFile(path("Korvane.ini")));
    EXPECT_EQ(k.Settei.rgYFirstMonth, 2);
    EXPECT_EQ(k.Settei.HyoujiIchi, 0);
    EXPECT_EQ(k.Settei.rgStYoubi, 1);
    EXPECT_EQ(k.Settei.SpHajimariTuki, 1);
    EXPECT_EQ(k.Settei.fmC21Top, -3000);  // the window placement keeps it on screen
    EXPECT_EQ(k.Settei.udCalSize, 1);
    EXPECT_TRUE(k.Image.cbSsUse);
    EXPECT_FALSE(k.Image.cbSs);
    EXPECT_FALSE(k.Image.cbSsDateTime);
    EXPECT_EQ(k.Header.Version, "Ver1.2.1");
    k.Settei.SpHajimariTuki = 13;
    ASSERT_TRUE(testing::WriteFile(path("high.ini"),
                                   "[Settei]\r\nSpHajimariTuki=13\r\nrgYFirstMonth=-2\r\n"));
    KorvaneIni high;
    high.Read(IniFile(path("high.ini")));
    EXPECT_EQ(high.Settei.SpHajimariTuki, 12);
    EXPECT_EQ(high.Settei.rgYFirstMonth, 0);
}

// A value the code page cannot hold is noted with its key; the keys after it are still written.
TEST_F(SettingsFiles, OneBadValueIsNotedAndTheRestWritten) {
    IniFile ini(path("Korvane.ini"));
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    KorvaneIni k;
    k.Header.Folder = "/home/jürgen/";
    k.Image.edtC3 = "Ω→ü";
    k.Write(out);
    out.Commit();
    QStringList keys;
    for (const auto& [reason, names] : problems) keys += names;
    keys.sort();
    EXPECT_EQ(keys, QStringList({"Folder", "edtC3"}));
    EXPECT_EQ(ini.ReadString("Settei", "SpHajimariTuki", ""), "1");
    EXPECT_EQ(ini.ReadString("Option", "edtC2", ""), "Month2");
    EXPECT_FALSE(ini.ValueExists("Header", "Folder"));
}

}  // namespace
}  // namespace korvane
