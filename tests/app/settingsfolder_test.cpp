#include "app/settingsfolder.h"

#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(SettingsFolder, FirstStartMovesTheOldSettingsOver) {
    QTemporaryDir dir;
    const QString program = dir.filePath("prog") + "/";
    QDir().mkpath(program);
    put(program + "Korvane.ini", "[Settei]\r\ncb24ji=1\r\n");
    const SettingsFolderChoice place = ChooseSettingsFolder(program, dir.filePath("config/Norbel/Korvane"));
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
    // Asked once: the flag is reset in the same start.
    EXPECT_FALSE(ChooseSettingsFolder(program, dir.filePath("config")).FirstRunFlag);
}

TEST(SettingsFolder, UnmakeableFolderFallsBackToTheProgram) {
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    put(program + "blocker", "a file where a folder should be");
    ScriptedPrompt prompt;
    QString folder = program + "blocker/Korvane/";
    EXPECT_FALSE(EnsureSettingsFolder(folder, program, true));
    EXPECT_EQ(folder, program);
    EXPECT_EQ(prompt.texts().back(),
              "[" + program + "blocker/Korvane/]が作成できません。\r\n起動したフォルダに設定します。");
}

}  // namespace
}  // namespace korvane
