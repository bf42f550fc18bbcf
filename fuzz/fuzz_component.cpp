// The component stream: any bytes parse or are refused without harm, and what parses writes
// back to a stream that parses to the same properties.
#include "core/codec.h"
#include "settings/componentsnapshot.h"

#include <cstdint>
#include <cstdlib>

using namespace korvane;

namespace {

class Parsed : public ComponentSnapshot {
public:
    QString className;
    QString componentName;
    std::vector<StreamProperty> properties;
    QString ClassName() const override { return className; }
    QString ComponentName() const override { return componentName; }
    std::vector<StreamProperty> StoredProperties() const override { return properties; }
    void SetStoredProperty(const StreamProperty& p) override { properties.push_back(p); }
};

// Names are short CP932 texts in the stream; one that is not (bytes the code page does not
// define, read as U+FFFD) cannot be written back as it was read.
bool writable(const QString& name) {
    const std::optional<QByteArray> b = Cp932::encode(name);
    return b && b->size() <= 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    Parsed first;
    if (!ParseComponentStream(bytes, first.className, first.componentName, first.properties)) {
        Parsed untouched;
        if (ReadComponentStream(bytes, untouched) || !untouched.properties.empty()) std::abort();
        return 0;
    }
    bool names = writable(first.className) && writable(first.componentName);
    for (const StreamProperty& p : first.properties) names = names && writable(p.name);
    if (!names) return 0;
    Parsed second;
    if (!ParseComponentStream(WriteComponentStream(first), second.className, second.componentName,
                              second.properties))
        std::abort();
    if (second.className != first.className || second.componentName != first.componentName ||
        second.properties != first.properties)
        std::abort();
    return 0;
}
