#include "convert.h"

namespace korvane {

bool TryStrToInt(QStringView text, std::int32_t& value) {
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            return false;
        }
        v = v * base + digit;
        if (v > 0xFFFFFFFFLL) return false;
    }
    if (base == 10) {
        if (negative ? v > 2147483648LL : v > 2147483647LL) return false;
        value = std::int32_t(negative ? -v : v);
    } else {
        // Hexadecimal spells the 32-bit pattern, so $FFFFFFFF is -1.
        value = std::int32_t(std::uint32_t(v));
        if (negative) value = std::int32_t(0u - std::uint32_t(value));
    }
    return true;
}

std::int32_t StrToInt(QStringView text) {
    std::int32_t v;
    if (!TryStrToInt(text, v))
        throw EConvertError(
            ("'" + text.toString() + "' は有効な整数ではありません。").toStdString());
    return v;
}

}  // namespace korvane
