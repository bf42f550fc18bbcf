// Any GIF a user picks as the base picture: decoded within the limits or refused with a reason.
#include "publish/gifreader.h"

#include <cstdint>
#include <cstdlib>

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<QImage> picture = DecodeGif(bytes, &error);
    if (!picture) {
        if (error.isEmpty()) std::abort();
        return 0;
    }
    if (picture->width() > kGifMaxSide || picture->height() > kGifMaxSide ||
        qint64(picture->width()) * picture->height() > kGifMaxPixels ||
        picture->format() != QImage::Format_ARGB32)
        std::abort();
    return 0;
}
