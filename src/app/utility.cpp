#include "utility.h"

#include "core/atomicfile.h"
#include "core/paths.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkInterface>
#include <QStorageInfo>
#include <QUrl>
#include <QWidget>

namespace korvane {
namespace {

const QByteArray kDefaultKey = "Kvrnm";
// The first line of a scrambled file: 217 characters, fixed for good.
QByteArray marker() {
    static const QByteArray m = [] {
        QByteArray s = "[Korvane scrambled settings; edit only with Korvane]";
        while (s.size() < 217) s += "-=#=";
        return s.left(217);
    }();
    return m;
}
const QByteArray kSeparator = "\x1e\x1f";
constexpr int kPhysicalLine = 193;

}  // namespace

void StringList::SetText(const QString& text) {
    clear();
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (t.endsWith(u'\n')) t.chop(1);
    if (!text.isEmpty()) append(t.split(u'\n'));
}

bool IsInternetConnected() {
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& a : i.addressEntries())
            if (a.ip().isGlobal() && !a.ip().isLinkLocal()) return true;
    }
    return false;
}

bool ShellOpen(const QString& pathOrAddress) {
    const QUrl url = pathOrAddress.contains(QStringLiteral("://"))
                         ? QUrl(pathOrAddress)
                         : QUrl::fromLocalFile(pathOrAddress);
    return QDesktopServices::openUrl(url);
}

bool AskYesNo(const QString& text, bool yesDefault) {
    return AskYesNoCaption(text, QString(), yesDefault);
}

bool AskYesNoCaption(const QString& text, const QString& caption, bool yesDefault) {
    const QString c = caption.trimmed().isEmpty() ? QStringLiteral("確認") : caption;
    return Prompt::current().askYesNo(text, c, !yesDefault);
}

bool FormExists(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return true;
    return false;
}

QString RightChars(const QString& text, int n) { return n <= 0 ? QString() : text.right(n); }

QString IfThenText(bool condition, const QString& a, const QString& b) { return condition ? a : b; }

QString LastFolderName(const QString& folder) {
    const QString f = WithoutTrailing(folder);
    return f.mid(f.lastIndexOf(u'/') + 1);
}

bool FileMaskExists(const QString& mask) {
    const QFileInfo info(mask);
    const QDir dir(info.path());
    return !dir.entryList({info.fileName()}, QDir::Files | QDir::Hidden).isEmpty();
}

bool CopyFileStream(const QString& source, const QString& destination) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    AtomicFile out(destination);
    if (!out.Open()) return false;
    char buffer[65536];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) return false;
        if (n == 0) break;
        if (out.Device().write(buffer, n) != n) return false;
    }
    return out.Commit();
}

void SplitToList(const QString& text, QStringList& list, QChar delimiter) {
    list.append(text.split(delimiter));
}

bool ForceFolder(const QString& folder) {
    const QString f = WithoutTrailing(folder);
    return !f.isEmpty() && QDir().mkpath(f);
}

bool EnsureFolder(const QString& folder, bool create, bool ask) {
    const QString f = WithoutTrailing(folder);
    if (QFileInfo(f).isDir()) return true;
    if (!create) return false;
    if (ask && !AskYesNo("フォルダ[" + f + "]が存在しません。\r\n作成しますか。", true))
        return false;
    if (ForceFolder(f)) return true;
    if (ask)
        Prompt::current().message(
            "フォルダ[" + f + "]が作成出来ません。\r\nフォルダの作成を中止します。",
            QStringLiteral("確認 -Korvane-"), Prompt::Kind::Information);
    return false;
}

bool IsRunFromCdRom(const QString& programFolder) {
    const QByteArray type = QStorageInfo(programFolder).fileSystemType().toLower();
    return type == "iso9660" || type == "udf";
}

bool GenerationBackup(const QString& file, const QString& folder, int generations) {
    const QString caption = QStringLiteral("確認 -Korvane-");
    if (!QFileInfo(file).isFile()) {
        Prompt::current().message("[" + file + "]がありません。", caption,
                                  Prompt::Kind::Information);
        return false;
    }
    if (generations < 2 || generations > 32) {
        Prompt::current().message(QStringLiteral("世代の数が正しくありません。"), caption,
                                  Prompt::Kind::Information);
        return false;
    }
    const QString dir = WithTrailing(folder);
    if (!ForceFolder(dir)) return false;
    const QString name = QFileInfo(file).fileName();
    auto generation = [&](int k) {
        return dir + QStringLiteral("%1_").arg(k, 2, 10, QChar(u'0')) + name;
    };
    int count = 0;
    while (count < 99 && QFileInfo::exists(generation(count + 1))) ++count;
    for (int k = count; k >= generations; --k) QFile::remove(generation(k));
    for (int k = std::min(count, generations - 1); k >= 1; --k) {
        QFile::remove(generation(k + 1));
        QFile::rename(generation(k), generation(k + 1));
    }
    if (!QFileInfo::exists(generation(1))) return CopyFileStream(file, generation(1));
    return true;
}

