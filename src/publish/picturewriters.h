#pragma once

#include "publish/quantiser.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace korvane {

// GIF89a of an indexed picture (giflib); nothing, with the reason, when giflib refuses.
std::optional<QByteArray> EncodeGif(const IndexedPicture& picture, QString* error = nullptr);
// JPEG at the quality given, every channel at full resolution (small red text stays sharp);
// nothing, with libjpeg's reason, when it fails.
std::optional<QByteArray> EncodeJpeg(const QImage& picture, int quality = 90,
                                     QString* error = nullptr);

// The encoded picture into path, whole or not at all; an existing file survives a failure and a
// new file takes the usual permissions. The reason of a failure goes to error.
bool SaveGif(const QString& path, const IndexedPicture& picture, QString* error = nullptr);
bool SaveJpeg(const QString& path, const QImage& picture, QString* error = nullptr);

}  // namespace korvane
