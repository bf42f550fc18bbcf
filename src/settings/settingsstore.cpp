#include "settingsstore.h"

#include "core/convert.h"
#include "core/prompt.h"
#include "settings/inifile.h"

#include <algorithm>
#include <optional>

namespace korvane {
namespace {

const QString kCaption = QStringLiteral("Korvane");

int toInt(const QString& text, int fallback = 0) {
    std::int32_t v;
    return TryStrToInt(text, v) ? v : fallback;
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

}  // namespace

const SettingItem* SettingItems::Find(const QString& name) const {
    for (const SettingItem& item : items_)
        if (item.Name.compare(name, Qt::CaseInsensitive) == 0) return &item;
    return nullptr;
}

SettingsFiler& SettingsStore::Items(const QString& name) {
    const SettingItem* item = RegItems.Find(name);
    if (!item)
        Prompt::current().message("[' " + name + " '] is invalid.", kCaption, Prompt::Kind::Error);
    filer_->Bind(item);
    return *filer_;
}

QStringList StreamToHexLines(const QByteArray& bytes) {
    QStringList lines;
    const QByteArray hex = bytes.toHex().toUpper();
    for (qsizetype i = 0; i < hex.size(); i += 64) lines << QString::fromLatin1(hex.mid(i, 64));
    return lines;
}

QByteArray HexLinesToStream(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        for (qsizetype i = 0; i < line.size(); i += 2) {
            // A pair that is not hexadecimal gives 0; a lone last digit gives its own byte.
            const int hi = hexDigit(line[i]);
            if (i + 1 >= line.size()) {
                out.append(char(hi < 0 ? 0 : hi));
                break;
            }
            const int lo = hexDigit(line[i + 1]);
            out.append(char(hi < 0 || lo < 0 ? 0 : hi * 16 + lo));
        }
    }
    return out;
}

QString SettingsFiler::section() const { return item_ ? item_->Section : QString(); }

QString SettingsFiler::key(const QString& suffix) const {
    return item_ ? item_->Ident + suffix : QString();
}

QString SettingsFiler::ReadValue(const QString& section, const QString& key, const QString& def) {
    if (section.isEmpty() || key.isEmpty()) return def;
    if (manager_->RegType != rtIni) {
        if (manager_->RegDir.isEmpty())
            Prompt::current().message(QStringLiteral("can not create Registry object."), kCaption,
                                      Prompt::Kind::Error);
        return def;
    }
    if (manager_->IniFileName.isEmpty()) {
        Prompt::current().message(QStringLiteral("can not create Inifile object."), kCaption,
                                  Prompt::Kind::Error);
        return def;
    }
    return IniFile(manager_->IniFileName).ReadString(section, key, def);
}

void SettingsFiler::WriteValue(const QString& section, const QString& key, const QString& value) {
    if (section.isEmpty() || key.isEmpty()) return;
    if (manager_->RegType != rtIni) {
        if (manager_->RegDir.isEmpty())
            Prompt::current().message(QStringLiteral("can not create Registry object."), kCaption,
                                      Prompt::Kind::Error);
        return;
    }
    if (manager_->IniFileName.isEmpty()) {
        Prompt::current().message(QStringLiteral("can not create Inifile object."), kCaption,
                                  Prompt::Kind::Error);
        return;
    }
    IniFile(manager_->IniFileName).WriteString(section, key, value);
}

void SettingsFiler::DeleteValue(const QString& section, const QString& key) {
    if (section.isEmpty() || key.isEmpty() || manager_->RegType != rtIni ||
        manager_->IniFileName.isEmpty())
        return;
    IniFile(manager_->IniFileName).DeleteKey(section, key);
}

bool SettingsFiler::ReadBool() {
    if (!item_) return false;
    const QString d = item_->DefaultValue.toUpper();
    const QString fallback =
        d == u"1" || d == u"TRUE" || d == u"YES" ? QStringLiteral("1") : QStringLiteral("0");
    return (toInt(ReadValue(section(), key(), fallback)) & 0xFF) != 0;
}

void SettingsFiler::WriteBool(bool value) {
    WriteValue(section(), key(), value ? QStringLiteral("1") : QStringLiteral("0"));
}

int SettingsFiler::ReadInteger() {
    if (!item_) return 0;
    return toInt(ReadValue(section(), key(), item_->DefaultValue));
}

void SettingsFiler::WriteInteger(int value) {
    WriteValue(section(), key(), QString::number(value));
}

QString SettingsFiler::ReadString() {
    if (!item_) return {};
    return ReadValue(section(), key(), item_->DefaultValue);
}

void SettingsFiler::WriteString(const QString& value) { WriteValue(section(), key(), value); }

void SettingsFiler::ReadFont(FontSetting& font) {
    if (!item_) return;
    font.Name = ReadValue(section(), key("_FontName"), font.Name);
    font.Size =
        toInt(ReadValue(section(), key("_FontSize"), QString::number(font.Size)), font.Size);
    font.Color = StringToColor(ReadValue(section(), key("_FontColor"), ColorToString(font.Color)),
                               font.Color);
    font.Style = toInt(ReadValue(section(), key("_FontStyle"), QString::number(font.Style)));
    font.Charset = toInt(ReadValue(section(), key("_FontCharset"), QString::number(font.Charset)));
}

void SettingsFiler::WriteFont(const FontSetting& font) {
    if (!item_) return;
    WriteValue(section(), key("_FontName"), font.Name);
    WriteValue(section(), key("_FontSize"), QString::number(font.Size));
    QString colour = ColorToString(font.Color);
    if (!colour.startsWith(u"cl"))
        colour = QStringLiteral("$%1").arg(std::uint32_t(font.Color), 8, 16, QChar(u'0'));
    WriteValue(section(), key("_FontColor"), colour);
    WriteValue(section(), key("_FontStyle"), QString::number(font.Style));
    WriteValue(section(), key("_FontCharset"), QString::number(font.Charset));
}

QStringList SettingsFiler::readNumbered(const QString& countKey, const QString& stem) {
    if (!usesIni()) return {};
    // One reading of the file; a stored count cannot ask for more lines than the section holds.
    const QHash<QString, QString> values =
        IniFile(manager_->IniFileName).ReadSectionValues(section());
    const int count = std::clamp(toInt(values.value(countKey.toLower(), QStringLiteral("0"))), 0,
                                 int(values.size()));
    QStringList lines;
    for (int i = 0; i < count; ++i) lines << values.value((stem + QString::number(i)).toLower());
    return lines;
}

bool SettingsFiler::usesIni() const {
    return item_ && manager_->RegType == rtIni && !manager_->IniFileName.isEmpty();
}

void SettingsFiler::ReadStrings(QStringList& list) {
    list.clear();
    if (!item_) return;
    list = readNumbered(key("_ItemCount"), key("_Item"));
}

void SettingsFiler::trimNumbered(const QString& countKey, const QString& stem, int count) {
    if (!usesIni()) return;
    // The numbered keys from count on, as the file has them, whatever count it stores.
    IniFile ini(manager_->IniFileName);
    const QString prefix = stem.toLower();
    for (const QString& name : ini.ReadSection(section())) {
        const QString lower = name.toLower();
        if (!lower.startsWith(prefix)) continue;
        std::int32_t n;
        const QStringView rest = QStringView(lower).mid(prefix.size());
        if (!rest.isEmpty() && rest.front().isDigit() && TryStrToInt(rest, n) && n >= count)
            DeleteValue(section(), name);
    }
    if (count == 0) DeleteValue(section(), countKey);
}

void SettingsFiler::writeNumbered(const QString& countKey, const QString& stem,
                                  const QStringList& lines) {
    // Changed in memory and written once: a long list would otherwise rewrite the file per key.
    std::optional<IniFile::Hold> hold;
    if (usesIni()) hold.emplace(manager_->IniFileName);
    trimNumbered(countKey, stem, int(lines.size()));
    if (!lines.isEmpty()) {
        WriteValue(section(), countKey, QString::number(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i)
            WriteValue(section(), stem + QString::number(i), lines[i]);
    }
    if (hold) hold->Commit();
}

void SettingsFiler::WriteStrings(const QStringList& list) {
    if (!item_) return;
    writeNumbered(key("_ItemCount"), key("_Item"), list);
}

void SettingsFiler::ReadStream(QByteArray& stream) {
    if (!item_) return;
    stream += HexLinesToStream(readNumbered(key("_c"), key("_d")));
}

void SettingsFiler::WriteStream(const QByteArray& stream) {
    if (!item_) return;
    writeNumbered(key("_c"), key("_d"), StreamToHexLines(stream));
}

void SettingsFiler::ReadComponent(ComponentSnapshot& component) {
    QByteArray bytes;
    ReadStream(bytes);
    if (!bytes.isEmpty()) ReadComponentStream(bytes, component);
}

void SettingsFiler::WriteComponent(const ComponentSnapshot& component) {
    if (!item_ || component.IsForm()) return;
    WriteStream(WriteComponentStream(component));
}

}  // namespace korvane
