#pragma once

#include "core/colortext.h"
#include "settings/componentstream.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace korvane {

enum TRegType { rtReg = 0, rtIni = 1 };

// A declared setting: where it lives and what it reads as when nothing is stored.
struct TRegItem {
    QString Name;
    QString Section;
    QString Ident;
    QString DefaultValue;
};

// The declared items in order; lookup by name ignores letter case, first match wins.
class TRegItems {
public:
    void Add(TRegItem item) { items_.push_back(std::move(item)); }
    int Count() const { return int(items_.size()); }
    const TRegItem& operator[](int i) const { return items_[std::size_t(i)]; }
    const TRegItem* Find(const QString& name) const;

private:
    std::vector<TRegItem> items_;
};

// A font as the settings keep it: face, size in points, colour, style bits (1 bold, 2 italic,
// 4 underline, 8 strike-out) and character set.
struct TRegFont {
    QString Name = QStringLiteral("ＭＳ Ｐゴシック");
    int Size = 9;
    TColor Color = clWindowText;
    int Style = 0;
    int Charset = 128;  // Shift-JIS
    bool operator==(const TRegFont&) const = default;
};

class TRegManager;

// Reads and writes the item it is bound to. Bound to no item, every operation does nothing and
// reads give 0, false or empty text. Nothing is kept between calls: each one opens the file.
class TRegFiler {
public:
    explicit TRegFiler(const TRegManager* manager) : manager_(manager) {}
    void Bind(const TRegItem* item) { item_ = item; }
    const TRegItem* Item() const { return item_; }

    virtual ~TRegFiler() = default;
    virtual QString ReadValue(const QString& section, const QString& key, const QString& def);
    virtual void WriteValue(const QString& section, const QString& key, const QString& value);
    virtual bool ReadBool();
    virtual void WriteBool(bool value);
    virtual int ReadInteger();
    virtual void WriteInteger(int value);
    virtual QString ReadString();
    virtual void WriteString(const QString& value);
    virtual void ReadFont(TRegFont& font);
    virtual void WriteFont(const TRegFont& font);
    virtual void ReadStrings(QStringList& list);
    virtual void WriteStrings(const QStringList& list);
    // Appends the stored bytes.
    virtual void ReadStream(QByteArray& stream);
    virtual void WriteStream(const QByteArray& stream);
    virtual void ReadComponent(TStreamableComponent& component);
    virtual void WriteComponent(const TStreamableComponent& component);
    void DeleteValue(const QString& section, const QString& key);

private:
    // The item's key with a suffix; empty when unbound.
    QString key(const QString& suffix = QString()) const;
    QString section() const;
    // Deletes keys stem + i for i from stored - 1 down to count.
    void trimNumbered(const QString& countKey, const QString& stem, int count);

    const TRegManager* manager_;
    const TRegItem* item_ = nullptr;
};

// Named settings kept in an INI file (registry mode is a value of RegType and otherwise not
// built: it reads defaults and writes nothing).
class TRegManager {
public:
    TRegManager() : filer_(std::make_unique<TRegFiler>(this)) {}

    QString IniFileName;
    QString RegDir;
    TRegItems RegItems;
    TRegType RegType = rtIni;

    // The filer bound to the named item; an unknown name is reported and gives an unbound filer.
    TRegFiler& Items(const QString& name);

private:
    std::unique_ptr<TRegFiler> filer_;
};

// Hexadecimal lines of 64 digits (32 bytes), as streams are kept in INI files, and back.
QStringList StreamToHexLines(const QByteArray& bytes);
QByteArray HexLinesToStream(const QStringList& lines);

}  // namespace korvane
