#include "inifile.h"

#include "core/codec.h"
#include "core/convert.h"

#include <QFile>
#include <QSaveFile>

namespace korvane {
namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The profile functions drop one pair of matching quotes around a value.
QString unquoted(const QString& v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

IniFile::Line IniFile::parse(const QByteArray& raw) {
    Line line;
    line.raw = raw;
    const QString text = Cp932::decode(raw).trimmed();
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        line.kind = Line::Section;
        line.name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
        return line;
    }
    if (text.startsWith(u';')) return line;
    const qsizetype eq = text.indexOf(u'=');
    if (eq <= 0) return line;
    line.kind = Line::Key;
    line.name = text.left(eq).trimmed();
    line.value = text.mid(eq + 1).trimmed();
    return line;
}

IniFile IniFile::InMemory(QByteArray bytes) {
    IniFile ini(QStringLiteral("(memory)"));
    ini.inMemory_ = true;
    ini.memory_ = std::move(bytes);
    return ini;
}

std::vector<IniFile::Line> IniFile::load() const {
    std::vector<Line> lines;
    QByteArray all;
    if (inMemory_) {
        all = memory_;
    } else {
        QFile f(fileName_);
        if (!f.open(QIODevice::ReadOnly)) return lines;
        all = f.readAll();
    }
    if (all.isEmpty()) return lines;
    const QList<QByteArray> parts = all.split('\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray raw = parts[i];
        if (raw.endsWith('\r')) raw.chop(1);
        if (i == parts.size() - 1 && raw.isEmpty()) break;  // the final line end
        lines.push_back(parse(raw));
    }
    return lines;
}

void IniFile::save(const std::vector<Line>& lines) {
    QByteArray out;
    for (const Line& l : lines) {
        out += l.raw;
        out += "\r\n";
    }
    if (inMemory_) {
        memory_ = out;
        return;
    }
    QSaveFile f(fileName_);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit())
        throw EIniError(
            ("設定ファイルに書き込めません: " + fileName_ + " (" + f.errorString() + ")").toStdString());
}

QByteArray IniFile::encodeOrThrow(const QString& text) const {
    qsizetype bad = -1;
    const std::optional<QByteArray> bytes = Cp932::encode(text, &bad);
    if (!bytes)
        throw EIniError(("設定ファイルに書けない文字があります: 「" + text.mid(bad, 1) + "」 (" +
                         fileName_ + ")")
                            .toStdString());
    return *bytes;
}

void IniFile::findSection(const std::vector<Line>& lines, const QString& section,
                          qsizetype& header, qsizetype& end) {
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
    const std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) return def;
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& l = lines[std::size_t(i)];
        if (l.kind == Line::Key && sameName(l.name, key)) return unquoted(l.value).left(kMaxValueLength);
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

bool IniFile::SectionExists(const QString& section) const {
    const std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    return header >= 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return ReadSection(section).contains(key, Qt::CaseInsensitive);
}

QStringList IniFile::ReadSection(const QString& section) const {
    const std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    QStringList keys;
    for (qsizetype i = header + 1; header >= 0 && i < end; ++i)
        if (lines[std::size_t(i)].kind == Line::Key) keys << lines[std::size_t(i)].name;
    return keys;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QByteArray raw = encodeOrThrow(key + u'=' + value);
    std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) {
        if (!lines.empty() && !lines.back().raw.trimmed().isEmpty()) lines.push_back(parse(""));
        lines.push_back(parse(encodeOrThrow(u'[' + section + u']')));
        lines.push_back(parse(raw));
        save(lines);
        return;
    }
    for (qsizetype i = header + 1; i < end; ++i) {
        Line& l = lines[std::size_t(i)];
        if (l.kind == Line::Key && sameName(l.name, key)) {
            l = parse(raw);
            save(lines);
            return;
        }
    }
    // After the section's last non-blank line.
    qsizetype at = end;
    while (at > header + 1 && lines[std::size_t(at - 1)].raw.trimmed().isEmpty()) --at;
    lines.insert(lines.begin() + at, parse(raw));
    save(lines);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    for (qsizetype i = header + 1; header >= 0 && i < end; ++i) {
        const Line& l = lines[std::size_t(i)];
        if (l.kind == Line::Key && sameName(l.name, key)) {
            lines.erase(lines.begin() + i);
            save(lines);
            return;
        }
    }
}

void IniFile::EraseSection(const QString& section) {
    std::vector<Line> lines = load();
    qsizetype header, end;
    findSection(lines, section, header, end);
    if (header < 0) return;
    lines.erase(lines.begin() + header, lines.begin() + end);
    save(lines);
}

}  // namespace korvane
