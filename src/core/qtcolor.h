#pragma once

#include "core/colortext.h"

#include <QColor>
#include <QPalette>

namespace korvane {

// 0x00BBGGRR to a QColor, the system flag ignored (paper has no system colours).
QColor ToQColor(ColorValue c);
// The same on screen, where system colours come from the palette.
QColor ToQColor(ColorValue c, const QPalette& palette);

// 0xRRGGBB, as colours are written in tables, to 0x00BBGGRR.
constexpr ColorValue FromRgb(std::uint32_t rgb) {
    return ColorValue(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));
}

// A QColor as 0x00BBGGRR.
inline ColorValue FromQColor(const QColor& c) { return FromRgb(c.rgb() & 0xFFFFFFu); }

// Bitwise OR of two plain colours, as neighbouring-month text is paled.
inline ColorValue OrColor(ColorValue a, ColorValue b) {
    return ColorValue(std::uint32_t(a) | std::uint32_t(b));
}

}  // namespace korvane
