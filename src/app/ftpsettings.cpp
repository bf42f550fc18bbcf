#include "ftpsettings.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

#include "app/utility.h"
#include "settings/inifile.h"

namespace korvane {

bool FtpSettings::Load(const QString& settingsFolder, const QString& programFolder) {
    *this = FtpSettings();
    const QString name = QString::fromLatin1(kFileName);
    QString folder = settingsFolder;
    if (!QFileInfo(folder + name).isFile()) folder = programFolder;
    if (!QFileInfo(folder + name).isFile()) return true;
    IniFile ini = IniFile::InMemory();
    if (!ScrambledIniFile(QStringLiteral("Load"), ini, QString(), QByteArray(), name, folder))
        return false;
    Server = ini.ReadString("Set", "edtFtpServer", Server);
    UserID = ini.ReadString("Set", "edtUserID", UserID);
    Password = ini.ReadString("Set", "edtPassword", Password);
    CurrentDir = ini.ReadString("Set", "edtCurrentDir", CurrentDir);
    loadedFrom_ = folder + name;
    stored_ = values();
    return true;
}

bool FtpSettings::Save(const QString& settingsFolder) {
    const QString path = settingsFolder + QString::fromLatin1(kFileName);
    const bool moving = !loadedFrom_.isEmpty() && loadedFrom_ != path;
    // Defaults are no news: nothing is written until something was set.
    if (!moving && values() == stored_) return true;
    try {
        IniFile ini = IniFile::InMemory();
        ini.WriteString("Set", "edtFtpServer", Server);
        ini.WriteString("Set", "edtUserID", UserID);
        ini.WriteString("Set", "edtPassword", Password);
        ini.WriteString("Set", "edtCurrentDir", CurrentDir);
        if (!ScrambledIniFile(QStringLiteral("Save"), ini, QString(), QByteArray(),
                              QString::fromLatin1(kFileName), settingsFolder))
            return false;
    } catch (const std::exception&) {
        return false;  // text the settings file cannot hold
    }
    // The old copy may lie where it cannot be removed; the new one is read first anyway.
    if (moving) QFile::remove(loadedFrom_);
    loadedFrom_ = path;
    stored_ = values();
    return true;
}

}  // namespace korvane