bool MoveToSafeGuard(const QString& folder, const QString& fileName, int generations) {
    const QString file = WithTrailing(folder) + fileName;
    if (!QFileInfo(file).isFile()) return false;
    if (!GenerationBackup(file, WithTrailing(folder) + QStringLiteral("SafeGuard/"), generations))
        return false;
    return QFile::remove(file);
}

QByteArray ScrambleText(const QByteArray& text, const QByteArray& key) {
    if (text.isEmpty() || key.isEmpty()) return text;
    QByteArray out = text;
    qsizetype k = 0;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const auto c = std::uint8_t(out[i]);
        if (c > 31) {
            const auto x = std::uint8_t(c ^ std::uint8_t(key[k]));
            if (x > 31) out[i] = char(x);
        }
        k = (k + 1) % key.size();
    }
    return out;
}

namespace {

// A scrambled line leaves its control bytes as they are, so a CR or LF in it would vanish with the
// line breaks and a 0x1E 0x1F would split it; they travel escaped behind 0x1E instead. A file
// without them reads as before.
constexpr char kEscape = '\x1e';

QByteArray escapeLine(const QByteArray& line) {
    QByteArray out;
    out.reserve(line.size());
    for (const char c : line) {
        switch (c) {
            case kEscape:
                out += "\x1e\x02";
                break;
            case '\r':
                out += "\x1e\x03";
                break;
            case '\n':
                out += "\x1e\x04";
                break;
            default:
                out += c;
        }
    }
    return out;
}

QByteArray unescapeLine(const QByteArray& line) {
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (line[i] == kEscape && next >= '\x02' && next <= '\x04') {
            out += next == '\x02' ? kEscape : next == '\x03' ? '\r' : '\n';
            ++i;
        } else {
            out += line[i];
        }
    }
    return out;
}

}  // namespace

bool ScrambledIniFile(const QString& mode, IniFile& ini, const QString& exportName,
                      const QByteArray& key, const QString& fileName,
                      const QString& programFolder) {
    const QString path = fileName.contains(u'/') ? fileName : programFolder + fileName;
    const QByteArray k = key.isEmpty() ? kDefaultKey : key;
    if (mode.compare(QStringLiteral("Save"), Qt::CaseInsensitive) == 0) {
        // The object's lines: each ends with LF, a CR before it belongs to the line end.
        const QByteArray text = ini.Bytes();
        QList<QByteArray> lines = text.split('\n');
        if (lines.back().isEmpty()) lines.removeLast();  // after the last line end
        if (lines.size() == 1 && (lines[0].isEmpty() || lines[0] == "\r")) lines.clear();
        if (!exportName.isEmpty()) {
            Prompt::current().message(exportName + QStringLiteral(" を書き出します。"),
                                      QStringLiteral("確認 -Korvane-"), Prompt::Kind::Information);
            if (!WriteFileAtomically(exportName, ini.Bytes())) return false;
        }
        QByteArray out = marker() + "\r\n";
        QByteArray collected;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QByteArray line = lines[i];
            if (line.endsWith('\r')) line.chop(1);
            collected += escapeLine(ScrambleText(line, k)) + kSeparator;
            if (collected.size() >= kPhysicalLine || i + 1 == lines.size()) {
                out += collected + "\r\n";
                collected.clear();
            }
        }
        // It holds the FTP password.
        return WriteFileAtomically(path, out, nullptr,
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray all = f.readAll();
    QList<QByteArray> scrambled;
    const qsizetype firstEnd = all.indexOf('\n');
    QByteArray first = firstEnd < 0 ? all : all.left(firstEnd);
    if (first.endsWith('\r')) first.chop(1);
    if (first == marker()) {
        QByteArray rest = firstEnd < 0 ? QByteArray() : all.mid(firstEnd + 1);
        rest.replace("\r", "").replace("\n", "");
        qsizetype pos = 0;
        for (qsizetype at; (at = rest.indexOf(kSeparator, pos)) >= 0; pos = at + kSeparator.size())
            scrambled << rest.mid(pos, at - pos);
        if (pos < rest.size()) scrambled << rest.mid(pos);
    } else {
        all.replace("\r\n", "\n").replace('\r', '\n');
        scrambled = all.split('\n');
        if (!scrambled.isEmpty() && scrambled.back().isEmpty()) scrambled.removeLast();
    }
    QByteArray text;
    for (const QByteArray& s : scrambled) text += ScrambleText(unescapeLine(s), k) + "\r\n";
    ini.SetBytes(text);
    return true;
}

}  // namespace korvane
