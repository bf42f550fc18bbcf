// The text-line reader: the lines of a file do not depend on where its read blocks end.
#include "calendar/textlines.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using korvane::TextFileKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte picks the block size and the kind of file.
    const std::size_t block = std::size_t(data[0] & 0x7F) + 1;
    const TextFileKind kind = (data[0] & 0x80) ? TextFileKind::HolidayRules : TextFileKind::Cp932;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const QStringList whole = korvane::SplitTextLines(bytes, kind);
    if (korvane::SplitTextLinesInBlocks(bytes, block, kind) != whole) std::abort();
    for (const QString& line : whole)
        for (QChar c : line)
            if (c == u'\n' || c == u'\r' || c == u'\0' || c == u'\x1a') std::abort();
    return 0;
}
