#include "app/mainsettings.h"

#include "core/codec.h"
#include "settings/inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// "[Section]" and "Section/Key" for every line of the file, in file order.
QStringList keysInOrder(const QString& file) {
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QStringList out;
    QString section;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = Cp932::decode(raw).trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith(u'[')) {
            section = line.mid(1, line.size() - 2);
            out << line;
        } else {
            out << section + u'/' + line.section(u'=', 0, 0);
        }
    }
    return out;
}

QStringList keysOf(const QString& section, std::initializer_list<const char*> keys) {
    QStringList out{u'[' + section + u']'};
    for (const char* k : keys) out << section + u'/' + QString::fromLatin1(k);
    return out;
}

class SettingsFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// The writing order puts the title keys of [Option] first, so the picture keys written after
// [Settei] join that section.
TEST_F(SettingsFiles, KorvaneIniHoldsEveryKeyInItsOrder) {
    IniFile ini(path("Korvane.ini"));
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    KorvaneIni().Write(out);
    out.Commit();
    EXPECT_TRUE(problems.empty());
    const QStringList expected =
        keysOf("Header", {"Version", "Folder"}) +
        keysOf("Option", {"cbTColor", "edtTColor", "edtTCaption", "cbSs", "cbSsUse", "cbSsDateTime",
                          "edtSaveFolder", "edtFile1", "edtPRC1", "edtC1", "edtC2", "edtC3"}) +
        keysOf("Settei",
               {"udCalSize", "cb24ji", "cbShiyouchuu", "rgYFirstMonth", "HyoujiIchi", "fmC21Top",
                "fmC21Left", "rgStYoubi", "visRokuyou", "cbToubai", "SpHajimariTuki"});
    EXPECT_EQ(keysInOrder(path("Korvane.ini")), expected);
    EXPECT_EQ(ini.ReadString("Header", "Version", ""), "Ver1.2.1");
    EXPECT_EQ(ini.ReadString("Option", "edtTColor", ""), "clBlack");
    EXPECT_EQ(ini.ReadString("Settei", "cbShiyouchuu", ""), "1");
    EXPECT_EQ(ini.ReadString("Settei", "udCalSize", ""), "1");
    EXPECT_EQ(ini.ReadString("Option", "edtC3", ""), "Month3");
}

TEST_F(SettingsFiles, PrintersSetHoldsSevenKeysAndNeverWritesPrint) {
    IniFile ini(path("Printers.ini"));
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    PrintersSetSection set;
    set.cbUetume = true;
    set.Write(out);
    out.Commit();
    EXPECT_EQ(keysInOrder(path("Printers.ini")),
              keysOf("Set", {"cbPSelect", "cbSample", "cbReadSpl", "cbVelmar", "edtFolder1",
                             "cbFTP", "cbSprite"}));
    EXPECT_EQ(ini.ReadString("Set", "cbSprite", ""), "1");
    EXPECT_EQ(ini.ReadString("Set", "cbFTP", ""), "0");
}

TEST_F(SettingsFiles, MissingFilesGiveTheDefaults) {
    KorvaneIni k;
    k.Read(IniFile(path("none.ini")));
    EXPECT_EQ(k, KorvaneIni());
    PrintersSetSection p;
    p.Read(IniFile(path("none.ini")));
    EXPECT_EQ(p, PrintersSetSection());
}

TEST_F(SettingsFiles, EverySettingComesBack) {
    KorvaneIni k;
    k.Header.Folder = "/opt/korvane/";
    k.Settei = {1, true, false, 2, 1, -40, 1500, 1, true, false, 9};
    k.Image = {false, true, false, "/tmp/画像/", "Kor", "Info", "A", "B", "C"};
    IniFile ini(path("Korvane.ini"));
    SaveProblems problems;
    SettingsWriter out(ini, problems);
    k.Write(out);
    out.Commit();
    KorvaneIni back;
    back.Read(ini);
    EXPECT_EQ(back.Settei, k.Settei);
    EXPECT_EQ(back.Image, k.Image);

    PrintersSetSection p{false, false, true, true, "/home/共有/Velmar/", true, false, false};
    IniFile printers(path("Printers.ini"));
    SettingsWriter pout(printers, problems);
    p.Write(pout);
    pout.Commit();
    PrintersSetSection pback;
    pback.Read(printers);
    EXPECT_EQ(pback, p);
    EXPECT_TRUE(problems.empty());
}

// Keys in any letter case; numbers out of range come into range; what is only written is not read.
TEST_F(SettingsFiles, ReadingIsForgivingAndBounded) {
    QFile f(path("Korvane.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[SETTEI]\r\nRGYFIRSTMONTH=7\r\nhyoujiichi=-1\r\nrgStYoubi=5\r\nSpHajimariTuki=0\r\n"
        "udCalSize=0\r\nfmC21Top=-3000\r\n[option]\r\nCBSSUSE=1\r\ncbSs=1\r\ncbSsDateTime=0\r\n"
        "[Header]\r\nVersion=Ver0\r\n");
    f.close();
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
    QFile g(path("high.ini"));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("[Settei]\r\nSpHajimariTuki=13\r\nrgYFirstMonth=-2\r\n");
    g.close();
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
