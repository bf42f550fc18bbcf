#include "gifreader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace korvane {
namespace {

struct Source {
    const QByteArray& Bytes;
    qsizetype At = 0;
};

int readBytes(GifFileType* gif, GifByteType* to, int length) {
    auto* s = static_cast<Source*>(gif->UserData);
    const qsizetype n = std::clamp<qsizetype>(s->Bytes.size() - s->At, 0, length);
    std::memcpy(to, s->Bytes.constData() + s->At, std::size_t(n));
    s->At += n;
    return int(n);
}

struct GifClose {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

// The side limit keeps the pixel limit too.
static_assert(qint64(kGifMaxSide) * kGifMaxSide <= kGifMaxPixels);
bool withinLimits(int width, int height) {
    return width > 0 && height > 0 && width <= kGifMaxSide && height <= kGifMaxSide;
}

// The order in which an interlaced frame's rows arrive: every 8th from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(std::size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    constexpr std::array<std::pair<int, int>, 4> passes{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    for (const auto& [start, step] : passes)
        for (int y = start; y < height; y += step) rows.push_back(y);
    return rows;
}

}  // namespace

std::optional<QImage> DecodeGif(const QByteArray& bytes, QString* error) {
    const auto fail = [&](const QString& why) -> std::optional<QImage> {
        if (error) *error = QStringLiteral("GIF 画像を読めません: %1").arg(why);
        return std::nullopt;
    };
    const auto giflibReason = [](int code) {
        const char* text = GifErrorString(code);
        return text ? QString::fromLocal8Bit(text) : QString::number(code);
    };
    Source source{bytes};
    int openError = 0;
    const std::unique_ptr<GifFileType, GifClose> gif(DGifOpen(&source, readBytes, &openError));
    if (!gif) return fail(giflibReason(openError));
    const auto tooLarge = [&](int w, int h) {
        return fail(
            QStringLiteral("%1 × %2 は大きすぎます (一辺 %3 まで)").arg(w).arg(h).arg(kGifMaxSide));
    };
    if (!withinLimits(gif->SWidth, gif->SHeight)) return tooLarge(gif->SWidth, gif->SHeight);

    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK) return fail(giflibReason(gif->Error));
        if (type == IMAGE_DESC_RECORD_TYPE) break;
        if (type == TERMINATE_RECORD_TYPE) return fail(QStringLiteral("画像がありません"));
        if (type != EXTENSION_RECORD_TYPE) continue;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK)
            return fail(giflibReason(gif->Error));
        GraphicsControlBlock control;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4 &&
            DGifExtensionToGCB(4, block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
        while (block)
            if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK)
                return fail(giflibReason(gif->Error));
    }

    if (DGifGetImageDesc(gif.get()) != GIF_OK) return fail(giflibReason(gif->Error));
    const GifImageDesc frame = gif->Image;
    if (!withinLimits(frame.Width, frame.Height)) return tooLarge(frame.Width, frame.Height);
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0)
        return fail(QStringLiteral("色表がありません"));

    QImage picture(gif->SWidth, gif->SHeight, QImage::Format_ARGB32);
    if (picture.isNull()) return fail(QStringLiteral("画像を置くメモリが足りません"));
    picture.fill(Qt::transparent);
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    // The part of each frame row that lies on the screen (a frame's corner is never left of it).
    const int visible = std::clamp(gif->SWidth - frame.Left, 0, frame.Width);
    for (const int row : rowOrder(frame.Height, frame.Interlace)) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) != GIF_OK)
            return fail(giflibReason(gif->Error));
        for (const GifPixelType index : line)
            if (index != transparent && index >= map->ColorCount)
                return fail(QStringLiteral("色番号 %1 が色表 (%2 色) の外です")
                                .arg(index)
                                .arg(map->ColorCount));
        const int y = frame.Top + row;
        if (y < 0 || y >= gif->SHeight) continue;
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < visible; ++x) {
            const GifPixelType index = line[std::size_t(x)];
            if (index == transparent) continue;
            const GifColorType& c = map->Colors[index];
            out[frame.Left + x] = qRgb(c.Red, c.Green, c.Blue);
        }
    }
    return picture;
}

}  // namespace korvane
