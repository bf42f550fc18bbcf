#include "app/setupwindow.h"

#include "../files.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace korvane {
namespace {

void Put(const QString& path, const QByteArray& bytes = "x",
         QFile::Permissions extra = QFile::Permissions()) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(testing::WriteFile(path, bytes));
    QFile::setPermissions(path, QFile::permissions(path) | extra);
}

// A fresh home with a program folder: a stand-in executable that notes where and how it was
// started, the holiday file, samples, a style and a file the set-up leaves behind.
class SetupTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    ScriptedPrompt prompt;
    SetupContext context;
    const QByteArray oldHome = qgetenv("HOME");

    void SetUp() override {
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        Put(home.filePath("config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
        qputenv("HOME", home.path().toUtf8());
        const QString prog = home.filePath("prog") + "/";
        Put(prog + "korvane", "#!/bin/sh\necho \"$PWD $KORVANE_SETUP_MARKER\" > started\n",
            QFile::ExeOwner);
        for (const char* name : {"Hday.dat", "Ca202612.smp", "CaFromTo.smp", "SDay.smp",
                                 "Readme.txt", "Pcal/Style1/Pcal.ini", "korvane.777", "notes.txt"})
            Put(prog + name, name);
        context = {{prog + "korvane", prog}, home.filePath("config/Korvane.ini")};
        context.ProcRoot = home.filePath("proc") + "/";
    }
    void TearDown() override {
        for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) qunsetenv(v);
        qputenv("HOME", oldHome);
    }
    QString target() const { return context.DefaultFolder; }
    template <typename W = QPushButton>
    W* child(SetupWindow& w, const char* name) {
        return w.findChild<W*>(QString::fromLatin1(name));
    }
};

TEST_F(SetupTest, TheUsersFoldersFollowXdg) {
    EXPECT_EQ(target(), home.filePath("data/Norbel/Korvane/"));
    EXPECT_EQ(context.Shortcuts.Menu, home.filePath("data/applications/"));
    EXPECT_EQ(context.Shortcuts.Startup, home.filePath("config/autostart/"));
    EXPECT_EQ(context.Shortcuts.Desktop, home.filePath("デスクトップ/"));
}

// A new set-up in a fresh home: the files copied, the old entries gone, the menu entry made,
// the new copy started in its folder with the marker, settings kept.
TEST_F(SetupTest, ANewSetUpCopiesRegistersAndStartsTheNewCopy) {
    for (const QString& f : {context.Shortcuts.Startup, context.Shortcuts.Desktop})
        Put(f + "Korvane.desktop", "old");
    SetupWindow w(SetupWindow::SetupPage, context);
    EXPECT_TRUE(child<QRadioButton>(w, "rbNewSetup")->isChecked());
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_EQ(w.result(), SetupWindow::Restarted);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(target() + "started"); }, 5000));
    const QString marker = target() + "Velmar2Ju.$$$";
    EXPECT_EQ(testing::ReadFile(target() + "started"),
              (QDir(target()).absolutePath() + " " + marker + "\n").toUtf8());
    EXPECT_TRUE(QFile::exists(marker));  // the new copy removes it, not this one
    QStringList files = QDir(target()).entryList(QDir::Files);
    files.removeOne("started");
    files.removeOne("Velmar2Ju.$$$");
    EXPECT_EQ(files, QStringList({"Ca202612.smp", "CaFromTo.smp", "Hday.dat", "korvane",
                                  "korvane.png", "Readme.txt", "SDay.smp"}));
    EXPECT_EQ(testing::ReadFile(target() + "Pcal/Style1/Pcal.ini"), "Pcal/Style1/Pcal.ini");
    EXPECT_TRUE(QFileInfo(target() + "korvane").isExecutable());
    EXPECT_FALSE(QFile::exists(context.Shortcuts.Startup + "Korvane.desktop"));
    EXPECT_FALSE(QFile::exists(context.Shortcuts.Desktop + "Korvane.desktop"));
    const QString entry = testing::ReadFile(context.Shortcuts.Menu + "Korvane.desktop");
    EXPECT_TRUE(entry.contains("\nExec=" + target() + "korvane\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nIcon=" + target() + "korvane.png\n"));
    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        EXPECT_EQ(QProcess::execute("desktop-file-validate",
                                    {context.Shortcuts.Menu + "Korvane.desktop"}),
                  0);
    }
    EXPECT_EQ(prompt.texts().mid(1, 1),
              QStringList("「Korvane」 Ver1.2.1 のセットアップが終了しました。"));
    const IniFile ini(context.SettingsFile);
    EXPECT_EQ(ini.ReadString("Setup", "edtSetup", ""), target());
    EXPECT_EQ(ini.ReadString("Setup", "TextDir", ""), context.Source.DataFolder);
}

