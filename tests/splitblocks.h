#pragma once
// For the tests run at 200 % scaling.
#include <QImage>

namespace korvane::testing {

// A picture drawn at the widget's own size and then blown up has every 2x2 block of one colour;
// one drawn at the screen's density has lines and text that fall inside a block. Counts the
// blocks that are split.
inline int SplitBlocks(const QImage& image) {
    int split = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                image.pixel(x + 1, y + 1) != c)
                ++split;
        }
    return split;
}

}  // namespace korvane::testing
