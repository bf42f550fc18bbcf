#include "print/engine/pagerecording.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTextLayout>

#include <cmath>

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The page on an image of one pixel per millimetre.
QImage render(const PageRecording& page, const QRect& clip = QRect()) {
    QImage img(page.PageSize.width() / 10, page.PageSize.height() / 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    ReplayPage(page, p, QRectF(0, 0, img.width(), img.height()), clip);
    return img;
}

QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
}

// What the full text layout makes of a text in the canvas's font, baseline at 0.
struct Laid {
    QList<QGlyphRun> runs;
    double width = 0;
};
Laid layOut(const FontState& state, const QString& text) {
    QTextLayout layout(text, ReferenceFont(state));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    Laid out{layout.glyphRuns(), line.horizontalAdvance()};
    for (QGlyphRun& run : out.runs) {
        QList<QPointF> at = run.positions();
        for (QPointF& p : at) p.ry() -= line.ascent();
        run.setPositions(at);
    }
    return out;
}

// Plain Japanese and Latin text is laid out from the font's advances; the glyphs, their places
// and the width are those of the full layout, in every face, size and style, kerning pairs and
// half-width kana included. Other text (Thai, marks, emoji, a missing glyph) takes the layout.
TEST(PageCanvas, PlainTextIsPlacedAsTheFullLayoutPlacesIt) {
    const QString texts[] = {
        "打合せ（案件12）",   "08:00",    "先勝　クリスマス", "Ａ４ 用紙・￥1,000",
        "AVAVA Wa To. fi",    "A4 B5 5F", "ﾊﾝｶｸｶﾅ ｶﾞｷﾞ",      "①②㈱〒",
        "令和8年12月7日作成", "สวัสดี",     "e\u0301t\u00e9",   "予定😀",
        "\u0915\u094d\u0937"};
    const QString faces[] = {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝",
                             "DejaVu Sans"};
    for (const QString& faceName : faces)
        for (int height : {-22, 37})
            for (int style : {0, int(fsBold)}) {
                PageRecording page;
                PageCanvas c(page);
                c.SetFontName(faceName);
                c.SetFontHeight(height);
                c.SetFontStyle(style);
                for (const QString& text : texts)
                    c.DrawTextBox(0, 0, 5000, 200, text, TextAlign::RightTop);
                ASSERT_EQ(page.Ops.size(), std::size(texts));
                for (std::size_t i = 0; i < std::size(texts); ++i) {
                    const auto where = (faceName + ' ' + QString::number(height) + ' ' +
                                        QString::number(style) + ' ' + texts[i])
                                           .toStdString();
                    const Laid want = layOut(c.Font, texts[i]);
                    const QList<QGlyphRun>& got = page.Ops[i].glyphs;
                    ASSERT_EQ(got.size(), want.runs.size()) << where;
                    for (qsizetype r = 0; r < got.size(); ++r) {
                        EXPECT_EQ(got[r].glyphIndexes(), want.runs[r].glyphIndexes()) << where;
                        const QRawFont gf = got[r].rawFont(), wf = want.runs[r].rawFont();
                        // The same face at the same size, though not necessarily one engine.
                        EXPECT_EQ(gf.fontTable("head"), wf.fontTable("head")) << where;
                        EXPECT_EQ(gf.weight(), wf.weight()) << where;
                        EXPECT_EQ(gf.pixelSize(), wf.pixelSize()) << where;
                        const QList<QPointF> a = got[r].positions(), b = want.runs[r].positions();
                        ASSERT_EQ(a.size(), b.size()) << where;
                        for (qsizetype g = 0; g < a.size(); ++g) {
                            EXPECT_NEAR(a[g].x(), b[g].x(), 1e-3) << where << " glyph " << g;
                            EXPECT_NEAR(a[g].y(), b[g].y(), 1e-3) << where << " glyph " << g;
                        }
                    }
                    // A right-aligned text ends where the full layout's width says.
                    const QFontMetricsF fm(ReferenceFont(c.Font));
                    const double rb = std::max(0.0, -fm.rightBearing(texts[i].back()));
                    EXPECT_NEAR(page.Ops[i].origin.x(), 5000 - std::round(rb) - want.width, 1e-3)
                        << where;
                }
            }
}

