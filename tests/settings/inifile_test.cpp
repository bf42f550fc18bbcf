#include "settings/inifile.h"
#include "../files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvane {
namespace {

class Ini : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("Korvane.ini");
    void put(const QByteArray& bytes) { ASSERT_TRUE(testing::WriteFile(path, bytes)); }
    QByteArray bytes() const { return testing::ReadFile(path); }
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
    put("; keep "
        "me\r\n[Header]\r\nVersion=Ver1.2.1\r\nodd=\xff\xfe\r\n\r\n[Settei]\r\ncb24ji=0\r\n");
    IniFile ini(path);
    ini.WriteBool("settei", "CB24JI", true);
    ini.WriteInteger("Settei", "fmC21Top", -20);
    ini.WriteString("Header", "Folder", "/home/u/korvane/");
    ini.WriteString("Option", "edtC1", "会議①");
    EXPECT_EQ(
        bytes(),
        "; keep me\r\n[Header]\r\nVersion=Ver1.2.1\r\nodd=\xff\xfe\r\nFolder=/home/u/korvane/\r\n"
        "\r\n[Settei]\r\ncb24ji=1\r\nfmC21Top=-20\r\n\r\n[Option]\r\nedtC1="
        "\x89\xef\x8b\x63\x87\x40\r\n");
    EXPECT_EQ(ini.ReadString("Option", "EDTC1", ""), "会議①");
    EXPECT_EQ(ini.ReadInteger("Settei", "fmC21Top", 0), -20);
    ini.DeleteKey("SETTEI", "fmc21top");
    EXPECT_FALSE(ini.ValueExists("Settei", "fmC21Top"));
    ini.EraseSection("Header");
    EXPECT_FALSE(ini.SectionExists("Header"));
    EXPECT_TRUE(ini.ValueExists("Settei", "cb24ji"));
}

// Only blanks and tabs are trimmed: full-width spaces belong to the value.
TEST_F(Ini, FullWidthSpacesAreKept) {
    IniFile ini(path);
    ini.WriteString("Option", "edtC1", QStringLiteral("\u3000会議\u3000"));
    EXPECT_EQ(ini.ReadString("Option", "edtC1", ""), QStringLiteral("\u3000会議\u3000"));
    put(QByteArray("[S]\r\n\tk\t=\t\x81\x40x \r\n"));
    EXPECT_EQ(IniFile(path).ReadString("S", "k", ""), QStringLiteral("\u3000x"));
}

// A pasted line break stays inside its value: no new line, no new section.
TEST_F(Ini, ValuesAreWrittenOnOneLine) {
    IniFile ini(path);
    ini.WriteString("Set", "edtFolder1", "/home/u\r\n[Settei]\nCB24JI=0\rx");
    ini.WriteString("Set", "next", "1");
    EXPECT_EQ(bytes(), "[Set]\r\nedtFolder1=/home/u [Settei] CB24JI=0 x\r\nnext=1\r\n");
    EXPECT_EQ(ini.ReadSection("Set"), QStringList({"edtFolder1", "next"}));
    EXPECT_FALSE(ini.SectionExists("Settei"));
}

// A key that stands twice goes entirely: deleting one must not uncover the other.
TEST_F(Ini, DeletingAKeyTakesEveryCopy) {
    put("[S]\r\nk=new\r\nother=1\r\nK=old\r\n[T]\r\nk=t\r\n");
    IniFile ini(path);
    ini.DeleteKey("S", "k");
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_EQ(ini.ReadString("S", "k", "none"), "none");
    EXPECT_EQ(bytes(), "[S]\r\nother=1\r\n[T]\r\nk=t\r\n");
}

// Saved by a Linux editor with a byte-order mark: read as UTF-8, written back as CP932, and the
// section is found (no second one appended).
TEST_F(Ini, Utf8WithByteOrderMark) {
    put("\xEF\xBB\xBF[Settei]\r\nedtC1=" + QStringLiteral("会議").toUtf8() + "\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Settei", "edtC1", ""), "会議");
    EXPECT_TRUE(ini.SectionExists("Settei"));
    ini.WriteBool("Settei", "CB24JI", true);
    EXPECT_EQ(bytes(), "[Settei]\r\nedtC1=\x89\xef\x8b\x63\r\nCB24JI=1\r\n");
}

// A UTF-8 file holding text CP932 cannot hold stays UTF-8, whole: a write elsewhere must not
// leave that line as bytes a CP932 reading turns into something else.
TEST_F(Ini, Utf8BeyondCp932StaysUtf8) {
    put("\xEF\xBB\xBF[Set]\r\nedtFolder1=/home/jürgen/\r\nx=会議\r\n");
    IniFile ini(path);
    ini.WriteString("Set", "cbVelmar", "1");
    ini.WriteString("Set", "x", "😀");
    EXPECT_EQ(bytes(), "\xEF\xBB\xBF[Set]\r\nedtFolder1=/home/jürgen/\r\nx=😀\r\ncbVelmar=1\r\n");
    EXPECT_EQ(ini.ReadString("Set", "edtFolder1", ""), "/home/jürgen/");
    // Once the text fits CP932 again, the next write puts the file back into CP932.
    ini.WriteString("Set", "edtFolder1", "/home/u/");
    ini.WriteString("Set", "x", "会議");
    ini.WriteString("Set", "cbVelmar", "0");
    EXPECT_EQ(bytes(), "[Set]\r\nedtFolder1=/home/u/\r\nx=\x89\xef\x8b\x63\r\ncbVelmar=0\r\n");
}

