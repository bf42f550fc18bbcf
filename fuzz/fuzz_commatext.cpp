// Comma text: what is split joins to text that splits the same again.
#include "core/commatext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList items = korvane::SplitCommaText(text);
    const QString joined = korvane::JoinCommaText(items);
    if (korvane::SplitCommaText(joined) != items) std::abort();
    return 0;
}
