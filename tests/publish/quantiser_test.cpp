#include "publish/quantiser.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

// A picture of some three thousand colours: smooth ramps and a band of scattered ones.
QImage manyColours() {
    QImage image(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 95, y * 4, (x * y * 7) % 256));
    return image;
}

TEST(GifPalette, FixedColoursAroundTheOctreesAndEveryPixelItsNearest) {
    const QImage image = manyColours();
    const IndexedPicture q = QuantiseForGif(image);
    ASSERT_EQ(q.Palette.size(), 256u);
    const QRgb low[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                        0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
    const QRgb high[] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                         0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(q.Palette[std::size_t(i)] & 0xFFFFFF, low[i]) << i;
        EXPECT_EQ(q.Palette[std::size_t(246 + i)] & 0xFFFFFF, high[i]) << i;
    }
    const std::set<QRgb> found(q.Palette.begin() + 10, q.Palette.begin() + 246);
    EXPECT_GT(found.size(), 220u);  // the octree fills its room
    ASSERT_EQ(q.Pixels.size(), std::size_t(96 * 64));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            int best = -1, bestDistance = 1 << 30;
            for (int i = 0; i < 256; ++i) {
                const QRgb p = q.Palette[std::size_t(i)];
                const int d = (qRed(p) - qRed(c)) * (qRed(p) - qRed(c)) +
                              (qGreen(p) - qGreen(c)) * (qGreen(p) - qGreen(c)) +
                              (qBlue(p) - qBlue(c)) * (qBlue(p) - qBlue(c));
                if (d < bestDistance) bestDistance = d, best = i;
            }
            ASSERT_EQ(q.Pixels[std::size_t(y * 96 + x)], best) << x << "," << y;
        }
}

// 237 colours: two that differ in the last bit of blue share the level-7 node with the fewest
// pixels, which merges into their mean, rounded (100.67 → 101).
TEST(GifPalette, TheSmallestDeepestNodeMergesIntoItsMean) {
    QImage picture(237, 11, QImage::Format_RGB32);
    picture.fill(qRgb(8, 200, 16));
    for (int i = 0; i < 235; ++i)
        for (int y = 0; y < 10; ++y)
            picture.setPixel(i, y, qRgb(8 + i, 200 - i / 2, 16 + i % 40 * 4));
    picture.setPixel(0, 10, qRgb(0, 0, 100));
    picture.setPixel(235, 10, qRgb(0, 0, 101));
    picture.setPixel(236, 10, qRgb(0, 0, 101));
    const IndexedPicture q = QuantiseForGif(picture);
    const std::vector<QRgb> octree(q.Palette.begin() + 10, q.Palette.begin() + 246);
    EXPECT_NE(std::find(octree.begin(), octree.end(), qRgb(0, 0, 101)), octree.end());
    EXPECT_EQ(std::find(octree.begin(), octree.end(), qRgb(0, 0, 100)), octree.end());
    EXPECT_EQ(q.Palette[q.Pixels[10 * 237]], qRgb(0, 0, 101));
    EXPECT_EQ(q.Palette[q.Pixels[5 * 237 + 100]], picture.pixel(100, 5));
}

TEST(CubePalette, EachChannelToItsNearestLevel) {
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(25, 26, 255));
    image.setPixel(1, 0, qRgb(128, 127, 76));
    image.setPixel(2, 0, qRgb(230, 229, 0));
    const IndexedPicture q = QuantiseToCube(image);
    ASSERT_EQ(q.Palette.size(), 256u);
    EXPECT_EQ(q.Palette[q.Pixels[0]], qRgb(0, 51, 255));
    EXPECT_EQ(q.Palette[q.Pixels[1]], qRgb(153, 102, 51));
    EXPECT_EQ(q.Palette[q.Pixels[2]], qRgb(255, 204, 0));
    EXPECT_EQ(std::set<QRgb>(q.Palette.begin(), q.Palette.end()).size(), 216u);
}

}  // namespace
}  // namespace korvane