TEST(Replay, TextIsAsTallAsRecorded) {
    PageRecording page;
    PageCanvas c(page);
    c.SetFontName(QStringLiteral("ＭＳ 明朝"));
    c.SetFontHeight(-200);  // 20 mm characters
    c.TextOut(300, 300, QStringLiteral("田"));
    const QRect ink = inkBox(render(page));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.height(), 14);
    EXPECT_LE(ink.height(), 21);
    EXPECT_GE(ink.top(), 30);
    EXPECT_LE(ink.bottom(), 52);
}

// The far edges are exclusive: a box from 30 mm to 130 mm fills 100 pixels, not 101.
TEST(Replay, BoxesEndBeforeTheirFarCorner) {
    PageRecording page;
    PageCanvas c(page);
    c.SetBrushStyle(Qt::SolidPattern);
    c.SetBrushColor(clBlack);
    c.FillRect(300, 1100, 1300, 1600);
    ASSERT_EQ(page.Ops.size(), 1u);
    EXPECT_EQ(page.Ops[0].rect.size(), QSize(1000, 500));
    const QImage img = render(page);
    EXPECT_EQ(inkBox(img), QRect(30, 110, 100, 50));
    // A text's clip box ends there too.
    c.SetFontHeight(-100);
    c.DrawTextBox(300, 1700, 1300, 1800, QStringLiteral("田田田田田田田田田田田田田田"),
                  TextAlign::LeftTop);
    EXPECT_EQ(inkBox(render(page)).right(), 129);
}

TEST(Replay, PensAreRoundWideAndNeverFainterThanAPixel) {
    PageRecording page;
    PageCanvas c(page);
    c.SetPenWidth(100);  // 10 mm
    c.MoveTo(500, 500);
    c.LineTo(1000, 500);
    c.SetPenWidth(1);
    c.MoveTo(0, 2005);
    c.LineTo(2100, 2005);
    const QImage img = render(page);
    EXPECT_LT(qGray(img.pixel(46, 50)), 100);           // the round end reaches past the start
    EXPECT_EQ(img.pixel(45, 45), qRgb(255, 255, 255));  // but not into a square's corner
    // 0.1 mm at one pixel per millimetre would be a faint grey; it is a whole dark pixel.
    EXPECT_LT(qGray(img.pixel(100, 200)), 100);
    // A pen under a pixel wide is one pixel, whatever its width: 0.5 mm does not become 5 pixels.
    PageRecording thin;
    PageCanvas t(thin);
    t.SetPenWidth(5);
    t.MoveTo(0, 1005);
    t.LineTo(2100, 1005);
    thin.PageSize = QSize(2100, 2970);
    const QImage half = render(thin);
    int dark = 0;
    for (int y = 95; y < 106; ++y) dark += qGray(half.pixel(100, y)) < 200;
    EXPECT_EQ(dark, 1);
}

