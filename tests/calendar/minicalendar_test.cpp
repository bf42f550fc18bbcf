#include "calendar/minicalendar.h"

#include "calendar/daynumber.h"
#include "core/clock.h"
#include "core/fonts.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane {
namespace {

std::int32_t jd(std::int32_t y, int m, int d) {
    return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d));
}

// The year page's size and look for its twelve calendars.
void configureAsYearPage(MiniCalendar& cal) {
    cal.resize(151, 103);
    cal.SetColor(clWhite);
    ApplyYearPageStyle(cal);
}

class MiniCalendarTest : public ::testing::Test {
protected:
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    MiniCalendar cal;

    void SetUp() override { configureAsYearPage(cal); }
    QColor at(const QRect& cell, int dx = 1, int dy = 1) const {
        return cal.Buffer().pixelColor(cell.topLeft() + QPoint(dx, dy));
    }
};

class CountingMini : public MiniCalendar {
public:
    int redraws = 0;
    void UpdateCalendar() override {
        ++redraws;
        MiniCalendar::UpdateCalendar();
    }
};

// The Windows faces are named by the installed fonts that stand for them (the IPA fonts are a
// dependency); installed names and unknown faces stay as they are.
TEST(InstalledFamily, FaceToInstalledFont) {
    const struct {
        QString face, family;
    } cases[] = {{kFaceGothic, "IPAGothic"},
                 {kFacePGothic, "IPAPGothic"},
                 {kFaceMincho, "IPAMincho"},
                 {kFacePMincho, "IPAPMincho"},
                 {"IPAGothic", "IPAGothic"},
                 {"ipapmincho", "ipapmincho"},
                 {"どこにもない書体", "どこにもない書体"}};
    for (const auto& c : cases)
        EXPECT_EQ(InstalledFamily(c.face), c.family) << c.face.toStdString();
    EXPECT_EQ(FontWithHeight(kFaceMincho, -20, true).family(), "IPAMincho");
    SetApplicationFont();
    EXPECT_EQ(QGuiApplication::font().family(), "IPAPGothic");
}

// The year page's look arrives in one redraw, fonts kept together from then on.
TEST(YearPageStyle, OneRedrawAndSynchronizedFonts) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    CountingMini cal;
    cal.resize(151, 103);
    const int before = cal.redraws;
    ApplyYearPageStyle(cal);
    EXPECT_EQ(cal.redraws - before, 1);
    EXPECT_TRUE(cal.Fonts().Synchronize);
}

TEST_F(MiniCalendarTest, TodayTintMovesOnAtMidnight) {
    cal.SetDayNumber(jd(2026, 12, 15));
    const QColor tint(0x8A, 0xFE, 0x81);
    EXPECT_EQ(at(cal.CellRect(1, 2)), tint);  // Monday the 7th
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
    cal.CheckToday();
    EXPECT_NE(at(cal.CellRect(1, 2)), tint);
    EXPECT_EQ(at(cal.CellRect(2, 2)), tint);  // Tuesday the 8th
}

TEST_F(MiniCalendarTest, TodayTintAndCursor) {
    // Today (2026-12-07, Monday) is row 2, column 1 of December 2026; the current day elsewhere.
    cal.SetDayNumber(jd(2026, 12, 15));
    const QRect today = cal.CellRect(1, 2);
    const QRect current = cal.CellRect(2, 3);
    EXPECT_EQ(at(today), QColor(0x8A, 0xFE, 0x81));  // 0x81FE8A as 0x00BBGGRR
    EXPECT_EQ(at(current), QColor(Qt::white));       // no inverse display
    cal.SetIsCursor(true);
    EXPECT_EQ(at(current), QColor(0xB9, 0xFF, 0xFF));
    EXPECT_EQ(at(today), QColor(0x8A, 0xFE, 0x81));
    // On today itself the cursor wins.
    cal.SetDayNumber(jd(2026, 12, 7));
    EXPECT_EQ(at(today), QColor(0xB9, 0xFF, 0xFF));
    cal.SetIsCursor(false);
    EXPECT_EQ(at(today), QColor(0x8A, 0xFE, 0x81));
}

