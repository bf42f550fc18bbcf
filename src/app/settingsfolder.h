#pragma once

#include <QString>

namespace korvane {

// Where Korvane.ini and Printers.ini live, decided once at start.
struct SettingsFolderChoice {
    QString Folder;             // trailing "/"
    bool FirstRunFlag = false;  // "localfol.vlm" asked for the set-up offer ([Set] First = 1)
    bool RunFromCd = false;
};

// Beside the program when "localfol.vlm" stands there (its [Set] First is read and reset);
// otherwise configFolder, made when missing, with settings files found beside the program
// copied there and moved aside into "SafeGuard/".
SettingsFolderChoice ChooseSettingsFolder(const QString& programFolder,
                                          const QString& configFolder);

// Makes sure the folder exists; settings files beside the program are copied over and moved
// aside. When the folder cannot be made, folder becomes the program folder and the result is
// false.
bool EnsureSettingsFolder(QString& folder, const QString& programFolder, bool showMessages);

}  // namespace korvane
