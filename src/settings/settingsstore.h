#pragma once

#include "core/colortext.h"
#include "settings/componentsnapshot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace korvane {

enum SettingsPlace { rtReg = 0, rtIni = 1 };

// A declared setting: where it lives and what it reads as when nothing is stored.
struct SettingItem {
    QString Name;
    QString Section;
    QString Ident;
    QString DefaultValue;
};

// The declared items in order; lookup by name ignores letter case, first match wins.
class SettingItems {
public:
    void Add(SettingItem item) { items_.push_back(std::move(item)); }
    int Count() const { return int(items_.size()); }
    const SettingItem& operator[](int i) const { return items_[std::size_t(i)]; }
    const SettingItem* Find(const QString& name) const;

private:
    std::vector<SettingItem> items_;
};

// A font as the settings keep it: face, size in points, colour, style bits (1 bold, 2 italic,
// 4 underline, 8 strike-out) and character set.
struct FontSetting {
    QString Name = QStringLiteral("ＭＳ Ｐゴシック");
    int Size = 9;
    ColorValue Color = clWindowText;
    int Style = 0;
    int Charset = 128;  // Shift-JIS
    bool operator==(const FontSetting&) const = default;
};

class SettingsStore;

// Reads and writes the item it is bound to. Bound to no item, every operation does nothing and
// reads give 0, false or empty text. Nothing is kept between calls: each one opens the file.
class SettingsFiler {
public:
    explicit SettingsFiler(const SettingsStore* manager) : manager_(manager) {}
    void Bind(const SettingItem* item) { item_ = item; }
    const SettingItem* Item() const { return item_; }

    virtual ~SettingsFiler() = default;
    virtual QString ReadValue(const QString& section, const QString& key, const QString& def);
    virtual void WriteValue(const QString& section, const QString& key, const QString& value);
    virtual bool ReadBool();
    virtual void WriteBool(bool value);
    virtual int ReadInteger();
    virtual void WriteInteger(int value);
    virtual QString ReadString();
    virtual void WriteString(const QString& value);
    virtual void ReadFont(FontSetting& font);
    virtual void WriteFont(const FontSetting& font);
    virtual void ReadStrings(QStringList& list);
    virtual void WriteStrings(const QStringList& list);
    // Appends the stored bytes.
    virtual void ReadStream(QByteArray& stream);
    virtual void WriteStream(const QByteArray& stream);
    virtual void ReadComponent(ComponentSnapshot& component);
    virtual void WriteComponent(const ComponentSnapshot& component);
    void DeleteValue(const QString& section, const QString& key);

private:
    // The item's key with a suffix; empty when unbound.
    QString key(const QString& suffix = QString()) const;
    QString section() const;
    // Deletes the keys stem + i with i from count on, and the count key when count is 0.
    void trimNumbered(const QString& countKey, const QString& stem, int count);
    void writeNumbered(const QString& countKey, const QString& stem, const QStringList& lines);
    // The values of stem + 0 .. stem + (count - 1), the stored count bounded by the section.
    QStringList readNumbered(const QString& countKey, const QString& stem);
    bool usesIni() const;

    const SettingsStore* manager_;
    const SettingItem* item_ = nullptr;
};

// Named settings kept in an INI file (registry mode is a value of RegType and otherwise not
// built: it reads defaults and writes nothing).
class SettingsStore {
public:
    SettingsStore() : filer_(std::make_unique<SettingsFiler>(this)) {}

    QString IniFileName;
    QString RegDir;
    SettingItems RegItems;
    SettingsPlace RegType = rtIni;

    // The filer bound to the named item; an unknown name is reported and gives an unbound filer.
    SettingsFiler& Items(const QString& name);

private:
    std::unique_ptr<SettingsFiler> filer_;
};

// Hexadecimal lines of 64 digits (32 bytes), as streams are kept in INI files, and back.
QStringList StreamToHexLines(const QByteArray& bytes);
QByteArray HexLinesToStream(const QStringList& lines);

}  // namespace korvane