// Replacing an installation: what the folder held stays, a running old copy keeps its file,
// and no shortcut is touched.
TEST_F(SetupTest, AnOverwriteSetUpReplacesByRenameAndKeepsTheFolder) {
    Put(target() + "korvane", "old program");
    Put(target() + "localfol.vlm", "[Set]\r\n");
    QFile::link(target(), target() + "self");  // a link to itself is kept, not followed
    Put(context.Shortcuts.Desktop + "Korvane.desktop", "mine");
    QFile running(target() + "korvane");
    ASSERT_TRUE(running.open(QIODevice::ReadOnly));
    SetupWindow w(SetupWindow::SetupPage, context);
    EXPECT_TRUE(child<QRadioButton>(w, "rbUwagaki")->isChecked());
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_EQ(running.readAll(), "old program");
    EXPECT_EQ(testing::ReadFile(target() + "korvane"),
              testing::ReadFile(context.Source.Executable));
    EXPECT_TRUE(QFile::exists(target() + "localfol.vlm"));
    EXPECT_TRUE(QFileInfo(target() + "self").isSymLink());
    EXPECT_EQ(testing::ReadFile(context.Shortcuts.Desktop + "Korvane.desktop"), "mine");
    EXPECT_FALSE(QFile::exists(context.Shortcuts.Menu + "Korvane.desktop"));
    EXPECT_EQ(QDir(home.filePath("data/Norbel"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList("Korvane"));
}

// A target reached through a link: the real folder is replaced, the link still leads to it.
TEST_F(SetupTest, ALinkedFolderStaysLinked) {
    Put(home.filePath("real/korvane"), "old program");
    Put(home.filePath("real/keep.txt"));
    QDir().mkpath(home.filePath("data/Norbel"));
    ASSERT_TRUE(QFile::link(home.filePath("real"), home.filePath("data/Norbel/Korvane")));
    InstallProgramFiles(context.Source, target());
    EXPECT_TRUE(QFileInfo(home.filePath("data/Norbel/Korvane")).isSymLink());
    EXPECT_EQ(testing::ReadFile(home.filePath("real/korvane")),
              testing::ReadFile(context.Source.Executable));
    EXPECT_TRUE(QFile::exists(home.filePath("real/keep.txt")));
}

// A copy that fails part way leaves the old installation as it was and nothing beside it.
TEST_F(SetupTest, AFailedCopyLeavesTheOldInstallation) {
    Put(target() + "korvane", "old program");
    QFile::link(home.filePath("nowhere"), context.Source.DataFolder + "Pcal/Style1/M1.bmp");
    SetupWindow w(SetupWindow::SetupPage, context);
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_EQ(prompt.texts().last(),
              "ファイルのコピーに失敗しました。\rセットアップをやり直してみてください。");
    EXPECT_EQ(QDir(target()).entryList(QDir::Files), QStringList("korvane"));
    EXPECT_EQ(testing::ReadFile(target() + "korvane"), "old program");
    EXPECT_EQ(QDir(home.filePath("data/Norbel"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList("Korvane"));
    EXPECT_NE(w.result(), SetupWindow::Restarted);
    // A new set-up that fails keeps the entries of the copy in use.
    QDir(target()).removeRecursively();
    Put(context.Shortcuts.Desktop + "Korvane.desktop", "mine");
    child<QRadioButton>(w, "rbNewSetup")->setChecked(true);
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_EQ(testing::ReadFile(context.Shortcuts.Desktop + "Korvane.desktop"), "mine");
}

// [Setup] comes back: the place, the kept text folder, the target.
TEST_F(SetupTest, TheWindowKeepsItsSettings) {
    {
        IniFile ini(context.SettingsFile);
        ini.WriteInteger("Setup", "SetupX", 40);
        ini.WriteInteger("Setup", "SetupY", 30);
        ini.WriteString("Setup", "TextDir", "/texts/");
    }
    SetupWindow(SetupWindow::StartPage, context).reject();
    const IniFile ini(context.SettingsFile);
    EXPECT_EQ(ini.ReadInteger("Setup", "SetupX", 0), 40);
    EXPECT_EQ(ini.ReadInteger("Setup", "SetupY", 0), 30);
    EXPECT_EQ(ini.ReadString("Setup", "TextDir", ""), "/texts/");
}

// An entry for a program in a folder with blanks and signs still starts it.
TEST(DesktopEntry, TheExecLineIsQuotedForBlanksAndSigns) {
    const std::pair<QString, QString> cases[] = {
        {"/home/u/bin/korvane", "Exec=/home/u/bin/korvane\n"},
        {"/home/u/My Apps/100%/$x\\y", "Exec=\"/home/u/My Apps/100%%/\\\\$x\\\\\\\\y\"\n"},
    };
    for (const auto& [path, line] : cases)
        EXPECT_TRUE(QString::fromUtf8(DesktopEntry(path, "korvane")).contains(line))
            << path.toStdString();
}

// The real program set up into a fresh home finds its holidays.
TEST_F(SetupTest, TheInstalledCopyStartsWithItsData) {
    InstallProgramFiles({KORVANE_BIN_DIR "/korvane", KORVANE_BIN_DIR "/"}, target());
    QProcess korvane;
    korvane.setWorkingDirectory(home.path());
    korvane.start(target() + "korvane", {"--days", "2027-01-01", "2027-01-01"});
    ASSERT_TRUE(korvane.waitForFinished(60000));
    EXPECT_TRUE(QString::fromUtf8(korvane.readAllStandardOutput()).contains("元日"));
    // Started by a set-up, the new copy removes the marker once its window is up.
    const QString marker = target() + "Velmar2Ju.$$$";
    Put(marker);
    QProcess started;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KORVANE_SETUP_MARKER", marker);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    started.setProcessEnvironment(env);
    started.setWorkingDirectory(target());
    started.start(target() + "korvane", {});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(marker); }, 30000));
    started.kill();
    started.waitForFinished();
}

// Every refusal says why and copies nothing.
TEST_F(SetupTest, RefusalsCopyNothing) {
    const struct {
        const char* folder;  // relative to home; "" the default
        bool overwrite, preinstalled, confirm;
        const char* said;
    } cases[] = {
        {"prog/", false, false, true,
         "受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。"},
        {"alias/", false, false, true,
         "受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。"},
        {"", true, false, true,
         "指定されたフォルダーに、korvane が存在しません。\r\n上書きセットアップを中止します。"},
        {"", false, true, true,
         "指定されたフォルダーに、korvane "
         "が存在します。\r\n上書きセットアップで、\r\nセットアップし"
         "直してください。"},
        {"", false, false, false, "中止します。"},
    };
    QFile::link(home.filePath("prog"), home.filePath("alias"));  // the program's folder by a link
    for (const auto& c : cases) {
        QDir(target()).removeRecursively();
        if (c.preinstalled) Put(target() + "korvane", "old");
        SetupWindow w(SetupWindow::SetupPage, context);
        if (*c.folder) child<QLineEdit>(w, "edtSetup")->setText(home.filePath(c.folder));
        child<QRadioButton>(w, c.overwrite ? "rbUwagaki" : "rbNewSetup")->setChecked(true);
        prompt.clear();
        prompt.answer(c.confirm);
        child(w, "btnSetup")->click();
        EXPECT_EQ(prompt.texts().last(), QString::fromUtf8(c.said));
        EXPECT_FALSE(QFile::exists(target() + "Hday.dat")) << c.said;
        EXPECT_FALSE(QFile::exists(home.filePath("prog/korvane.png"))) << c.said;
    }
    // An installed copy: the program in bin/, its data elsewhere; neither may be the target.
    Put(home.filePath("bin/korvane"), "program", QFile::ExeOwner);
    context.Source.Executable = home.filePath("bin/korvane");
    SetupWindow w(SetupWindow::SetupPage, context);
    child<QLineEdit>(w, "edtSetup")->setText(home.filePath("prog"));
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_EQ(prompt.texts().last(),
              "受け手と送り手のフォルダーが同じです。\r\nセットアップを中止します。");
}

// While the sibling runs the set-up asks again and again; "No" stops it.
TEST_F(SetupTest, ARunningSiblingIsClosedFirst) {
    Put(home.filePath("proc/812/cmdline"), QByteArray("C:\\Velmar\\VELMAR.EXE") + '\0' + "-x");
    Put(home.filePath("proc/813/comm"), "Tesska.exe\n");
    Put(home.filePath("proc/self/cmdline"), "korvane");
    EXPECT_TRUE(ProgramRunning(context.ProcRoot, "Velmar"));
    EXPECT_TRUE(ProgramRunning(context.ProcRoot, "Tesska"));
    EXPECT_FALSE(ProgramRunning(context.ProcRoot, "Korvane"));
    SetupWindow w(SetupWindow::SetupPage, context);
    prompt.answer(true);
    prompt.answer(true);
    prompt.answer(false);
    child(w, "btnSetup")->click();
    ASSERT_EQ(prompt.texts().size(), 3);
    EXPECT_TRUE(
        prompt.texts()[0].startsWith("【 Velmar -Velmar- 】が立ち上がっています。\r\nVelmarを"));
    EXPECT_FALSE(QDir(target()).exists());
}

// The start-method page: each pair shows and changes its entry; the menus are one folder.
TEST_F(SetupTest, TheEntriesAreAddedAndRemovedOneByOneOrAllAtOnce) {
    SetupWindow w(SetupWindow::StartPage, context);
    EXPECT_TRUE(child<QRadioButton>(w, "DesktopOff")->isChecked());
    prompt.answer(false);
    child<QRadioButton>(w, "DesktopOn")->click();
    EXPECT_TRUE(child<QRadioButton>(w, "DesktopOff")->isChecked());
    prompt.answer(true);
    child<QRadioButton>(w, "DesktopOn")->click();
    EXPECT_TRUE(testing::ReadFile(context.Shortcuts.Desktop + "Korvane.desktop")
                    .contains("Exec=" + context.Source.Executable.toUtf8()));
    prompt.answer(false);
    child<QRadioButton>(w, "DesktopOff")->click();
    EXPECT_TRUE(child<QRadioButton>(w, "DesktopOn")->isChecked());  // No: it stays
    prompt.answer(true);
    child<QRadioButton>(w, "ProgramOn")->click();
    EXPECT_TRUE(child<QRadioButton>(w, "StartMenuOn")->isChecked());
    prompt.clear();
    prompt.answer(true);
    prompt.answer(true);
    child(w, "btnAllKaijo")->click();
    EXPECT_EQ(prompt.texts(), QStringList({"デスクトップのショートカットを削除していいですか？",
                                           "スタートメニュー登録を解除していいですか？"}));
    EXPECT_FALSE(QFile::exists(context.Shortcuts.Desktop + "Korvane.desktop"));
    EXPECT_FALSE(QFile::exists(context.Shortcuts.Menu + "Korvane.desktop"));
    EXPECT_TRUE(child<QRadioButton>(w, "ProgramOff")->isChecked());
}

TEST_F(SetupTest, AnExecutableThatCannotStartTakesItsMarkerAlong) {
    QFile::setPermissions(context.Source.Executable, QFile::ReadOwner | QFile::WriteOwner);
    SetupWindow w(SetupWindow::SetupPage, context);
    prompt.answer(true);
    child(w, "btnSetup")->click();
    EXPECT_TRUE(prompt.texts().last().startsWith(target() + "korvane を起動できませんでした。"));
    EXPECT_FALSE(QFile::exists(target() + "Velmar2Ju.$$$"));
    EXPECT_NE(w.result(), SetupWindow::Restarted);
}

// A folder chosen by hand gets its own Korvane folder when the user wants one.
TEST_F(SetupTest, AChosenFolderMayGetAKorvaneFolder) {
    SetupWindow w(SetupWindow::SetupPage, context);
    prompt.answerName(home.filePath("apps"));
    prompt.answer(true);
    child<QToolButton>(w, "FramSpeedBtn19")->click();
    EXPECT_EQ(child<QLineEdit>(w, "edtSetup")->text(), home.filePath("apps") + "/Korvane/");
    EXPECT_TRUE(child<QLineEdit>(w, "edtSetup")->isEnabled());
    child<QLineEdit>(w, "edtSetup")->setText("elsewhere");
    child<QRadioButton>(w, "rbNewSetup")->click();  // the chosen folder is the default now
    EXPECT_EQ(child<QLineEdit>(w, "edtSetup")->text(), home.filePath("apps") + "/Korvane/");
    prompt.answerName(home.filePath("MyKorvane"));
    child<QToolButton>(w, "FramSpeedBtn19")->click();
    EXPECT_EQ(child<QLineEdit>(w, "edtSetup")->text(), home.filePath("MyKorvane") + "/");
}

}  // namespace
}  // namespace korvane