TEST_F(MiniCalendarTest, RuledLinesOnlyWithKeisenAndNotOnTheOuterSide) {
    cal.SetDayNumber(jd(2026, 12, 15));
    const QRgb grid = qRgb(0xC0, 0xC0, 0xC0);
    const QRgb shadow = cal.ScreenColor(clBtnShadow).rgb();
    // Pale neighbour text shares the grid colour, so a line is a whole run along a cell's edge.
    auto verticalLine = [&](const QRect& cell, QRgb colour) {
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
            if (cal.Buffer().pixel(cell.right(), y) != colour) return false;
        return true;
    };
    auto horizontalLine = [&](const QRect& cell, QRgb colour) {
        for (int x = cell.left(); x < cell.right(); ++x)
            if (cal.Buffer().pixel(x, cell.bottom()) != colour) return false;
        return true;
    };
    const QRect middle = cal.CellRect(2, 3);
    const QRect header = cal.CellRect(2, 0);
    EXPECT_FALSE(verticalLine(middle, grid));
    EXPECT_FALSE(horizontalLine(middle, grid));
    EXPECT_FALSE(verticalLine(header, shadow));
    cal.SetKeisen(true);
    // At right - 1 and bottom - 1 of the exclusive edges; the header's in the shadow colour.
    EXPECT_TRUE(verticalLine(middle, grid));
    EXPECT_TRUE(horizontalLine(middle, grid));
    EXPECT_TRUE(verticalLine(header, shadow));
    EXPECT_TRUE(horizontalLine(header, shadow));
    // The last column and the last row get no line on their outer side.
    EXPECT_FALSE(verticalLine(cal.CellRect(6, 3), grid));
    const QRect lastRow = cal.CellRect(3, 6);
    EXPECT_FALSE(horizontalLine(lastRow, grid));
    EXPECT_TRUE(verticalLine(lastRow, grid));
}

TEST_F(MiniCalendarTest, SuspendedSkipsRedraws) {
    cal.SetDayNumber(jd(2026, 12, 15));
    const QImage before = cal.Buffer();
    cal.Suspended = true;
    cal.SetDayNumber(jd(2026, 3, 15));
    EXPECT_EQ(cal.Buffer(), before);
    cal.Suspended = false;
    cal.UpdateCalendar();
    cal.SetDayNumber(jd(2026, 3, 16));
    EXPECT_NE(cal.Buffer(), before);
}

// The headings on their grey, Sunday red and Saturday blue; the neighbouring days in pale ink.
TEST_F(MiniCalendarTest, HeadingsAndNeighbours) {
    cal.SetDayNumber(jd(2026, 12, 15));  // the grid starts on Sunday 29 November
    const auto inks = [&](const QRect& cell) {
        QList<QRgb> out;
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
            for (int x = cell.left() + 1; x < cell.right(); ++x)
                if (const QRgb p = cal.Buffer().pixel(x, y); !out.contains(p)) out << p;
        return out;
    };
    const QList<QRgb> sunday = inks(cal.CellRect(0, 0)), saturday = inks(cal.CellRect(6, 0));
    const QList<QRgb> monday = inks(cal.CellRect(1, 0));
    EXPECT_TRUE(sunday.contains(qRgb(0xE1, 0xE1, 0xE1)));
    EXPECT_TRUE(std::any_of(sunday.begin(), sunday.end(),
                            [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 80; }));
    EXPECT_TRUE(std::any_of(saturday.begin(), saturday.end(),
                            [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 80; }));
    EXPECT_TRUE(std::any_of(monday.begin(), monday.end(), [](QRgb p) { return qGray(p) < 80; }));
    const QList<QRgb> november = inks(cal.CellRect(0, 1));
    EXPECT_GT(november.size(), 1);
    for (const QRgb p : november) EXPECT_GE(qGreen(p), 0xC0) << std::hex << p;
}

}  // namespace
}  // namespace korvane