TEST(Replay, WidePensJoinRoundAndBrushesFill) {
    PageRecording page;
    PageCanvas c(page);
    c.SetPenWidth(100);  // 10 mm, centred on the edges at 50 mm
    c.Rectangle(500, 500, 1500, 1500);
    c.SetPenWidth(0);
    c.SetBrushStyle(Qt::SolidPattern);
    c.SetBrushColor(clSilver);
    c.Rectangle(300, 1700, 500, 1900);
    c.SetBrushColor(clBlack);
    c.RoundRect(1000, 1700, 2000, 2700, 400, 400);  // corners of 20 mm radius
    c.SetBrushColor(clRed);
    c.Ellipse(200, 2000, 600, 2400);
    const QImage img = render(page);
    EXPECT_EQ(img.pixel(40, 220), qRgb(255, 0, 0));     // the ellipse has its own brush
    EXPECT_LT(qGray(img.pixel(47, 47)), 60);            // inside the round corner
    EXPECT_EQ(img.pixel(45, 45), qRgb(255, 255, 255));  // beyond it
    EXPECT_EQ(img.pixel(40, 180), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_LT(qGray(img.pixel(103, 185)), 100);           // still within the corner's arc
    EXPECT_LT(qGray(img.pixel(117, 172)), 100);           // both radii are 20 mm
    EXPECT_EQ(img.pixel(101, 171), qRgb(255, 255, 255));  // cut off by it
}

// Text takes its colour from the font; the line after it has its own pen again.
TEST(Replay, ALineAfterColouredTextKeepsItsPen) {
    PageRecording page;
    PageCanvas c(page);
    c.SetPenWidth(10);
    c.MoveTo(100, 100);
    c.LineTo(2000, 100);
    c.SetFontColor(clRed);
    c.SetFontHeight(-50);
    c.TextOut(100, 300, QStringLiteral("赤"));
    c.MoveTo(100, 605);
    c.LineTo(2000, 605);
    const QImage img = render(page);
    EXPECT_EQ(img.pixel(150, 60), qRgb(0, 0, 0));
}

TEST(Replay, UnderlineAndStrikeOutAreDrawn) {
    const auto ink = [](int style) {
        PageRecording page;
        PageCanvas c(page);
        c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
        c.SetFontHeight(-200);
        c.SetFontStyle(style);
        c.TextOut(200, 200, QStringLiteral("口"));  // a box: nothing inside it
        return render(page);
    };
    const QImage plain = ink(0);
    const QRect box = inkBox(plain);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(inkBox(ink(fsUnderline)).bottom(), box.bottom() + 1);
    const QImage struck = ink(fsStrikeOut);
    bool crossed = false;
    for (int y = box.top() + 3; y < box.bottom() - 2; ++y)
        crossed = crossed || qGray(struck.pixel(box.center().x(), y)) < 160;
    EXPECT_TRUE(crossed);
    for (int y = box.top() + 3; y < box.bottom() - 2; ++y)
        EXPECT_GT(qGray(plain.pixel(box.center().x(), y)), 160) << y;
}

// Only a text that leaves its box on some side is clipped; the clip ends with that text.
TEST(PageCanvas, TextsLeavingTheirBoxAreClippedAndOnlyThey) {
    PageRecording page;
    PageCanvas c(page);
    c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    c.SetFontHeight(-50);
    const QString text = QStringLiteral("令和八年");  // about 200 wide, 50 high
    const struct {
        QRect box;
        TextAlign align;
        bool clip;
        const char* shown;
    } cases[] = {
        {{1000, 1000, 600, 200}, TextAlign::LeftTop, false, "令和八年"},
        {{1000, 1000, 130, 200}, TextAlign::LeftTop, false, "令和"},  // cut after a whole character
        {{1000, 1000, 40, 200}, TextAlign::LeftMiddle, false, ""},    // not even one
        {{1000, 1000, 100, 200}, TextAlign::RightTop, true, "令和八年"},   // too narrow: left edge
        {{1000, 1000, 600, 30}, TextAlign::LeftTop, true, "令和八年"},     // too low: bottom edge
        {{1000, 1000, 600, 30}, TextAlign::LeftBottom, true, "令和八年"},  // too low: top edge
    };
    for (const auto& k : cases) {
        c.DrawTextBox(k.box.left(), k.box.top(), k.box.right() + 1, k.box.bottom() + 1, text,
                      k.align);
        EXPECT_EQ(page.Ops.back().clip, k.clip)
            << k.box.width() << "x" << k.box.height() << " " << int(k.align);
        EXPECT_EQ(page.Ops.back().text, QString::fromUtf8(k.shown)) << k.box.width();
    }
    // After a clipped text the page is whole again.
    PageRecording second;
    PageCanvas d(second);
    d.SetFontHeight(-50);
    d.DrawTextBox(100, 100, 150, 150, text, TextAlign::LeftTop);
    ASSERT_TRUE(second.Ops.back().clip);
    d.SetPenWidth(30);
    d.MoveTo(1000, 2000);
    d.LineTo(2000, 2000);
    second.PageSize = QSize(2100, 2970);
    const QImage drawn = render(second);
    EXPECT_LT(qGray(drawn.pixel(150, 200)), 100);
    // The clipped text itself shows, inside its box.
    const QRect ink = inkBox(drawn.copy(0, 0, 100, 100));
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(10, 10, 5, 5).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width();
}

// Which texts may skip the full layout: one glyph per character, no ligature or kerning pair.
TEST(PageCanvas, PlainTextIsOneGlyphPerCharacter) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"令和八年十二月", true},
        {u"ひらがなカタカナ", true},
        {u"2026/12/08 (火)", true},
        {u"A", true},
        {u"月A日B", true},
        {u"AV", false},
        {u"fi", false},
        {u"é", false},        // a combining mark
        {u"😀", false},        // a surrogate pair
        {u"​", false},      // a format character
        {u"ال", false},       // Arabic
        {u"Д", false},        // Cyrillic
        {u"a\xD83D", false},  // a high surrogate with nothing after it
    };
    for (const auto& [text, plain] : cases)
        EXPECT_EQ(PlainText(QString::fromUtf16(text)), plain)
            << QString::fromUtf16(text).toStdString();
}

