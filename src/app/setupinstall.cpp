#include "setupinstall.h"

#include "core/atomicfile.h"
#include "core/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace korvane {
namespace {

const QString kCopyFailed = QStringLiteral("ファイルのコピーに失敗しました。");
const QString kNoFolder = QStringLiteral("セットアップフォルダを作成できません。");

// An Exec argument as desktop files want it: quoted where it holds a
// reserved character, then escaped once more as a string value; "%" doubled.
QString ExecArgument(QString path) {
    path.replace(u'%', QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (const QChar c : path) {
            if (QStringLiteral("\"`$\\").contains(c)) quoted += u'\\';
            quoted += c;
        }
        path = u'"' + quoted + u'"';
    }
    return path.replace(u'\\', QStringLiteral("\\\\"));
}

QString StringValue(QString text) {
    return text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\n', QStringLiteral("\\n"));
}

// A copy never writes into an existing file: the old one is removed first, so that a program
// still running from it keeps its own.
void CopyFile(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) && !QFile::remove(to)) throw SetupError(kCopyFailed);
    if (!QFile::copy(from, to)) throw SetupError(kCopyFailed);
}

// keepLinks: links stay links (what a folder held, a link to itself included); otherwise what
// they lead to is copied.
void CopyTree(const QString& from, const QString& to, bool keepLinks) {
    const QFileInfo info(from);
    if (keepLinks && info.isSymLink()) {
        if (!QFile::link(info.symLinkTarget(), to)) throw SetupError(kCopyFailed);
        return;
    }
    if (!info.isDir()) return CopyFile(from, to);
    if (!QDir().mkpath(to)) throw SetupError(kCopyFailed);
    const QDir dir(from);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        CopyTree(dir.filePath(name), to + u'/' + name, keepLinks);
}

}  // namespace

ShortcutFolders UserShortcutFolders() {
    // Qt reads the desktop's place from user-dirs.dirs, as xdg-user-dir does.
    return {WithTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
                QStringLiteral("autostart/"),
            WithTrailing(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)),
            WithTrailing(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))};
}

QString DefaultSetupFolder() {
    return WithTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           QStringLiteral("Norbel/Korvane/");
}

QByteArray DesktopEntry(const QString& executable, const QString& icon) {
    QFile shipped(QStringLiteral(":/packaging/korvane.desktop"));
    if (!shipped.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(shipped.readAll()).split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(QStringLiteral("Exec=")))
            line = QStringLiteral("Exec=") + ExecArgument(executable) + QStringLiteral("\nPath=") +
                   StringValue(QFileInfo(executable).absolutePath());
        else if (line.startsWith(QStringLiteral("Icon=")))
            line = QStringLiteral("Icon=") + StringValue(icon);
    }
    return lines.join(u'\n').toUtf8();
}

void CreateShortcut(const QString& target, const QString& folder, const QString& name) {
    const QString file =
        (name.isEmpty() ? QFileInfo(target).fileName() + QStringLiteral("へのショートカット")
                        : name) +
        QStringLiteral(".desktop");
    const QString iconFile = QFileInfo(target).absolutePath() + QStringLiteral("/korvane.png");
    const QByteArray entry =
        DesktopEntry(target, QFileInfo::exists(iconFile) ? iconFile : QStringLiteral("korvane"));
    // Desktops start only entries marked executable from the desktop folder.
    if (entry.isEmpty() || !QDir().mkpath(folder) ||
        !WriteFileAtomically(WithTrailing(folder) + file, entry, nullptr,
                             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                 QFile::ReadGroup | QFile::ReadOther))
        throw SetupError(QStringLiteral("ショートカットの作成に失敗しました。"));
}

bool ShortcutPresent(const QString& folder) {
    return QFileInfo::exists(WithTrailing(folder) + QString::fromUtf16(kShortcutFile));
}

void DeleteFileChecked(const QString& path) {
    if (QFileInfo(path).exists() && !QFile::remove(path))
        throw SetupError(QStringLiteral("ファイルの削除に失敗しました。"));
}

