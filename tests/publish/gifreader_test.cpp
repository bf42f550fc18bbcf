#include "publish/gifreader.h"
#include "publish/picturewriters.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

// A GIF made byte by byte, so that it can be wrong in every way a file from elsewhere can.
struct RawGif {
    int ScreenWidth = 4, ScreenHeight = 3;
    std::vector<QRgb> Global{qRgb(255, 0, 0), qRgb(0, 0, 255)};  // empty: none
    int Left = 0, Top = 0, Width = 4, Height = 3;
    bool Interlaced = false;
    std::vector<QRgb> Local;  // empty: none
    int Transparent = -1;
    std::vector<int> Pixels = std::vector<int>(12, 0);
    bool Truncated = false;

    QByteArray Bytes() const {
        QByteArray b("GIF89a");
        const auto word = [&b](int v) { b += char(v & 0xFF), b += char(v >> 8 & 0xFF); };
        const auto table = [&b](const std::vector<QRgb>& colours) {
            int bits = 1;
            while ((1 << bits) < int(colours.size())) ++bits;
            for (int i = 0; i < 1 << bits; ++i) {
                const QRgb c = i < int(colours.size()) ? colours[std::size_t(i)] : 0;
                b += char(qRed(c)), b += char(qGreen(c)), b += char(qBlue(c));
            }
            return bits - 1;
        };
        word(ScreenWidth), word(ScreenHeight);
        const qsizetype flags = b.size();
        b += '\0', b += '\0', b += '\0';
        if (!Global.empty()) b[flags] = char(0x80 | table(Global));
        if (Transparent >= 0) b += QByteArray("\x21\xF9\x04\x01\0\0", 6) + char(Transparent) + '\0';
        b += ',', word(Left), word(Top), word(Width), word(Height);
        const qsizetype local = b.size();
        b += char(Interlaced ? 0x40 : 0);
        if (!Local.empty()) b[local] = char(b[local] | 0x80 | table(Local));
        // Nine-bit codes, a clear code before every hundred pixels: the code size never grows.
        b += char(8);
        QByteArray data;
        std::uint32_t bits = 0;
        int count = 0;
        const auto code = [&](int c) {
            bits |= std::uint32_t(c) << count;
            for (count += 9; count >= 8; count -= 8, bits >>= 8) data += char(bits & 0xFF);
        };
        for (std::size_t i = 0; i < Pixels.size(); ++i) {
            if (i % 100 == 0) code(256);
            code(Pixels[i]);
        }
        code(257);
        if (count > 0) data += char(bits & 0xFF);
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            b += char(block.size()) + block;
        }
        b += '\0', b += ';';
        return Truncated ? b.left(b.size() / 2) : b;
    }
};

TEST(GifReader, TheFirstFrameOnItsScreenClippedAndTransparentWhereNothingIs) {
    RawGif g;
    g.ScreenWidth = 5;
    g.ScreenHeight = 6;
    g.Left = 3;  // three columns, the last past the screen's edge
    g.Top = 1;
    g.Width = 3;
    g.Height = 5;
    g.Interlaced = true;  // rows arrive as 0, 4, 2, 1, 3
    g.Transparent = 2;
    g.Global = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};
    g.Local = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4), qRgb(5, 5, 5)};
    g.Pixels = {0, 1, 0, 4, 4, 4, 2, 2, 2, 1, 1, 1, 3, 3, 3};
    QString error;
    const std::optional<QImage> picture = DecodeGif(g.Bytes(), &error);
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
    const auto with = [](auto change) {
        RawGif g;
        change(g);
        return g.Bytes();
    };
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"not a GIF", QByteArray("\x89PNG\r\n\x1a\n0000000000000"), ""},
        {"a huge frame", with([](RawGif& g) { g.Width = g.Height = 65535; }), "大きすぎます"},
        {"a wide screen", with([](RawGif& g) { g.ScreenWidth = 8193; }), "大きすぎます"},
        {"no colour table", with([](RawGif& g) { g.Global.clear(); }), "色表がありません"},
        {"an index past the table", with([](RawGif& g) { g.Pixels[7] = 2; }), "色番号 2"},
        {"cut off", with([](RawGif& g) { g.Truncated = true; }), ""},
        {"no picture", QByteArray("GIF89a\x01\0\x01\0\0\0\0;", 14), "画像がありません"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(DecodeGif(c.bytes, &error)) << c.name;
        EXPECT_TRUE(error.startsWith(QStringLiteral("GIF 画像を読めません: "))) << c.name;
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason)))
            << c.name << ": " << error.toStdString();
    }
    // Exactly at the limits is allowed.
    RawGif edge;
    edge.ScreenWidth = 8192;
    edge.ScreenHeight = 2;
    EXPECT_TRUE(DecodeGif(edge.Bytes()));
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
