#include "publish/publicitycalendar.h"
#include "../files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korvane {
namespace {

PcalOffsetTexts with(std::initializer_list<std::pair<int, const char*>> changes) {
    PcalOffsetTexts t;
    for (const auto& [field, text] : changes) t.Text[std::size_t(field)] = QString::fromUtf8(text);
    return t;
}

TEST(PcalOffsets, TextsFallBackToTheFieldsDefaultAndStayWithinTenThousand) {
    const struct {
        int field;
        const char* text;
        int value;
    } cases[] = {
        {0, " 12 ", 12},       {2, "-7", -7}, {0, "abc", 35}, {5, "", 115},  {1, "99999", 10000},
        {3, "-20000", -10000}, {6, "1.5", 5}, {7, "0x10", 5}, {4, "-5", -5}, {1, "", 89},
        {2, "", -4},           {3, "x", -4},  {4, "", -5},    {7, "", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(PcalOffset(with({{c.field, c.text}}), c.field), c.value)
            << c.field << " '" << c.text << "'";
}

// With the defaults and an 888 × 642 base: the picture is 898 × 652, its 5-pixel border
// transparent; the grid's picture (the control less its 2-pixel edge) at (35, 89), the black
// frame one pixel outside it on the left and top, the olive one 4 outside on the left and top
// and 3 outside on the right and bottom. A colour of the border inside the base stays opaque.
TEST(PcalComposition, TheDefaultsOnAnEightEightEightBase) {
    QImage base(888, 642, QImage::Format_RGB32);
    base.fill(qRgb(250, 250, 250));
    for (int y = 600; y < 630; ++y)
        for (int x = 10; x < 60; ++x) base.setPixel(x, y, kPcalBorderColour);
    QImage grid(96, 56, QImage::Format_RGB32);  // a 100 × 60 control
    grid.fill(qRgb(0, 0, 200));
    const QImage out = ComposePcal(base, grid, QSize(100, 60), PcalOffsetTexts(), {});
    ASSERT_EQ(out.size(), QSize(898, 652));
    for (const QPoint p :
         {QPoint(0, 0), QPoint(4, 300), QPoint(897, 651), QPoint(893, 4), QPoint(400, 649)})
        EXPECT_EQ(qAlpha(out.pixel(p)), 0) << p.x() << "," << p.y();
    EXPECT_EQ(out.pixel(5, 5), qRgb(250, 250, 250));
    EXPECT_EQ(out.pixel(892, 646), qRgb(250, 250, 250));
    EXPECT_EQ(out.pixel(20, 610), kPcalBorderColour);
    EXPECT_EQ(out.pixel(35, 89), qRgb(0, 0, 200));
    EXPECT_EQ(out.pixel(129, 143), qRgb(0, 0, 200));
    const QRgb black = qRgb(0, 0, 0), olive = qRgb(0x80, 0x80, 0);
    for (const QPoint p : {QPoint(34, 88), QPoint(34, 144), QPoint(80, 88), QPoint(130, 100),
                           QPoint(60, 144), QPoint(130, 144)})
        EXPECT_EQ(out.pixel(p), black) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(31, 85), QPoint(31, 147), QPoint(133, 85), QPoint(133, 147),
                           QPoint(80, 85), QPoint(80, 147), QPoint(31, 120), QPoint(133, 120)})
        EXPECT_EQ(out.pixel(p), olive) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(32, 86), QPoint(132, 146), QPoint(131, 100), QPoint(80, 145)})
        EXPECT_EQ(out.pixel(p), qRgb(250, 250, 250)) << p.x() << "," << p.y();
}

