// Colour texts: any text reads as a colour or as none, and a colour's text reads back as it.
#include "core/colortext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<korvane::ColorValue> c = korvane::ColorFromText(text)) {
        const std::optional<korvane::ColorValue> back =
            korvane::ColorFromText(korvane::ColorToString(*c));
        if (!back || *back != *c) std::abort();
    }
    if (korvane::StringToColor(text, korvane::clNone) !=
        korvane::ColorFromText(text).value_or(korvane::clNone))
        std::abort();
    return 0;
}
