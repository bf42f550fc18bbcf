#include "codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace korvane {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's own substitute for windows-31j is U+001A, which Korvane's readers take as end of file.
void toUnicodeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                          UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;  // reset/close/clone: nothing to write
    *err = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

// ICU's own STOP callback lets "default ignorable" characters (zero-width space and joiner, the
// byte-order mark, variation selectors) pass as if they were not there: the text would lose them
// without a word. Every character without a mapping stops here.
void fromUnicodeStop(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                     UConverterCallbackReason, UErrorCode*) {
    // The error code the converter set stays, so the conversion ends at this character.
}

ConverterPtr openConverter(bool forDecoding) {
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open("windows-31j", &err));
    if (U_FAILURE(err) || !c) throw std::runtime_error("ICU has no windows-31j converter");
    if (forDecoding) {
        ucnv_setToUCallBack(c.get(), toUnicodeReplacement, nullptr, nullptr, nullptr, &err);
    } else {
        // Stop at the first character without a mapping, so the caller hears of it.
        ucnv_setFromUCallBack(c.get(), fromUnicodeStop, nullptr, nullptr, nullptr, &err);
    }
    if (U_FAILURE(err)) throw std::runtime_error("cannot set up the windows-31j converter");
    return c;
}

// Converters are not thread-safe; one pair per thread is cheap and avoids locking.
UConverter* decoder() {
    thread_local ConverterPtr c = openConverter(true);
    return c.get();
}
UConverter* encoder() {
    thread_local ConverterPtr c = openConverter(false);
    return c.get();
}

char16_t toCp932Form(char16_t u) {
    switch (u) {
        case 0x301C:
            return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE
        case 0x2212:
            return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        case 0x2016:
            return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO
        case 0x2014:
            return 0x2015;  // EM DASH -> HORIZONTAL BAR
        case 0x00A2:
            return 0xFFE0;
        case 0x00A3:
            return 0xFFE1;
        case 0x00AC:
            return 0xFFE2;
        default:
            return u;
    }
}

// ICU's table follows IBM in rotating three control codes (0x1A, 0x1C, 0x7F); Windows maps them
// straight. They never take part in a double-byte character, so undoing the rotation is exact.
char16_t fromIcuControl(char16_t u) {
    switch (u) {
        case 0x001C:
            return 0x001A;
        case 0x007F:
            return 0x001C;
        case 0x001A:
            return 0x007F;
        default:
            return u;
    }
}
char16_t toIcuControl(char16_t u) {
    switch (u) {
        case 0x001A:
            return 0x001C;
        case 0x001C:
            return 0x007F;
        case 0x007F:
            return 0x001A;
        default:
            return u;
    }
}

QString toCp932Forms(const QString& text) {
    QString s = text;
    for (QChar& c : s) c = QChar(toCp932Form(c.unicode()));
    return s;
}

}  // namespace

QString Cp932::decode(std::string_view bytes) {
    if (bytes.empty()) return {};
    // Pure ASCII is by far the most common case in data files.
    bool ascii = true;
    for (unsigned char b : bytes) {
        if (b >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));

    UConverter* c = decoder();
    ucnv_resetToUnicode(c);
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);  // never more UTF-16 units than bytes
    UChar* target = reinterpret_cast<UChar*>(out.data());
    UChar* const start = target;
    const char* source = bytes.data();
    UErrorCode err = U_ZERO_ERROR;
    ucnv_toUnicode(c, &target, start + out.size(), &source, bytes.data() + bytes.size(), nullptr,
                   true, &err);
    if (U_FAILURE(err)) return QString(qsizetype(bytes.size()), QChar(0xFFFD));
    out.truncate(qsizetype(target - start));
    for (QChar& ch : out)
        if (ch.unicode() < 0x80) ch = QChar(fromIcuControl(ch.unicode()));
    return out;
}

std::optional<QByteArray> Cp932::encode(const QString& text, qsizetype* badPosition) {
    if (badPosition) *badPosition = -1;
    if (text.isEmpty()) return QByteArray();
    QString s = toCp932Forms(text);
    // ICU always takes its one-way fallbacks for private-use characters (U+F86F would be written
    // as "№"); past the user-defined range that maps both ways, such a character is refused.
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u > 0xE757 && u <= 0xF8FF) {
            if (badPosition) *badPosition = i;
            return std::nullopt;
        }
    }
    for (QChar& ch : s)
        if (ch.unicode() < 0x80) ch = QChar(toIcuControl(ch.unicode()));
    UConverter* c = encoder();
    ucnv_resetFromUnicode(c);
    QByteArray out(s.size() * 2 + 2, Qt::Uninitialized);  // at most two bytes per UTF-16 unit
    char* target = out.data();
    const UChar* const begin = reinterpret_cast<const UChar*>(s.constData());
    const UChar* source = begin;
    UErrorCode err = U_ZERO_ERROR;
    ucnv_fromUnicode(c, &target, out.data() + out.size(), &source, begin + s.size(), nullptr, true,
                     &err);
    if (U_FAILURE(err)) {
        if (badPosition) {
            // The source stops just past the offending character (one or two UTF-16 units).
            UChar bad[8];
            int8_t badLength = int8_t(sizeof bad / sizeof bad[0]);
            UErrorCode e2 = U_ZERO_ERROR;
            ucnv_getInvalidUChars(c, bad, &badLength, &e2);
            if (U_FAILURE(e2)) badLength = 1;
            *badPosition = std::max<qsizetype>(0, qsizetype(source - begin) - badLength);
        }
        ucnv_resetFromUnicode(c);
        return std::nullopt;
    }
    out.truncate(qsizetype(target - out.data()));
    return out;
}

}  // namespace korvane
