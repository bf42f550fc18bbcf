#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace korvane {

// What a GIF the user picks may ask for: each side and the pixels the picture may have.
inline constexpr int kGifMaxSide = 8192;
inline constexpr qint64 kGifMaxPixels = qint64(64) * 1024 * 1024;

// The first frame of a GIF on its logical screen (ARGB32; what no frame covers and the frame's
// transparent colour stay transparent), the frame clipped to the screen. Nothing, with the
// reason in Japanese, for a file that is not a GIF, a screen or frame past the limits, a frame
// without a colour table or with a colour number past its table, or a broken file.
std::optional<QImage> DecodeGif(const QByteArray& bytes, QString* error = nullptr);

}  // namespace korvane
