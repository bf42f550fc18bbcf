#include "inifile.h"

#include "core/atomicfile.h"
#include "core/codec.h"
#include "core/convert.h"

#include <QFile>

#include <algorithm>
#include <map>

namespace korvane {
namespace {

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The profile functions trim blanks and tabs only: a full-width space (U+3000) at either end of
// a value is part of it.
QString trimBlanks(QStringView s) {
    qsizetype from = 0, to = s.size();
    while (from < to && (s[from] == u' ' || s[from] == u'\t')) ++from;
    while (to > from && (s[to - 1] == u' ' || s[to - 1] == u'\t')) --to;
    return s.mid(from, to - from).toString();
}

// A value is one line of the file: a line break in it would start a line, or a section, of its own.
QString oneLine(QString s) {
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : s)
        if (c == u'\r' || c == u'\n') c = u' ';
    return s;
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// The profile functions drop one pair of matching quotes around a value.
QString unquoted(const QString& v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

IniFile::Line IniFile::parse(const QByteArray& raw) { return parse(raw, Cp932::decode(raw)); }

IniFile::Line IniFile::parse(const QByteArray& raw, const QString& decoded) {
    Line line;
    line.raw = raw;
    const QString text = trimBlanks(decoded);
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        line.kind = Line::Section;
        line.name =
            trimBlanks(close < 0 ? QStringView(text).mid(1) : QStringView(text).mid(1, close - 1));
        return line;
    }
    if (text.startsWith(u';')) return line;
    const qsizetype eq = text.indexOf(u'=');
    if (eq <= 0) return line;
    line.kind = Line::Key;
    line.name = trimBlanks(QStringView(text).left(eq));
    line.value = trimBlanks(QStringView(text).mid(eq + 1));
    return line;
}

IniFile IniFile::InMemory(QByteArray bytes) {
    IniFile ini(QStringLiteral("(memory)"));
    ini.inMemory_ = true;
    ini.memory_ = std::move(bytes);
    return ini;
}

std::vector<IniFile::Line> IniFile::load() const {
    bool readable = true;
    return load(readable);
}

std::vector<IniFile::Line> IniFile::load(bool& readable, bool* keepUtf8) const {
    readable = true;
    if (keepUtf8) *keepUtf8 = false;
    std::vector<Line> lines;
    QByteArray all;
    if (inMemory_) {
        all = memory_;
    } else {
        QFile f(fileName_);
        if (!f.exists()) return lines;
        if (!f.open(QIODevice::ReadOnly)) {
            readable = false;
            return lines;
        }
        all = f.readAll();
        if (f.error() != QFileDevice::NoError) {
            readable = false;
            return {};
        }
    }
    if (all.isEmpty()) return lines;
    // Saved by a Linux editor: UTF-8 behind a byte-order mark. Read as such; lines written back
    // go out as CP932 (those CP932 cannot hold keep their UTF-8 bytes).
    const bool utf8 = all.startsWith(kUtf8Bom);
    if (utf8) all.remove(0, 3);
    QList<QByteArray> parts = all.split('\n');
    for (QByteArray& raw : parts)
        if (raw.endsWith('\r')) raw.chop(1);
    if (parts.size() > 1 && parts.back().isEmpty()) parts.removeLast();  // the final line end
    if (!utf8) {
        for (const QByteArray& raw : parts) lines.push_back(parse(raw));
        return lines;
    }
    // Written back as CP932 when CP932 holds all of it; otherwise it stays UTF-8, whole.
    std::vector<std::optional<QByteArray>> cp932;
    bool all932 = true;
    for (const QByteArray& raw : parts) {
        cp932.push_back(Cp932::encode(QString::fromUtf8(raw)));
        all932 = all932 && cp932.back().has_value();
    }
    if (keepUtf8) *keepUtf8 = !all932;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString text = QString::fromUtf8(parts[i]);
        lines.push_back(parse(all932 ? *cp932[std::size_t(i)] : parts[i], text));
    }
    return lines;
}

void IniFile::refuseUnreadable() const {
    throw EIniError(("設定ファイルを読み込めないため、書き込みません: " + fileName_).toStdString());
}

std::vector<IniFile::Line> IniFile::loadForWriting() const {
    bool readable = true;
    std::vector<Line> lines = load(readable, &utf8File_);
    // Writing back what could not be read would wipe every other setting in it.
    if (!readable) refuseUnreadable();
    return lines;
}

namespace {

// The files held in memory, by name, for as long as an IniFile::Hold on them lives.
struct HeldFile {
    int depth = 0;
    bool loaded = false;
    bool readable = true;
    bool utf8 = false;
    bool dirty = false;
    std::vector<IniFile::Line> lines;
};

std::map<QString, HeldFile>& heldFiles() {
    static std::map<QString, HeldFile> files;
    return files;
}

}  // namespace

IniFile::Hold::Hold(QString fileName) : fileName_(std::move(fileName)) {
    if (!fileName_.isEmpty()) ++heldFiles()[fileName_].depth;
}

IniFile::Hold::~Hold() {
    if (fileName_.isEmpty()) return;
    try {
        Commit();
    } catch (const EIniError&) {
        // Commit() was the place to hear of it.
    }
    auto it = heldFiles().find(fileName_);
    if (--it->second.depth == 0) heldFiles().erase(it);
}

void IniFile::Hold::Commit() {
    if (fileName_.isEmpty()) return;
    HeldFile& held = heldFiles()[fileName_];
    if (held.depth > 1 || !held.dirty) return;  // the outermost hold writes
    held.dirty = false;
    IniFile file(fileName_);
    file.utf8File_ = held.utf8;
    file.save(held.lines);
}

std::vector<IniFile::Line>* IniFile::held(bool forWriting) const {
    if (inMemory_) return nullptr;
    const auto it = heldFiles().find(fileName_);
    if (it == heldFiles().end()) return nullptr;
    HeldFile& held = it->second;
    if (!held.loaded) {
        held.lines = load(held.readable, &held.utf8);
        held.loaded = true;
    }
    if (forWriting && !held.readable) refuseUnreadable();
    return &held.lines;
}

const std::vector<IniFile::Line>& IniFile::view(std::vector<Line>& scratch) const {
    if (const std::vector<Line>* lines = held(false)) return *lines;
    scratch = load();
    return scratch;
}

std::vector<IniFile::Line>& IniFile::edit(std::vector<Line>& scratch) {
    if (std::vector<Line>* lines = held(true)) return *lines;
    scratch = loadForWriting();
    return scratch;
}

void IniFile::store(const std::vector<Line>& lines) {
    if (!inMemory_) {
        const auto it = heldFiles().find(fileName_);
        if (it != heldFiles().end() && &it->second.lines == &lines) {
            it->second.dirty = true;
            return;
        }
    }
    save(lines);
}

void IniFile::save(const std::vector<Line>& lines) {
    QByteArray out = utf8File_ ? QByteArray(kUtf8Bom) : QByteArray();
    for (const Line& l : lines) {
        out += l.raw;
        out += "\r\n";
    }
    if (inMemory_) {
        memory_ = out;
        return;
    }
    QString error;
    if (!WriteFileAtomically(fileName_, out, &error))
        throw EIniError(
            ("設定ファイルに書き込めません: " + fileName_ + " (" + error + ")").toStdString());
}

QByteArray IniFile::encodeOrThrow(const QString& text) const {
    if (utf8File_) return text.toUtf8();
    qsizetype bad = -1;
    const std::optional<QByteArray> bytes = Cp932::encode(text, &bad);
    if (!bytes)
        throw EIniError(("設定ファイルに書けない文字があります: 「" + text.mid(bad, 1) + "」 (" +
                         fileName_ + ")")
                            .toStdString());
    return *bytes;
}

void IniFile::findSection(const std::vector<Line>& lines, const QString& section, qsizetype& header,
                          qsizetype& end) {
    header = -1;
    end = -1;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        if (lines[std::size_t(i)].kind != Line::Section) continue;
        if (header >= 0) {
            end = i;
            return;
        }
        if (sameName(lines[std::size_t(i)].name, section)) header = i;
    }
    if (header >= 0) end = qsizetype(lines.size());
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    std::vector<Line> scratch;
    const std::vector<Line>& lines = view(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) return def;
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& l = lines[std::size_t(i)];
        if (l.kind == Line::Key && sameName(l.name, key))
            return unquoted(l.value).left(kMaxValueLength);
    }
    return def;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    std::int32_t v;
    return TryStrToInt(ReadString(section, key, QString()), v) ? v : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::Readable() const {
    // Held: known from the one reading.
    try {
        if (held(true)) return true;
    } catch (const EIniError&) {
        return false;
    }
    bool readable = true;
    load(readable);
    return readable;
}

