#pragma once

#include <QFont>
#include <QString>

namespace korvane {

// Face names as the Japanese Windows programs wrote them.
inline const QString kFaceGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kFacePGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kFaceMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kFacePMincho = QStringLiteral("ＭＳ Ｐ明朝");

// Maps the Windows face names onto installed Japanese fonts. Safe to call more than once.
void InstallFontSubstitutions();
// The face every window and dialog is built in (ＭＳ Ｐゴシック, 12 px), set before any window
// is made, with the substitutions installed.
void SetApplicationFont();

// The installed family that stands for a face: the face itself when installed, else its first
// installed substitute, else the face. Fonts named so are found at once; a face Qt does not know
// costs a failed match and a search of every font for each script and size.
QString InstalledFamily(const QString& face);

// The pixel size a family's cell height is measured at; a font of that size is already loaded.
inline constexpr int kFontProbePixels = 200;

// A font whose character cell (ascent + descent) is cellHeight pixels: the way heights are given
// throughout the calendars. A negative height is the em height instead.
QFont FontWithHeight(const QString& face, int height, bool bold = false);
void SetFontHeight(QFont& font, int height);

}  // namespace korvane
