#include "settingsfolder.h"

#include "app/utility.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QFile>
#include <QFileInfo>

#include <exception>

namespace korvane {
namespace {

bool sameBytes(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    return fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly) &&
           fa.readAll() == fb.readAll();
}

void say(const QString& text) {
    Prompt::current().message(text, QStringLiteral("確認 -Korvane-"), Prompt::Kind::Information);
}

}  // namespace

bool EnsureSettingsFolder(QString& folder, const QString& programFolder, bool showMessages) {
    if (QFileInfo(folder + QStringLiteral("Korvane.ini")).isFile()) return true;
    if (QFileInfo(WithoutTrailing(folder)).isDir()) return true;
    if (showMessages) say("[" + folder + "]が見つかりません。\r\n作成し直します。");
    if (!ForceFolder(folder)) {
        say("[" + folder + "]が作成できません。\r\n起動したフォルダに設定します。");
        folder = programFolder;
        return false;
    }
    // Settings kept beside the program by an earlier installation move to the new folder.
    for (const QString& name : {QStringLiteral("Korvane.ini"), QStringLiteral("Printers.ini")}) {
        if (!QFileInfo(programFolder + name).isFile()) continue;
        if (!QFileInfo(folder + name).exists() &&
            !(CopyFileStream(programFolder + name, folder + name) &&
              sameBytes(programFolder + name, folder + name))) {
            // The old file stays where it is: moving it aside would lose the settings.
            QFile::remove(folder + name);
            say("[" + programFolder + name + "]を[" + folder +
                "]にコピーできません。\r\n元のファイルはそのまま残し、この設定は初期値から始めます"
                "。");
            continue;
        }
        if (!QFileInfo(WithoutTrailing(folder)).isDir()) {
            say("[" + folder + "]が見つかりません。\r\n設定が保存されない可能性があります。");
            continue;
        }
        MoveToSafeGuard(programFolder, name, 3);
    }
    return true;
}

SettingsFolderChoice ChooseSettingsFolder(const QString& programFolder,
                                          const QString& configFolder) {
    SettingsFolderChoice place;
    const QString marker = programFolder + QStringLiteral("localfol.vlm");
    if (QFileInfo(marker).isFile()) {
        place.Folder = programFolder;
        if (!QFileInfo(programFolder + QStringLiteral("Korvane.ini")).isFile())
            place.RunFromCd = IsRunFromCdRom(programFolder);
        // The flag stays set until the set-up question has really been asked: clearing it here
        // would lose the offer for good.
        place.FirstRunFlag = IniFile(marker).ReadBool("Set", "First", false);
        return place;
    }
    place.Folder = WithTrailing(configFolder);
    EnsureSettingsFolder(place.Folder, programFolder, false);
    return place;
}

}  // namespace korvane
