// CP932 decoding of any bytes, and the round trip of what it decodes to.
#include "core/codec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString text = korvane::Cp932::decode(bytes);
    if (text.size() > qsizetype(size)) std::abort();  // never more units than bytes
    qsizetype bad = -2;
    const std::optional<QByteArray> encoded = korvane::Cp932::encode(text, &bad);
    if (encoded) {
        // What was read is written back to bytes that read the same.
        if (bad != -1 || korvane::Cp932::decode(*encoded) != text) std::abort();
    } else if (bad < 0 || bad >= text.size()) {
        std::abort();
    }
    return 0;
}
