#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace korvane {

QString WithTrailing(const QString& text, QChar delimiter) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.endsWith(delimiter)) return t;
    return t + delimiter;
}

QString WithoutTrailing(const QString& text, QChar delimiter) {
    QString t = text.trimmed();
    if (t.endsWith(delimiter)) t.chop(1);
    return t;
}

QString ParentFolder(const QString& folder) {
    const QString f = WithoutTrailing(folder);
    const qsizetype slash = f.lastIndexOf(u'/');
    return slash < 0 ? QString() : f.left(slash + 1);
}

QString FromWindowsPath(const QString& path) {
    QString p = path;
    const bool drive = p.size() >= 2 && p[1] == u':' && p[0].isLetter();
    if (!drive && !p.contains(u'\\')) return path;
    p.replace(u'\\', u'/');
    if (!drive) return p;
    const QChar letter = p[0].toLower();
    QString rest = p.mid(2);
    if (!rest.startsWith(u'/')) rest.prepend(u'/');
    if (letter == u'z') return rest;
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) prefix = QDir::homePath() + QStringLiteral("/.wine");
    return WithoutTrailing(prefix) + QStringLiteral("/dosdevices/") + letter + u':' + rest;
}

namespace {

// The entry of folder named name without regard to case; of several spellings the first in name
// order, as a sorted listing would give (the listing itself is not sorted: this runs for every
// file a start looks for).
QString findEntry(const QString& folder, const QString& name, QDir::Filters kind) {
    QString best;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder, kind | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString e = it.fileName();
        if (e.compare(name, Qt::CaseInsensitive) == 0 && (best.isEmpty() || e < best)) best = e;
    }
    return best;
}

}  // namespace

QString FindFile(const QString& folder, const QString& name) {
    if (QFileInfo(folder + name).isFile()) return folder + name;
    const QString found = findEntry(folder, name, QDir::Files | QDir::System);
    return found.isEmpty() ? QString() : folder + found;
}

QString FindPath(const QString& base, const QString& relative) {
    QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return {};
    const QString name = parts.takeLast();
    QString folder = base;
    for (const QString& part : parts) {
        const QString found = QFileInfo(folder + part).isDir()
                                  ? part
                                  : findEntry(folder, part, QDir::Dirs | QDir::NoDotAndDotDot);
        if (found.isEmpty()) return {};
        folder += found + u'/';
    }
    return FindFile(folder, name);
}

QString ProgramFolderOf(const QString& executableFolder) {
    const QString beside = WithTrailing(QDir(executableFolder).absolutePath());
    const QString shared =
        WithTrailing(QDir::cleanPath(beside + QStringLiteral("../share/korvane")));
    return !FileExistsIn(beside, QStringLiteral("Hday.dat")) &&
                   FileExistsIn(shared, QStringLiteral("Hday.dat"))
               ? shared
               : beside;
}

QString ProgramFolder() { return ProgramFolderOf(QCoreApplication::applicationDirPath()); }

bool FileExistsIn(const QString& folder, const QString& name) {
    return !FindFile(folder, name).isEmpty();
}

}  // namespace korvane