// A key keeps its spelling when its value changes, even one with a carriage return in its name
// (found by fuzzing: the name was rewritten and the key lost).
TEST_F(Ini, ChangedKeysKeepTheirSpelling) {
    put("[Set]\r\nOdd\rName=1\r\nCBVELMAR=0\r\n");
    IniFile ini(path);
    ini.WriteString("Set", "Odd\rName", "2");
    ini.WriteString("set", "cbVelmar", "1");
    EXPECT_EQ(bytes(), "[Set]\r\nOdd\rName=2\r\nCBVELMAR=1\r\n");
    EXPECT_EQ(ini.ReadString("Set", "Odd\rName", ""), "2");
}

// What a settings file that cannot be read does to the calls: a bit for each that went wrong.
int unreadableFileFaults(const QString& path) {
    int faults = 0;
    IniFile ini(path);
    if (ini.ReadString("Settei", "CB24JI", "def") != "def") faults |= 1;
    auto refused = [&](auto&& write) {
        try {
            write();
        } catch (const EIniError&) {
            return true;
        }
        return false;
    };
    if (!refused([&] { ini.WriteBool("Settei", "CB24JI", false); })) faults |= 2;
    if (!refused([&] { ini.DeleteKey("Settei", "CB24JI"); })) faults |= 4;
    if (!refused([&] { ini.EraseSection("Option"); })) faults |= 8;
    return faults;
}

// A file that is there but cannot be read is left as it is: a write would wipe the rest. Root
// reads every file, so there the calls are made by a child that has become "nobody".
TEST_F(Ini, UnreadableFileIsNeverWrittenOver) {
    put("[Settei]\r\nCB24JI=1\r\n[Option]\r\nedtC1=x\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (::geteuid() != 0) {
        EXPECT_EQ(unreadableFileFaults(path), 0);
    } else {
        constexpr uid_t kNobody = 65534;
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
            ::_exit(unreadableFileFaults(path));
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(bytes(), "[Settei]\r\nCB24JI=1\r\n[Option]\r\nedtC1=x\r\n");
}

TEST_F(Ini, NewFileAndFailures) {
    IniFile fresh(dir.filePath("new.ini"));
    fresh.WriteString("Set", "cbPSelect", "1");
    EXPECT_EQ(fresh.ReadString("Set", "cbPSelect", ""), "1");
    // Text the Windows code page cannot hold is refused, not written as "?".
    EXPECT_THROW(fresh.WriteString("Set", "edtFolder1", "😀"), EIniError);
    try {
        fresh.WriteString("Set", "edtFolder1", "/home/jürgen/");
        FAIL();
    } catch (const EIniError& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("「ü」"), -1) << e.what();  // named alone
    }
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

// A hold reads the file once and writes it once, at its commit.
TEST_F(Ini, AHoldReadsOnceAndWritesOnce) {
    put("[Settei]\r\na=1\r\nb=2\r\n");
    {
        IniFile::Hold hold(path);
        IniFile ini(path);
        EXPECT_EQ(ini.ReadString("Settei", "a", ""), "1");
        put("[Settei]\r\na=changed behind\r\n");
        EXPECT_EQ(ini.ReadString("Settei", "b", ""), "2");  // not read again
        {
            IniFile::Hold inner(ini);
            IniFile(path).WriteString("Settei", "c", "3");
            ini.DeleteKey("Settei", "a");
            inner.Commit();  // the outer hold writes
        }
        EXPECT_EQ(bytes(), "[Settei]\r\na=changed behind\r\n");
        hold.Commit();
        EXPECT_EQ(bytes(), "[Settei]\r\nb=2\r\nc=3\r\n");
        put("[Settei]\r\nlater=1\r\n");
    }
    EXPECT_EQ(bytes(), "[Settei]\r\nlater=1\r\n");  // what was written is not written again
    // Without a hold, each read sees the file as it is.
    put("[Settei]\r\nb=4\r\n");
    EXPECT_EQ(IniFile(path).ReadString("Settei", "b", ""), "4");
    // A failed commit says so and leaves the file.
    IniFile::Hold nowhere(dir.filePath("missing/x.ini"));
    IniFile(dir.filePath("missing/x.ini")).WriteString("S", "k", "v");
    EXPECT_THROW(nowhere.Commit(), EIniError);
}

}  // namespace
}  // namespace korvane
