#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace korvane {

// One value of a component stream: an integer, a text or a list of values.
struct TStreamValue {
    enum Kind { Integer, Text, List };
    Kind kind = Integer;
    std::int32_t integer = 0;
    QString text;
    std::vector<TStreamValue> list;

    static TStreamValue ofInteger(std::int32_t v) { return {Integer, v, {}, {}}; }
    static TStreamValue ofText(QString t) { return {Text, 0, std::move(t), {}}; }
    bool operator==(const TStreamValue&) const = default;
};

struct TStreamProperty {
    QString name;
    TStreamValue value;
    bool operator==(const TStreamProperty&) const = default;
};

// A component whose stored properties can be written to and read from a component stream (the
// binary "TPF0" format the Windows programs stored their settings snapshots in).
class TStreamableComponent {
public:
    virtual ~TStreamableComponent() = default;
    virtual QString ClassName() const = 0;
    virtual QString ComponentName() const = 0;
    // Windows are never written as a snapshot.
    virtual bool IsForm() const { return false; }
    virtual std::vector<TStreamProperty> StoredProperties() const = 0;
    // Called for each stored property in stream order; unknown names are to be ignored.
    virtual void SetStoredProperty(const TStreamProperty& property) = 0;
};

QByteArray WriteComponentStream(const TStreamableComponent& component);
// The stream's class, name and properties; false (and nothing filled) for bytes that are not a
// well-formed component stream.
bool ParseComponentStream(const QByteArray& bytes, QString& className, QString& componentName,
                          std::vector<TStreamProperty>& properties);
// Sets the stored properties on the component; false, and the component untouched, when the
// bytes are not a well-formed stream.
bool ReadComponentStream(const QByteArray& bytes, TStreamableComponent& component);

}  // namespace korvane
