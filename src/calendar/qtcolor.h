#pragma once

#include "core/colortext.h"

#include <QColor>
#include <QPalette>

namespace korvane {

// 0x00BBGGRR to a QColor; system colours come from the palette.
QColor ToQColor(TColor c, const QPalette& palette);

// A QColor as 0x00BBGGRR.
inline TColor FromQColor(const QColor& c) {
    return TColor(std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 |
                  std::uint32_t(c.blue()) << 16);
}

// Bitwise OR of two plain colours, as neighbouring-month text is paled.
inline TColor OrColor(TColor a, TColor b) { return TColor(std::uint32_t(a) | std::uint32_t(b)); }

}  // namespace korvane
