// The INI engine: parse any bytes, change one key, save, re-read: every other key reads as before
// and the changed one as written.
#include "core/codec.h"
#include "settings/inifile.h"

#include <QHash>
#include <QSet>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using korvane::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t pick = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    IniFile ini = IniFile::InMemory(bytes);

    // Every section named in the text and every key of it, with its value.
    QStringList sections;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = korvane::Cp932::decode(raw).trimmed();
        if (line.startsWith(u'[') && line.contains(u']')) {
            const QString name = line.mid(1, line.indexOf(u']') - 1).trimmed();
            if (!name.isEmpty()) sections << name;
        }
    }
    std::vector<std::pair<QString, QString>> keys;
    QSet<QString> seen;
    for (const QString& s : sections) {
        for (const QString& k : ini.ReadSection(s)) {
            const QString id = s.toLower() + u'\x01' + k.toLower();
            if (k.isEmpty() || seen.contains(id)) continue;
            seen.insert(id);
            keys.emplace_back(s, k);
        }
    }
    QHash<QString, QString> before;
    for (const auto& [s, k] : keys)
        before.insert(s.toLower() + u'\x01' + k.toLower(), ini.ReadString(s, k, "\x02"));

    // An existing key, or a new one in a new section.
    std::pair<QString, QString> target{QStringLiteral("FuzzSection"), QStringLiteral("FuzzKey")};
    if (!keys.empty() && pick < 200) target = keys[pick % keys.size()];
    const QString value = (pick & 1) ? QStringLiteral("値 = x\r\ny") : QStringLiteral("1");
    try {
        ini.WriteString(target.first, target.second, value);
    } catch (const korvane::EIniError&) {
        return 0;  // text the code page cannot hold, from a UTF-8 file: refused whole
    }
    const QString targetId = target.first.toLower() + u'\x01' + target.second.toLower();
    const QString expected = (pick & 1) ? QStringLiteral("値 = x y") : QStringLiteral("1");
    if (ini.ReadString(target.first, target.second, "\x02") != expected) std::abort();
    for (const auto& [s, k] : keys) {
        const QString id = s.toLower() + u'\x01' + k.toLower();
        if (id == targetId) continue;
        if (ini.ReadString(s, k, "\x02") != before.value(id)) std::abort();
    }
    return 0;
}
