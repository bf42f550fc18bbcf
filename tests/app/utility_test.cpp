#include "app/utility.h"
#include "app/ftpsettings.h"

#include "../files.h"
#include "core/codec.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(StringListEx, TextHasNoSeparatorsAndSplitsEveryLineEnd) {
    StringList list;
    list.SetText("a\r\nb\rc\nd\r\n");
    EXPECT_EQ(list, QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "abcd");
    list.SetText("");
    EXPECT_TRUE(list.isEmpty());
    list.SetText("\r\n\r\n");
    EXPECT_EQ(list, QStringList({"", ""}));
}

TEST(Utility, TextHelpers) {
    EXPECT_EQ(RightChars("001", 2), "01");
    EXPECT_EQ(RightChars("ab", 5), "ab");
    EXPECT_EQ(RightChars("ab", 0), "");
    EXPECT_EQ(RightChars("ab", 1), "b");
    EXPECT_EQ(IfThenText(true, "a", "b"), "a");
    EXPECT_EQ(LastFolderName("/x/Data/Files1/"), "Files1");
    QStringList list{"keep"};
    SplitToList("a,,b", list, u',');
    EXPECT_EQ(list, QStringList({"keep", "a", "", "b"}));
}

TEST(Utility, ScrambleIsItsOwnInverseAndLeavesControlsAlone) {
    const QByteArray key = "Kvrnm";
    const QByteArray texts[] = {"edtPassword=secret", "\t\r\n", *Cp932::encode("サーバー＝会社"),
                                QByteArray(300, 'z'), QByteArray()};
    for (const QByteArray& t : texts) {
        const QByteArray s = ScrambleText(t, key);
        EXPECT_EQ(ScrambleText(s, key), t);
        for (qsizetype i = 0; i < t.size(); ++i)
            if (std::uint8_t(t[i]) <= 31) {
                EXPECT_EQ(s[i], t[i]);
            }
    }
    EXPECT_NE(ScrambleText("edtPassword=secret", key), "edtPassword=secret");
    EXPECT_EQ(ScrambleText("edtPassword=secret", ""), "edtPassword=secret");  // no key, no change
}

TEST(Utility, ScrambledIniRoundTripsAndIsPrivate) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    IniFile ini = IniFile::InMemory();
    ini.WriteString("Set", "edtFtpServer", "ftp.example.jp");
    ini.WriteString("Set", "edtUserID", "ユーザー");
    ini.WriteString("Set", "edtPassword", QString(150, u'p'));  // long enough for two lines
    ini.WriteString("Set", "edtCurrentDir", "/");
    ASSERT_TRUE(ScrambledIniFile("Save", ini, QString(), QByteArray(), "Korvane.bini", program));
    const QByteArray stored = testing::ReadFile(program + "Korvane.bini");
    EXPECT_EQ(stored.indexOf("\r\n"), 217);  // the marker line
    EXPECT_FALSE(stored.contains("ftp.example.jp"));
    EXPECT_EQ(QFile::permissions(program + "Korvane.bini") & (QFile::ReadGroup | QFile::ReadOther),
              0);

    IniFile back = IniFile::InMemory();
    ASSERT_TRUE(ScrambledIniFile("Load", back, QString(), QByteArray(), "Korvane.bini", program));
    EXPECT_EQ(back.Bytes(), ini.Bytes());
    EXPECT_EQ(back.ReadString("Set", "edtUserID", ""), "ユーザー");
    EXPECT_EQ(back.ReadString("set", "edtPassword", "").size(), 150);
    IniFile missing = IniFile::InMemory();
    EXPECT_FALSE(ScrambledIniFile("Load", missing, QString(), QByteArray(), "none.bini", program));
}

// Control bytes inside a line (a lone CR, the separator's 0x1E 0x1F, the escape byte itself) come
// back as they were and do not shift the key for the rest of the line.
TEST(Utility, ScrambledLinesKeepTheirControlBytes) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    const QByteArray text =
        "[Set]\r\nedtPassword=a\rb\x1e\x1f"
        "c\x1e\x02"
        "d\x1e\r\n"
        "edtUserID=\x1fx\x1ey\x1e\r\n";
    IniFile ini = IniFile::InMemory(text);
    ASSERT_TRUE(ScrambledIniFile("Save", ini, QString(), QByteArray(), "Korvane.bini", program));
    IniFile back = IniFile::InMemory();
    ASSERT_TRUE(ScrambledIniFile("Load", back, QString(), QByteArray(), "Korvane.bini", program));
    EXPECT_EQ(back.Bytes(), text);
    // Lines without control bytes are stored as before: their only 0x1E are the separators.
    IniFile plain = IniFile::InMemory("[Set]\r\nedtFtpServer=ftp.example.jp\r\n");
    ASSERT_TRUE(ScrambledIniFile("Save", plain, QString(), QByteArray(), "plain.bini", program));
    const QByteArray stored = testing::ReadFile(program + "plain.bini");
    EXPECT_EQ(stored.count('\x1e'), 2);
    EXPECT_EQ(stored.count("\x1e\x1f"), 2);
}

