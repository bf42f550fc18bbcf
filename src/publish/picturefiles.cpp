#include "picturefiles.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace korvane {

bool IsPlainPictureName(const QString& name) {
    return !name.contains(u'.') && !name.contains(u'/');
}

QString PlainPictureNameMessage() { return QStringLiteral("拡張子を付けてはいけません。"); }

SaveFolderCheck CheckSaveFolder(const QString& chosen) {
    const QString abort = QStringLiteral("\r\n中止します。");
    if (chosen.isEmpty() || !QFileInfo(chosen).isAbsolute())
        return {{}, QStringLiteral("フォルダ選択エラー") + abort};
    const QStorageInfo storage(chosen);
    if (!storage.isValid() || !storage.isReady() || !QFileInfo(chosen).isDir())
        return {{}, QStringLiteral("メディアがセットされていません。") + abort};
    return {chosen.endsWith(u'/') ? chosen : chosen + u'/', {}};
}

QString QuickSavePath(const QString& folder, const QString& name, const QString& extension) {
    const QString f = folder.trimmed(), n = name.trimmed();
    if (f.isEmpty() || n.isEmpty()) return {};
    return (f.endsWith(u'/') ? f : f + u'/') + n + extension;
}

}  // namespace korvane