bool IniFile::SectionExists(const QString& section) const {
    std::vector<Line> scratch;
    const std::vector<Line>& lines = view(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    return header >= 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return ReadSection(section).contains(key, Qt::CaseInsensitive);
}

QStringList IniFile::ReadSection(const QString& section) const {
    std::vector<Line> scratch;
    const std::vector<Line>& lines = view(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    QStringList keys;
    for (qsizetype i = header + 1; header >= 0 && i < end; ++i)
        if (lines[std::size_t(i)].kind == Line::Key) keys << lines[std::size_t(i)].name;
    return keys;
}

QHash<QString, QString> IniFile::ReadSectionValues(const QString& section) const {
    std::vector<Line> scratch;
    const std::vector<Line>& lines = view(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    QHash<QString, QString> values;
    for (qsizetype i = header + 1; header >= 0 && i < end; ++i) {
        const Line& l = lines[std::size_t(i)];
        // The first of keys that stand twice, as ReadString finds it.
        if (l.kind == Line::Key && !values.contains(l.name.toLower()))
            values.insert(l.name.toLower(), unquoted(l.value).left(kMaxValueLength));
    }
    return values;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    std::vector<Line> scratch;
    std::vector<Line>& lines = edit(scratch);
    const QByteArray raw = encodeOrThrow(oneLine(key) + u'=' + oneLine(value));
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) {
        if (!lines.empty() && !lines.back().raw.trimmed().isEmpty()) lines.push_back(parse(""));
        lines.push_back(parse(encodeOrThrow(u'[' + oneLine(section) + u']')));
        lines.push_back(parse(raw));
        store(lines);
        return;
    }
    for (qsizetype i = header + 1; i < end; ++i) {
        Line& l = lines[std::size_t(i)];
        if (l.kind == Line::Key && sameName(l.name, key)) {
            // The key keeps its own spelling; only the value is new.
            const QByteArray kept = l.raw.left(l.raw.indexOf('='));
            l = parse(kept + '=' + encodeOrThrow(oneLine(value)));
            store(lines);
            return;
        }
    }
    // After the section's last non-blank line.
    qsizetype at = end;
    while (at > header + 1 && lines[std::size_t(at - 1)].raw.trimmed().isEmpty()) --at;
    lines.insert(lines.begin() + at, parse(raw));
    store(lines);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    std::vector<Line> scratch;
    std::vector<Line>& lines = edit(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) return;
    // Every line of the key: deleting only the first would bring an older duplicate back.
    const auto first = lines.begin() + header + 1;
    const auto last = lines.begin() + end;
    const auto kept = std::remove_if(
        first, last, [&](const Line& l) { return l.kind == Line::Key && sameName(l.name, key); });
    if (kept == last) return;
    lines.erase(kept, last);
    store(lines);
}

void IniFile::EraseSection(const QString& section) {
    std::vector<Line> scratch;
    std::vector<Line>& lines = edit(scratch);
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) return;
    lines.erase(lines.begin() + header, lines.begin() + end);
    store(lines);
}

}  // namespace korvane