QStringList ProgramDataEntries(const QString& dataFolder) {
    QStringList out;
    const QDir dir(dataFolder);
    for (const QString& name : {QStringLiteral("Hday.dat"), QStringLiteral("Readme.txt")})
        if (const QString found = FindFile(dataFolder, name); !found.isEmpty())
            out << QFileInfo(found).fileName();
    // Ca*.smp takes CaFromTo.smp along.
    QDir samples(dataFolder, QString(), QDir::Name | QDir::IgnoreCase, QDir::Files);
    samples.setNameFilters({QStringLiteral("Ca*.smp"), QStringLiteral("SDay.smp")});
    out << samples.entryList();
    for (const QString& name : {QStringLiteral("Pcal"), QStringLiteral("guide")})
        if (QFileInfo(dir.filePath(name)).isDir()) out << name;
    return out;
}

void InstallProgramFiles(const ProgramSource& source, const QString& setupFolder) {
    if (FindFile(source.DataFolder, QStringLiteral("Hday.dat")).isEmpty())
        throw SetupError(source.DataFolder +
                         QStringLiteral("HDay.dat が存在しません。\r\n中止します。"));
    // A link to the folder stays a link: the real folder is the one replaced, and the temporary
    // folder beside it lies on its file system.
    QString target = QDir::cleanPath(QDir(setupFolder).absolutePath());
    if (QFileInfo::exists(target)) target = QFileInfo(target).canonicalFilePath();
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent)) throw SetupError(kNoFolder);
    QTemporaryDir staging(parent + QStringLiteral("/.Korvane-setup-XXXXXX"));
    if (!staging.isValid()) throw SetupError(kNoFolder);
    const QString stage = staging.path();
    // What the folder held (settings kept beside the program, markers) stays with it.
    const bool replacing = QFileInfo(target).isDir();
    if (replacing) CopyTree(target, stage, true);
    CopyFile(source.Executable, stage + u'/' + QFileInfo(source.Executable).fileName());
    for (const QString& name : ProgramDataEntries(source.DataFolder)) {
        if (QFileInfo(stage + u'/' + name).isDir() &&
            !QDir(stage + u'/' + name).removeRecursively())
            throw SetupError(kCopyFailed);
        CopyTree(source.DataFolder + name, stage + u'/' + name, false);
    }
    QFile icon(QStringLiteral(":/packaging/icons/korvane-256.png"));
    if (!icon.open(QIODevice::ReadOnly) ||
        !WriteFileAtomically(stage + QStringLiteral("/korvane.png"), icon.readAll()))
        throw SetupError(kCopyFailed);
    QFile::setPermissions(stage, replacing
                                     ? QFileInfo(target).permissions()
                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);

    // Two renames: the old folder steps aside and comes back when the new one cannot take its
    // place. Files are never written into, so a running copy keeps its executable.
    const QString old = stage + QStringLiteral("-old");
    if (replacing && !QDir().rename(target, old)) throw SetupError(kCopyFailed);
    if (!QDir().rename(stage, target)) {
        if (replacing) QDir().rename(old, target);
        throw SetupError(kCopyFailed);
    }
    staging.setAutoRemove(false);
    if (replacing) QDir(old).removeRecursively();
}

bool ProgramRunning(const QString& procRoot, const QString& name) {
    const auto matches = [&name](QString word) {
        word = word.mid(int(std::max(word.lastIndexOf(u'/'), word.lastIndexOf(u'\\'))) + 1);
        if (word.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) word.chop(4);
        return word.compare(name, Qt::CaseInsensitive) == 0;
    };
    QDirIterator it(procRoot, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString dir = it.next();
        bool number = false;
        QFileInfo(dir).fileName().toInt(&number);
        if (!number) continue;
        QFile cmdline(dir + QStringLiteral("/cmdline"));
        if (cmdline.open(QIODevice::ReadOnly) &&
            matches(QString::fromLocal8Bit(cmdline.readAll().split('\0').value(0))))
            return true;
        QFile comm(dir + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly) &&
            matches(QString::fromLocal8Bit(comm.readAll()).trimmed()))
            return true;
    }
    return false;
}

}  // namespace korvane
