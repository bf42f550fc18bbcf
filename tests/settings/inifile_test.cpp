#include "settings/inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

class Ini : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("Korvane.ini");
    void put(const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes() const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Ini, ReadsLikeTheProfileFunctions) {
    put("; comment\r\n[Settei]\r\n  cb24ji = 1 \r\nname=\"  quoted  \"\r\nempty=\r\n"
        "num=12abc\r\nhex=$1F\r\n[Other]\r\ncb24ji=0\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString("settei", "CB24JI", "x"), "1");  // case ignored, blanks trimmed
    EXPECT_EQ(ini.ReadString("Settei", "name", "x"), "  quoted  ");
    EXPECT_EQ(ini.ReadString("Settei", "empty", "x"), "");  // present but empty: not the default
    EXPECT_EQ(ini.ReadString("Settei", "missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nowhere", "cb24ji", "def"), "def");
    EXPECT_TRUE(ini.ReadBool("Settei", "cb24ji", false));
    EXPECT_FALSE(ini.ReadBool("Other", "cb24ji", true));
    EXPECT_EQ(ini.ReadInteger("Settei", "num", 7), 7);  // not a number: the default
    EXPECT_EQ(ini.ReadInteger("Settei", "hex", 7), 31);
    EXPECT_EQ(ini.ReadSection("Settei"), QStringList({"cb24ji", "name", "empty", "num", "hex"}));
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_FALSE(IniFile(dir.filePath("none.ini")).SectionExists("Settei"));
}

TEST_F(Ini, LongValuesAreCutAt2047) {
    put("[S]\r\nk=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(IniFile(path).ReadString("S", "k", "").size(), 2047);
}

TEST_F(Ini, WritesKeepEverythingElse) {
    // A stray byte that is not CP932 and a comment must survive a write elsewhere.
    put("; keep me\r\n[Header]\r\nVersion=Ver1.2.1\r\nodd=\xff\xfe\r\n\r\n[Settei]\r\ncb24ji=0\r\n");
    IniFile ini(path);
    ini.WriteBool("settei", "CB24JI", true);
    ini.WriteInteger("Settei", "fmC21Top", -20);
    ini.WriteString("Header", "Folder", "/home/u/korvane/");
    ini.WriteString("Option", "edtC1", "会議①");
    EXPECT_EQ(bytes(),
              "; keep me\r\n[Header]\r\nVersion=Ver1.2.1\r\nodd=\xff\xfe\r\nFolder=/home/u/korvane/\r\n"
              "\r\n[Settei]\r\nCB24JI=1\r\nfmC21Top=-20\r\n\r\n[Option]\r\nedtC1=\x89\xef\x8b\x63\x87\x40\r\n");
    EXPECT_EQ(ini.ReadString("Option", "EDTC1", ""), "会議①");
    EXPECT_EQ(ini.ReadInteger("Settei", "fmC21Top", 0), -20);
    ini.DeleteKey("SETTEI", "fmc21top");
    EXPECT_FALSE(ini.ValueExists("Settei", "fmC21Top"));
    ini.EraseSection("Header");
    EXPECT_FALSE(ini.SectionExists("Header"));
    EXPECT_TRUE(ini.ValueExists("Settei", "cb24ji"));
}

TEST_F(Ini, NewFileAndFailures) {
    IniFile fresh(dir.filePath("new.ini"));
    fresh.WriteString("Set", "cbPSelect", "1");
    EXPECT_EQ(fresh.ReadString("Set", "cbPSelect", ""), "1");
    // Text the Windows code page cannot hold is refused, not written as "?".
    EXPECT_THROW(fresh.WriteString("Set", "edtFolder1", "😀"), EIniError);
    EXPECT_EQ(fresh.ReadString("Set", "edtFolder1", "none"), "none");
    // A folder that does not exist cannot take the file; the error names it.
    IniFile nowhere(dir.filePath("missing/folder/x.ini"));
    try {
        nowhere.WriteString("S", "k", "v");
        FAIL();
    } catch (const EIniError& e) {
        EXPECT_NE(std::string(e.what()).find("x.ini"), std::string::npos);
    }
}

}  // namespace
}  // namespace korvane
