#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvane {

// A picture of at most 256 colours: its palette and one palette index per pixel, row by row.
struct IndexedPicture {
    int Width = 0, Height = 0;
    std::vector<QRgb> Palette;  // 256 entries
    std::vector<std::uint8_t> Pixels;
    int Transparent = -1;  // the entry a GIF shows as transparent; -1 for none
};

// The twenty fixed colours of the Windows default palette: entries 0–9, then 246–255.
const std::array<QRgb, 20>& FixedPaletteColours();

// The GIF picture: an octree (eight levels, the deepest reduced first, the node with the fewest
// pixels merged first, a leaf's colour the rounded mean of its pixels) brings the picture to at
// most 236 colours, which take entries 10–245 between the fixed ones; every pixel then gets the
// nearest entry (squared RGB distance, ties to the lowest index), without dithering. A picture
// of at most 236 colours keeps every pixel as it was.
// With a transparent colour, the pixels of alpha 0 (and only they) take entry 245, which holds
// that colour for programs that show no transparency and takes no part in the nearest-colour
// search; the octree brings the other pixels to 235 colours.
inline constexpr int kGifTransparentEntry = 245;
IndexedPicture QuantiseForGif(const QImage& picture, std::optional<QRgb> transparent = {});

// The quick picture: the 216 colours of six levels (0, 51, … 255) per channel, padded to 256
// with black, each pixel the nearest of them.
IndexedPicture QuantiseToCube(const QImage& picture);

}  // namespace korvane
