#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace korvane {

// One value of a component stream: an integer, a text or a list of values.
struct StreamValue {
    enum Kind { Integer, Text, List };
    Kind kind = Integer;
    std::int32_t integer = 0;
    QString text;
    std::vector<StreamValue> list;

    static StreamValue ofInteger(std::int32_t v) { return {Integer, v, {}, {}}; }
    static StreamValue ofText(QString t) { return {Text, 0, std::move(t), {}}; }
    bool operator==(const StreamValue&) const = default;
};

struct StreamProperty {
    QString name;
    StreamValue value;
    bool operator==(const StreamProperty&) const = default;
};

// A component whose stored properties can be written to and read from a component stream (the
// binary "TPF0" format the Windows programs stored their settings snapshots in).
class ComponentSnapshot {
public:
    virtual ~ComponentSnapshot() = default;
    virtual QString ClassName() const = 0;
    virtual QString ComponentName() const = 0;
    // Windows are never written as a snapshot.
    virtual bool IsForm() const { return false; }
    virtual std::vector<StreamProperty> StoredProperties() const = 0;
    // Called for each stored property in stream order; unknown names are to be ignored.
    virtual void SetStoredProperty(const StreamProperty& property) = 0;
};

QByteArray WriteComponentStream(const ComponentSnapshot& component);
// The stream's class, name and properties; false (and nothing filled) for bytes that are not a
// well-formed component stream.
bool ParseComponentStream(const QByteArray& bytes, QString& className, QString& componentName,
                          std::vector<StreamProperty>& properties);
// Sets the stored properties on the component; false, and the component untouched, when the
// bytes are not a well-formed stream.
bool ReadComponentStream(const QByteArray& bytes, ComponentSnapshot& component);

}  // namespace korvane