// The month picture centred on the width (moved by edtHx) in a band edtHy high, halves cut
// toward zero; the month name to its right and the year to its left, both on its bottom line
// raised by edtwy2 (the name 2 more). Without a month picture the others start from the corner.
TEST(PcalComposition, HeaderPlaces) {
    const QImage month(100, 41, QImage::Format_RGB32), name(80, 20, QImage::Format_RGB32),
        year(60, 30, QImage::Format_RGB32);
    const struct {
        PcalOffsetTexts texts;
        PcalHeader header;
        PcalHeaderPlaces want;
    } cases[] = {
        {PcalOffsetTexts(), {month, name, year}, {{394, 37}, {514, 51}, {314, 43}}},
        {with({{4, "10"}, {5, "-4"}, {7, "0"}}),
         {month, name, year},
         {{409, -22}, {529, -3}, {329, -11}}},
        {PcalOffsetTexts(), {QImage(), name, year}, {{0, 0}, {20, -27}, {-80, -35}}},
    };
    for (const auto& c : cases) {
        const PcalHeaderPlaces got = PlacePcalHeader(c.texts, c.header, 898);
        EXPECT_EQ(got.Month, c.want.Month);
        EXPECT_EQ(got.MonthName, c.want.MonthName);
        EXPECT_EQ(got.Year, c.want.Year);
    }
    // Drawn with their bottom-left colour transparent.
    QImage picture(100, 41, QImage::Format_RGB32);
    picture.fill(qRgb(200, 230, 200));
    picture.setPixel(50, 20, qRgb(9, 9, 9));
    QImage base(888, 642, QImage::Format_RGB32);
    base.fill(qRgb(250, 250, 250));
    const QImage out = ComposePcal(base, QImage(), QSize(), PcalOffsetTexts(), {picture, {}, {}});
    EXPECT_EQ(out.pixel(394 + 50, 37 + 20), qRgb(9, 9, 9));
    EXPECT_EQ(out.pixel(394 + 10, 37 + 10), qRgb(250, 250, 250));
}

// Style folders; the offsets from the shipped Pcal.ini (any letter case), then the user's copy
// over them, which is where they are written (the program folder may be read-only).
TEST(PcalStyleFiles, TheUsersCopyOverTheShippedOne) {
    EXPECT_EQ(PcalStyleFolder(0), "Pcal/Style1/");
    EXPECT_EQ(PcalStyleFolder(4), "Pcal/Style5/");
    EXPECT_EQ(PcalStyleFolder(5), "Pcal/Style1/");
    EXPECT_EQ(PcalStyleFolder(-1), "Pcal/Style1/");
    QTemporaryDir dir;
    const QString program = dir.path() + "/prog/", settings = dir.path() + "/settings/";
    ASSERT_TRUE(QDir().mkpath(program + "pcal/STYLE2"));
    ASSERT_TRUE(
        testing::WriteFile(program + "pcal/STYLE2/pcal.INI", "[Pcal]\r\nedtmx=1\r\nEDTHY=2\r\n"));
    PcalOffsetTexts texts = with({{6, "kept"}});
    ReadPcalOffsets(program, settings, 1, texts);
    EXPECT_EQ(texts.Text[0], "1");
    EXPECT_EQ(texts.Text[5], "2");
    EXPECT_EQ(texts.Text[6], "kept");
    EXPECT_EQ(texts.Text[1], "89");
    texts.Text[0] = "9";
    QString error;
    ASSERT_TRUE(WritePcalOffsets(settings, 1, texts, &error)) << error.toStdString();
    EXPECT_TRUE(QFile::exists(settings + "Pcal/Style2/Pcal.ini"));
    PcalOffsetTexts back;
    ReadPcalOffsets(program, settings, 1, back);
    EXPECT_EQ(back.Text, texts.Text);
    PcalOffsetTexts other;
    ReadPcalOffsets(program, settings, 2, other);
    EXPECT_EQ(other.Text, PcalOffsetTexts().Text);
    // A settings folder that cannot be made is said.
    ASSERT_TRUE(testing::WriteFile(dir.path() + "/file"));
    EXPECT_FALSE(WritePcalOffsets(dir.path() + "/file/", 0, texts, &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace korvane