// Laid-out (underlined) texts each take their own size, whatever was drawn before them.
TEST(Replay, EachUnderlinedTextHasItsOwnSize) {
    PageRecording page;
    PageCanvas c(page);
    c.SetFontName(QStringLiteral("ＭＳ ゴシック"));
    c.SetFontStyle(fsUnderline);
    c.SetFontHeight(-200);
    c.TextOut(100, 200, QStringLiteral("口"));
    c.SetFontColor(clBlue);
    c.SetFontHeight(-100);
    c.TextOut(1200, 200, QStringLiteral("口"));
    const QImage img = render(page);
    const QRect big = inkBox(img.copy(0, 0, 100, img.height()));
    const QRect small = inkBox(img.copy(110, 0, img.width() - 110, img.height()));
    ASSERT_FALSE(big.isEmpty());
    ASSERT_FALSE(small.isEmpty());
    EXPECT_LT(small.width() * 4, big.width() * 3);
    EXPECT_GT(small.width() * 4, big.width());
}

TEST(Replay, PatternTilesRepeatFromThePaperCornerInPageUnits) {
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixel(3, 3, qRgb(0, 0, 0));
    PageRecording page;
    page.PageSize = QSize(40, 40);
    PageCanvas c(page);
    c.PatternFill(4, 4, 36, 36, tile);
    for (int scale : {1, 3}) {
        QImage img(40 * scale, 40 * scale, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        ReplayPage(page, p, QRectF(0, 0, img.width(), img.height()));
        p.end();
        for (int u : {11, 19, 27, 35})  // 3 + 8k within the box
            EXPECT_LT(qGray(img.pixel(u * scale + scale / 2, 11 * scale + scale / 2)), 60)
                << "scale " << scale << " unit " << u;
        EXPECT_EQ(img.pixel(12 * scale + scale / 2, 11 * scale + scale / 2), qRgb(255, 255, 255));
        EXPECT_EQ(img.pixel(3 * scale, 3 * scale), qRgb(255, 255, 255));  // outside the box
    }
    // Smaller than a unit a pixel, the dots would alias: an even tint of the tile's mean instead.
    QImage small(10, 10, QImage::Format_RGB32);
    small.fill(Qt::white);
    QPainter p(&small);
    ReplayPage(page, p, QRectF(0, 0, 10, 10));
    p.end();
    const int mean = 255 - 255 / 64;
    for (const QPoint at : {QPoint(2, 2), QPoint(5, 6), QPoint(8, 8)})
        EXPECT_NEAR(qGray(small.pixel(at)), mean, 2) << at.x() << "," << at.y();
}

TEST(Replay, BitmapsFillTheirBox) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    PageRecording page;
    PageCanvas c(page);
    c.Draw(100, 100, 500, 300, picture);
    const QImage img = render(page);
    EXPECT_EQ(img.pixel(15, 20), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(45, 20), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(51, 20), qRgb(255, 255, 255));
}

TEST(PageCanvas, OutlinedTextIsVectorCopiesAroundTheFill) {
    PageRecording page;
    PageCanvas c(page);
    c.SetFontColor(clBlue);
    c.TextOut(500, 500, QStringLiteral("日"));
    const QPointF plain = page.Ops[0].origin;
    for (bool thick : {false, true}) {
        page.Ops.clear();
        c.OutlinedTextOut(500, 500, QStringLiteral("日"), clBlack, clSilver, thick);
        ASSERT_EQ(page.Ops.size(), thick ? 21u : 9u);
        QRect spread;
        QSet<std::pair<int, int>> at;
        for (std::size_t i = 0; i + 1 < page.Ops.size(); ++i) {
            EXPECT_EQ(page.Ops[i].font.Color, clBlack);
            const QPoint d = (page.Ops[i].origin - plain).toPoint();
            spread |= QRect(d, QSize(1, 1));
            at.insert({d.x(), d.y()});
        }
        EXPECT_EQ(spread, QRect(0, 0, thick ? 5 : 3, thick ? 5 : 3));
        // Each copy in its own place, none under the fill.
        EXPECT_EQ(std::size_t(at.size()), page.Ops.size() - 1);
        EXPECT_FALSE(at.contains({1, 1}));
        EXPECT_EQ(page.Ops.back().font.Color, clSilver);
        EXPECT_EQ(page.Ops.back().origin - plain, QPointF(1, 1));
    }
    EXPECT_EQ(c.Font.Color, clBlue);
}

}  // namespace
}  // namespace korvane
