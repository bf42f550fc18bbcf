#include "picturewriters.h"

#include "core/atomicfile.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <gif_lib.h>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace korvane {
namespace {

struct GifMapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using GifMap = std::unique_ptr<ColorMapObject, GifMapFree>;

// An open encoder; closing it flushes the trailer. Closed once, whether or not it finished.
class GifEncoder {
public:
    explicit GifEncoder(QByteArray& out) : out_(out) {
        gif_ = EGifOpen(this, &GifEncoder::write, &error_);
    }
    ~GifEncoder() {
        if (gif_) EGifCloseFile(gif_, nullptr);
    }
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    GifFileType* get() const { return gif_; }
    // Closes the file, writing its end; false with giflib's reason when that fails.
    bool Close() {
        GifFileType* gif = std::exchange(gif_, nullptr);
        return EGifCloseFile(gif, &error_) == GIF_OK;
    }
    QString Reason() const {
        const int code = gif_ ? gif_->Error : error_;
        const char* text = GifErrorString(code);
        return QStringLiteral("GIF を作れませんでした (%1)")
            .arg(text ? QString::fromLocal8Bit(text) : QString::number(code));
    }

private:
    static int write(GifFileType* gif, const GifByteType* bytes, int length) {
        auto* self = static_cast<GifEncoder*>(gif->UserData);
        self->out_.append(reinterpret_cast<const char*>(bytes), length);
        return length;
    }
    QByteArray& out_;
    GifFileType* gif_ = nullptr;
    int error_ = 0;
};

// libjpeg ends the process on an error unless its exit jumps back out.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void jpegErrorExit(j_common_ptr info) {
    auto* e = reinterpret_cast<JpegError*>(info->err);
    e->manager.format_message(info, e->message);
    std::longjmp(e->back, 1);
}

// Only plain data lives in this function's frame across setjmp: nothing to destroy on the jump.
bool compressJpeg(const QImage& image, int quality, unsigned char** buffer, unsigned long* size,
                  char* message) {
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    if (setjmp(error.back)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;  // Qt's RGB32 as it lies in memory
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::optional<QByteArray> EncodeGif(const IndexedPicture& picture, QString* error) {
    const auto fail = [&](const QString& why) -> std::optional<QByteArray> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > 65535 ||
        picture.Height > 65535 || picture.Palette.size() != 256 || picture.Transparent > 255 ||
        picture.Pixels.size() != std::size_t(picture.Width) * std::size_t(picture.Height))
        return fail(QStringLiteral("GIF にできない画像です (%1 × %2)")
                        .arg(picture.Width)
                        .arg(picture.Height));
    std::array<GifColorType, 256> colours{};
    for (std::size_t i = 0; i < 256; ++i)
        colours[i] = {GifByteType(qRed(picture.Palette[i])),
                      GifByteType(qGreen(picture.Palette[i])),
                      GifByteType(qBlue(picture.Palette[i]))};
    const GifMap map(GifMakeMapObject(256, colours.data()));
    QByteArray out;
    out.reserve(qsizetype(picture.Pixels.size() / 4 + 1024));  // screen pictures pack to less
    GifEncoder gif(out);
    if (!map || !gif.get()) return fail(gif.Reason());
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), picture.Width, picture.Height, 8, 0, map.get()) != GIF_OK)
        return fail(gif.Reason());
    if (picture.Transparent >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, picture.Transparent};
        std::array<GifByteType, 4> block{};
        const std::size_t length = EGifGCBToExtension(&control, block.data());
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, int(length), block.data()) !=
            GIF_OK)
            return fail(gif.Reason());
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, picture.Width, picture.Height, false, nullptr) != GIF_OK)
        return fail(gif.Reason());
    std::vector<GifPixelType> row(std::size_t(picture.Width));
    for (int y = 0; y < picture.Height; ++y) {
        const auto* from = picture.Pixels.data() + std::size_t(y) * std::size_t(picture.Width);
        std::copy(from, from + picture.Width, row.begin());
        if (EGifPutLine(gif.get(), row.data(), picture.Width) != GIF_OK) return fail(gif.Reason());
    }
    if (!gif.Close()) return fail(gif.Reason());
    return out;
}

std::optional<QByteArray> EncodeJpeg(const QImage& picture, int quality, QString* error) {
    if (picture.isNull() || picture.width() > 65500 || picture.height() > 65500) {
        if (error) *error = QStringLiteral("JPEG にできない画像です");
        return std::nullopt;
    }
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compressJpeg(image, quality, &buffer, &size, message);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    if (!ok) {
        if (error)
            *error =
                QStringLiteral("JPEG を作れませんでした (%1)").arg(QString::fromLocal8Bit(message));
        return std::nullopt;
    }
    return QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
}

bool SaveGif(const QString& path, const IndexedPicture& picture, QString* error) {
    const std::optional<QByteArray> bytes = EncodeGif(picture, error);
    return bytes && WriteFileAtomically(path, *bytes, error);
}

bool SaveJpeg(const QString& path, const QImage& picture, QString* error) {
    const std::optional<QByteArray> bytes = EncodeJpeg(picture, 90, error);
    return bytes && WriteFileAtomically(path, *bytes, error);
}

}  // namespace korvane
