#pragma once

#include <QString>

namespace korvane {

// Whether a typed picture name may stand: the extension is added by Korvane, so no "." (and no
// "/", which would reach into another folder).
bool IsPlainPictureName(const QString& name);
// The message for a refused name.
QString PlainPictureNameMessage();

// A chosen save folder: the folder with its trailing "/", or the message saying why it cannot be
// used (not an absolute folder; no medium, or one that is not ready).
struct SaveFolderCheck {
    QString Folder;
    QString Message;  // empty when the folder can be used
};
SaveFolderCheck CheckSaveFolder(const QString& chosen);

// Where a quick save writes: the trimmed folder, the trimmed name and the extension; empty when
// the folder or the name is blank (the save dialog is asked instead).
QString QuickSavePath(const QString& folder, const QString& name, const QString& extension);

}  // namespace korvane