TEST(FtpSettingsFile, DefaultsRoundTripAndRefusals) {
    QTemporaryDir dir;
    const QString settings = dir.path() + "/";
    const QString program = dir.path() + "/prog/";  // holds no file
    FtpSettings s;
    ASSERT_TRUE(s.Load(settings, program));  // no file: the defaults
    EXPECT_EQ(s.Password, "");
    EXPECT_EQ(s.CurrentDir, "/");
    ASSERT_TRUE(s.Save(settings));
    EXPECT_FALSE(QFile::exists(settings + "Korvane.bini"));  // defaults are not written
    s.Server = "ftp.example.jp";
    s.UserID = "ユーザー";
    s.Password = "秘密のpass=1;2";
    s.CurrentDir = "/public_html/cal/";
    ASSERT_TRUE(s.Save(settings));
    FtpSettings back;
    ASSERT_TRUE(back.Load(settings, program));
    EXPECT_EQ(back.Server, s.Server);
    EXPECT_EQ(back.UserID, s.UserID);
    EXPECT_EQ(back.Password, s.Password);
    EXPECT_EQ(back.CurrentDir, s.CurrentDir);
    // Unchanged values are not written again.
    QFile::remove(settings + "Korvane.bini");
    ASSERT_TRUE(back.Save(settings));
    EXPECT_FALSE(QFile::exists(settings + "Korvane.bini"));
    // A password the settings file cannot hold is refused, and the old file stays.
    back.Password = "別";
    ASSERT_TRUE(back.Save(settings));
    FtpSettings odd = back;
    odd.Password = "😀";
    EXPECT_FALSE(odd.Save(settings));
    ASSERT_TRUE(back.Load(settings, program));
    EXPECT_EQ(back.Password, "別");
    back.Password = "新";
    EXPECT_FALSE(back.Save("/proc/korvane/"));  // nor can a folder that takes no files
}

TEST(FtpSettingsFile, ACopyBesideTheProgramMovesToTheSettingsFolder) {
    QTemporaryDir dir;
    const QString settings = dir.path() + "/settings/";
    const QString program = dir.path() + "/prog/";
    QDir().mkpath(settings);
    QDir().mkpath(program);
    FtpSettings old;
    old.Server = "ftp.example.jp";
    ASSERT_TRUE(old.Save(program));
    FtpSettings s;
    ASSERT_TRUE(s.Load(settings, program));
    EXPECT_EQ(s.Server, "ftp.example.jp");
    ASSERT_TRUE(s.Save(settings));
    EXPECT_FALSE(QFile::exists(program + "Korvane.bini"));
    EXPECT_EQ(QFileInfo(settings + "Korvane.bini").permissions() & 0x0077, 0);  // the owner's alone
    FtpSettings back;
    ASSERT_TRUE(back.Load(settings, dir.path() + "/none/"));
    EXPECT_EQ(back.Server, "ftp.example.jp");
}

// A file that is there but cannot be read is a failure, not an empty account: the window then
// leaves it alone. Root reads every file, but not this one.
TEST(FtpSettingsFile, AnUnreadableFileFailsToLoad) {
    QTemporaryDir dir;
    const QString file = "/proc/sys/vm/drop_caches";
    if (!QFileInfo(file).isFile()) GTEST_SKIP() << "no /proc here";
    ASSERT_TRUE(QFile::link(file, dir.filePath("Korvane.bini")));
    EXPECT_FALSE(FtpSettings().Load(dir.path() + "/", dir.path() + "/"));
}

TEST(Utility, GenerationsKeepTheNewestThree) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    for (int run = 1; run <= 4; ++run) {
        ASSERT_TRUE(testing::WriteFile(program + "Korvane.ini", QByteArray::number(run)));
        ASSERT_TRUE(MoveToSafeGuard(program, "Korvane.ini", 3));
        EXPECT_FALSE(QFileInfo::exists(program + "Korvane.ini"));
    }
    const QDir guard(program + "SafeGuard");
    EXPECT_EQ(guard.entryList(QDir::Files, QDir::Name),
              QStringList({"01_Korvane.ini", "02_Korvane.ini", "03_Korvane.ini"}));
    EXPECT_EQ(testing::ReadFile(program + "SafeGuard/01_Korvane.ini"), "4");
    ScriptedPrompt prompt;
    EXPECT_FALSE(GenerationBackup(program + "none.ini", program + "SafeGuard", 3));
    EXPECT_FALSE(GenerationBackup(program + "SafeGuard/01_Korvane.ini", program + "X", 33));
    EXPECT_EQ(prompt.texts(), QStringList({"[" + program + "none.ini]がありません。",
                                           "世代の数が正しくありません。"}));
}

TEST(Utility, EnsureFolderAsksFirst) {
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    const QString folder = dir.path() + "/a/b/";
    EXPECT_FALSE(EnsureFolder(folder, false, false));
    EXPECT_FALSE(EnsureFolder(folder, true, true));  // answered no
    EXPECT_EQ(prompt.texts().front(),
              "フォルダ[" + dir.path() + "/a/b]が存在しません。\r\n作成しますか。");
    prompt.answer(true);
    EXPECT_TRUE(EnsureFolder(folder, true, true));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(EnsureFolder(folder, false, false));
}

TEST(Utility, FilesAndMasks) {
    QTemporaryDir dir;
    const QString src = dir.filePath("Ca202612.vlm");
    ASSERT_TRUE(testing::WriteFile(src, QByteArray(100000, 'x')));
    EXPECT_TRUE(FileMaskExists(dir.filePath("Ca2026*.vlm")));
    EXPECT_FALSE(FileMaskExists(dir.filePath("Ca2027*.vlm")));
    EXPECT_TRUE(CopyFileStream(src, dir.filePath("copy.vlm")));
    EXPECT_EQ(QFileInfo(dir.filePath("copy.vlm")).size(), 100000);
    EXPECT_FALSE(CopyFileStream(dir.filePath("none"), dir.filePath("copy2.vlm")));
}

}  // namespace
}  // namespace korvane
