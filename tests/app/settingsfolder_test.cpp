#include "app/settingsfolder.h"

#include "../files.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvane {
namespace {

void put(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(testing::WriteFile(path, bytes));
}

TEST(SettingsFolder, FirstStartMovesTheOldSettingsOver) {
    QTemporaryDir dir;
    const QString program = dir.filePath("prog") + "/";
    QDir().mkpath(program);
    put(program + "Korvane.ini", "[Settei]\r\ncb24ji=1\r\n");
    const SettingsFolderChoice place =
        ChooseSettingsFolder(program, dir.filePath("config/Norbel/Korvane"));
    EXPECT_EQ(place.Folder, dir.filePath("config/Norbel/Korvane") + "/");
    EXPECT_FALSE(place.FirstRunFlag);
    EXPECT_TRUE(IniFile(place.Folder + "Korvane.ini").ReadBool("Settei", "cb24ji", false));
    EXPECT_FALSE(QFileInfo::exists(program + "Korvane.ini"));
    EXPECT_TRUE(QFileInfo::exists(program + "SafeGuard/01_Korvane.ini"));
    // An existing folder is left as it is.
    put(program + "Printers.ini", "x");
    ChooseSettingsFolder(program, dir.filePath("config/Norbel/Korvane"));
    EXPECT_TRUE(QFileInfo::exists(program + "Printers.ini"));
}

TEST(SettingsFolder, BesideTheProgramWithTheFirstRunFlag) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    put(program + "localfol.vlm", "[Set]\r\nFirst=1\r\n");
    const SettingsFolderChoice place = ChooseSettingsFolder(program, dir.filePath("config"));
    EXPECT_EQ(place.Folder, program);
    EXPECT_TRUE(place.FirstRunFlag);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("config")));
    // Kept until the set-up question can be asked: reading it changes nothing.
    EXPECT_TRUE(ChooseSettingsFolder(program, dir.filePath("config")).FirstRunFlag);
    EXPECT_TRUE(IniFile(program + "localfol.vlm").ReadBool("Set", "First", false));
}

// Whether the old settings file is still in the program folder after a first start whose copy
// could not read it (the file is there but closed to the user).
bool oldSettingsStay(const QString& program, const QString& config) {
    ScriptedPrompt prompt;
    ChooseSettingsFolder(program, config);
    return QFileInfo::exists(program + "Korvane.ini") &&
           !QFileInfo::exists(config + "/Korvane.ini") && prompt.texts().size() == 1 &&
           prompt.texts()[0].contains("コピーできません");
}

// A copy that cannot be made leaves the old settings where they are, and says so. Root reads
// every file, so there a child that has become "nobody" makes the start.
TEST(SettingsFolder, FailedCopyLeavesTheOldSettingsInPlace) {
    QTemporaryDir dir;
    const QString program = dir.filePath("prog") + "/";
    QDir().mkpath(program);
    put(program + "Korvane.ini", "[Settei]\r\ncb24ji=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(program + "Korvane.ini", QFileDevice::WriteOwner));
    const QString config = dir.filePath("config/Norbel/Korvane");
    if (::geteuid() != 0) {
        EXPECT_TRUE(oldSettingsStay(program, config));
        return;
    }
    for (const QString& folder : {dir.path(), program})
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(oldSettingsStay(program, config) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SettingsFolder, UnmakeableFolderFallsBackToTheProgram) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    QString made = program + "made/Korvane/";
    EXPECT_TRUE(EnsureSettingsFolder(made, program, false));
    EXPECT_TRUE(QFileInfo(made).isDir());
    put(program + "blocker", "a file where a folder should be");
    ScriptedPrompt prompt;
    QString folder = program + "blocker/Korvane/";
    EXPECT_FALSE(EnsureSettingsFolder(folder, program, true));
    EXPECT_EQ(folder, program);
    EXPECT_EQ(
        prompt.texts().back(),
        "[" + program + "blocker/Korvane/]が作成できません。\r\n起動したフォルダに設定します。");
}

}  // namespace
}  // namespace korvane
