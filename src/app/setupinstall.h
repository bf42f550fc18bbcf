#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace korvane {

// A step of the set-up that failed; what() is the Japanese text the user is shown.
class SetupError : public std::runtime_error {
public:
    explicit SetupError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString Text() const { return QString::fromStdString(what()); }
};

// The user's folders that hold the program's desktop entries, each with a trailing "/". The
// start menu and the programs menu are one folder on Linux.
struct ShortcutFolders {
    QString Startup;  // $XDG_CONFIG_HOME/autostart/
    QString Desktop;  // xdg-user-dir DESKTOP
    QString Menu;     // $XDG_DATA_HOME/applications/
};
ShortcutFolders UserShortcutFolders();
// $XDG_DATA_HOME/Norbel/Korvane/
QString DefaultSetupFolder();

inline constexpr char16_t kShortcutFile[] = u"Korvane.desktop";
// The marker that lets a copy started in its folder run beside the one that started it.
inline constexpr char16_t kSecondCopyMarker[] = u"Velmar2Ju.$$$";
// The environment variable that tells the new copy which marker it is to remove once started.
inline constexpr char kRestartMarkerVariable[] = "KORVANE_SETUP_MARKER";

// The freedesktop entry that starts executable (UTF-8); icon: a path or a theme name.
QByteArray DesktopEntry(const QString& executable, const QString& icon);
// Writes folder + name + ".desktop" starting target, whole or not at all (an empty name: the
// target's file name + "へのショートカット"). SetupError "ショートカットの作成に失敗しました。".
void CreateShortcut(const QString& target, const QString& folder, const QString& name);
bool ShortcutPresent(const QString& folder);
// Removes path when it exists; SetupError "ファイルの削除に失敗しました。" when it stays.
void DeleteFileChecked(const QString& path);

// The program's own files as the set-up copies them: the executable, and from the data folder
// Hday.dat (required), Readme.txt, the sample months, the styles, the guide and the icon.
struct ProgramSource {
    QString Executable;  // the running file
    QString DataFolder;  // trailing "/"
};
// Every entry of the data folder the set-up copies, relative to it.
QStringList ProgramDataEntries(const QString& dataFolder);
// Installs source into setupFolder whole or not at all: everything is copied into a temporary
// folder beside the target, together with what the target already held, and only then renamed
// into place; the old folder goes only after that. A running copy of an old executable keeps
// its file. SetupError with the reason, the target untouched.
void InstallProgramFiles(const ProgramSource& source, const QString& setupFolder);

// Whether a process of this name runs (the sibling programs run under Wine as "Velmar.exe"):
// the first word of a command line or the process name, matched without the ".exe" and
// without regard to case. procRoot is "/proc/" outside tests.
bool ProgramRunning(const QString& procRoot, const QString& name);

}  // namespace korvane
