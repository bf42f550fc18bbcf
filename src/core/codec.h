#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

namespace korvane {

// Windows Shift-JIS ("windows-31j", CP932): every text file Korvane reads or writes is in it, so
// that files from the sibling programs and from Windows installations stay byte-compatible.
class Cp932 {
public:
    // Invalid or truncated sequences become U+FFFD; decoding never fails.
    static QString decode(std::string_view bytes);
    static QString decode(const QByteArray& bytes) {
        return decode(std::string_view(bytes.constData(), size_t(bytes.size())));
    }
    // The JIS forms of the wave dash, minus and similar marks that Linux input methods produce
    // are written as their CP932 counterparts. A character CP932 cannot hold is never replaced
    // by a stand-in nor dropped: the result is empty and badPosition (when given) gets the index
    // of the first such character in text. This includes the invisible ones (zero-width space
    // and joiner, a byte-order mark, variation selectors such as a kanji's U+E0100): the text
    // must be changed by the user, not silently by the file.
    static std::optional<QByteArray> encode(const QString& text, qsizetype* badPosition = nullptr);
    // True when encode() would succeed.
    static bool canEncode(const QString& text) { return encode(text).has_value(); }
};

}  // namespace korvane
