#pragma once

#include "core/colortext.h"

#include <QColor>
#include <QPalette>

namespace korvane {

// 0x00BBGGRR to a QColor; system colours come from the palette.
QColor ToQColor(ColorValue c, const QPalette& palette);

// A QColor as 0x00BBGGRR.
inline ColorValue FromQColor(const QColor& c) {
    return ColorValue(std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 |
                      std::uint32_t(c.blue()) << 16);
}

// Bitwise OR of two plain colours, as neighbouring-month text is paled.
inline ColorValue OrColor(ColorValue a, ColorValue b) {
    return ColorValue(std::uint32_t(a) | std::uint32_t(b));
}

}  // namespace korvane
