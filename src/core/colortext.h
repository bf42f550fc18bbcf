#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace korvane {

// A colour as the data files and settings carry it: 0x00BBGGRR (red in the low byte). Values with
// the top bit set name system colours (0x80000005 window, 0x80000008 window text, ...), resolved
// through the palette when drawn.
using ColorValue = std::int32_t;

constexpr ColorValue clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                     clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000,
                     clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00,
                     clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF,
                     clAqua = 0xFFFF00, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0,
                     clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr ColorValue clSystemColor = ColorValue(0x80000000u);
constexpr ColorValue clWindow = ColorValue(0x80000005u), clWindowText = ColorValue(0x80000008u),
                     clBtnFace = ColorValue(0x8000000Fu), clBtnShadow = ColorValue(0x80000010u),
                     clHighlight = ColorValue(0x8000000Du),
                     clHighlightText = ColorValue(0x8000000Eu),
                     clGrayText = ColorValue(0x80000011u), clBtnText = ColorValue(0x80000012u);
constexpr ColorValue clNone = 0x1FFFFFFF, clDefault = 0x20000000;

inline bool IsSystemColor(ColorValue c) { return c < 0; }

// Reads "clRed", "clWindowText", "$00BBGGRR", "0x...", or a decimal number; nothing for other text.
std::optional<ColorValue> ColorFromText(QStringView text);
// As ColorFromText, with a fallback for text that is no colour.
ColorValue StringToColor(QStringView text, ColorValue fallback);
// The identifier when the colour has one, else "$" and eight hexadecimal digits.
QString ColorToString(ColorValue color);

}  // namespace korvane
