#include "ftpsettings.h"

#include "app/utility.h"
#include "settings/inifile.h"

#include <QFileInfo>

#include <exception>

namespace korvane {

bool FtpSettings::Load(const QString& programFolder) {
    *this = FtpSettings();
    const QString name = QString::fromLatin1(kFileName);
    if (!QFileInfo(programFolder + name).isFile()) return true;
    IniFile ini = IniFile::InMemory();
    if (!ScrambledIniFile(QStringLiteral("Load"), ini, QString(), QByteArray(), name, programFolder))
        return false;
    Server = ini.ReadString("Set", "edtFtpServer", Server);
    UserID = ini.ReadString("Set", "edtUserID", UserID);
    Password = ini.ReadString("Set", "edtPassword", Password);
    CurrentDir = ini.ReadString("Set", "edtCurrentDir", CurrentDir);
    return true;
}

bool FtpSettings::Save(const QString& programFolder) const {
    try {
        IniFile ini = IniFile::InMemory();
        ini.WriteString("Set", "edtFtpServer", Server);
        ini.WriteString("Set", "edtUserID", UserID);
        ini.WriteString("Set", "edtPassword", Password);
        ini.WriteString("Set", "edtCurrentDir", CurrentDir);
        return ScrambledIniFile(QStringLiteral("Save"), ini, QString(), QByteArray(),
                                QString::fromLatin1(kFileName), programFolder);
    } catch (const std::exception&) {
        return false;  // text the settings file cannot hold
    }
}

}  // namespace korvane
