#include "publish/gifreader.h"
#include "../files.h"
#include "publish/picturewriters.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The reader's fuzz corpus: hand-made GIFs, each wrong in one way a file from elsewhere can be.
QByteArray corpus(const char* name) {
    return testing::ReadFile(QStringLiteral(KORVANE_SHIPPED_DATA "/../fuzz/corpus/gifreader/") +
                             QString::fromLatin1(name));
}

TEST(GifReader, TheFirstFrameOnItsScreenClippedAndTransparentWhereNothingIs) {
    // A 5 × 6 screen; at (3, 1) an interlaced 3 × 5 frame with its own table, one column past
    // the screen's edge, rows arriving as 0, 4, 2, 1, 3; colour 2 transparent.
    QString error;
    const std::optional<QImage> picture =
        DecodeGif(corpus("interlaced-offset-transparent"), &error);
    ASSERT_TRUE(picture) << error.toStdString();
    ASSERT_EQ(picture->size(), QSize(5, 6));
    const auto at = [&](int x, int y) { return picture->pixel(x, y); };
    EXPECT_EQ(at(3, 1), qRgb(1, 1, 1));  // row 0, from the local table
    EXPECT_EQ(at(4, 1), qRgb(2, 2, 2));
    EXPECT_EQ(at(3, 5), qRgb(5, 5, 5));  // row 4 came second
    EXPECT_EQ(qAlpha(at(3, 3)), 0);      // row 2: the transparent colour
    EXPECT_EQ(at(4, 2), qRgb(2, 2, 2));
    EXPECT_EQ(at(3, 4), qRgb(4, 4, 4));
    for (const QPoint p : {QPoint(0, 0), QPoint(2, 3), QPoint(4, 0)})
        EXPECT_EQ(qAlpha(at(p.x(), p.y())), 0) << p.x() << "," << p.y();
}

TEST(GifReader, RefusesWhatItCannotShowWithTheReason) {
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"huge-frame", "65535 × 65535 は大きすぎます"},
        {"no-colour-table", "色表がありません"},
        {"index-past-table", "色番号 2"},
        {"cut-off", ""},
        {"no-picture", "画像がありません"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(DecodeGif(corpus(c.name), &error)) << c.name;
        EXPECT_TRUE(error.startsWith(QStringLiteral("GIF 画像を読めません: "))) << c.name;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason)))
            << c.name << ": " << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(DecodeGif("\x89PNG\r\n\x1a\n0000000000000", &error));
    EXPECT_FALSE(error.isEmpty());
    // A frame wholly right of the screen leaves it transparent (and nothing is written past it).
    const std::optional<QImage> off = DecodeGif(corpus("frame-outside-screen"));
    ASSERT_TRUE(off);
    EXPECT_EQ(qAlpha(off->pixel(0, 0)), 0);
    // Each side up to 8192, not one more.
    QByteArray edge = corpus("plain");
    edge[6] = char(0x00), edge[7] = char(0x20);  // the screen 8192 wide
    EXPECT_TRUE(DecodeGif(edge));
    edge[6] = char(0x01);
    EXPECT_FALSE(DecodeGif(edge, &error));
    EXPECT_TRUE(error.contains("8193 × 3 は大きすぎます"));
}

// The composer's GIF: what has alpha 0 comes back transparent through the reserved entry; the
// same colour drawn opaque stays opaque.
TEST(GifReader, ReadsBackTheTransparencyTheWriterKeys) {
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 99, 71, 0));
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 35; ++x)
            picture.setPixel(x, y, x < 20 ? qRgb(255, 99, 71) : qRgb(x * 7, y % 5 * 40, 9));
    const IndexedPicture indexed = QuantiseForGif(picture, qRgb(255, 99, 71));
    EXPECT_EQ(indexed.Transparent, kGifTransparentEntry);
    EXPECT_EQ(indexed.Palette[kGifTransparentEntry], qRgb(255, 99, 71));
    QString error;
    const std::optional<QByteArray> gif = EncodeGif(indexed, &error);
    ASSERT_TRUE(gif) << error.toStdString();
    const std::optional<QImage> back = DecodeGif(*gif, &error);
    ASSERT_TRUE(back) << error.toStdString();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 35 && y >= 5 && y < 25;
            ASSERT_EQ(qAlpha(back->pixel(x, y)), inside ? 255 : 0) << x << "," << y;
            if (inside) {
                ASSERT_EQ(back->pixel(x, y), picture.pixel(x, y)) << x << "," << y;
            }
        }
}

}  // namespace
}  // namespace korvane
