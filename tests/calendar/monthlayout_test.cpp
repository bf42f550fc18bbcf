#include "calendar/monthlayout.h"

#include "calendar/daynumber.h"
#include "calendar/holidayrules.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// December 2026 as the main grid shows it: the 1st is a Tuesday, so the grid starts 2026-11-29.
constexpr std::int32_t kFirstCell = 2461374;  // 2026-11-29

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EncodeDayNumber(2026, 11, 29), kFirstCell);
        for (int i = 0; i < 5; ++i) {
            const int month = 10 + i;  // pages 0..4: 2026-10 .. 2027-02, shown = page 2
            layout.MonthPages[std::size_t(i)].Year = month > 12 ? 2027 : 2026;
            layout.MonthPages[std::size_t(i)].Month = month > 12 ? month - 12 : month;
        }
        layout.CurrentPage = 2;
    }
    MonthPage& page(int i) { return layout.MonthPages[std::size_t(i)]; }
    static int cellOf(int y, int m, int d) {
        return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d)) - kFirstCell;
    }
    void lay(int n, bool ueTume) { layout.LayoutItems(n, ueTume, kFirstCell, 2026, 12); }
    // Slot markers of a cell as text: "." free, "F" period, digit page.
    QString markers(int cell, int n) const {
        QString s;
        for (int i = 0; i <= n; ++i) {
            const ItemSlot& slot = layout.Slot(cell, i);
            s += slot.isFree() ? QChar(u'.') : slot.Marker;
        }
        return s;
    }
    MonthLayout layout;
};

// A line count past the nine a cell holds is nine, below zero none: never a slot past the table.
TEST_F(Layout, LineCountIsKeptWithinTheTable) {
    for (int i = 0; i < 12; ++i) page(2).Lines << QStringLiteral("15,,,予定%1,").arg(i);
    lay(12, true);
    EXPECT_EQ(layout.LineCount(), MonthLayout::kMaxLines);
    EXPECT_EQ(markers(cellOf(2026, 12, 15), MonthLayout::kMaxLines), "2222222222");
    lay(-3, true);
    EXPECT_EQ(layout.LineCount(), 0);
    EXPECT_EQ(markers(cellOf(2026, 12, 15), 0), "2");  // only the overflow slot
}

TEST_F(Layout, PeriodsFirstFitInListOrder) {
    layout.PeriodList = {
        "2026,12,8,M,2026,12,10,X,,12,8,1,clBlue,出張",
        "2026,12,1,M,2026,12,12,X,,12,1,1,clRed,展示会",
        "2026,12,11,M,2026,12,20,X,,12,11,1,clGreen,棚卸し",
        "2026,12,5,M,2026,12,6,X,,12,5,1,D,削除済み",
        "2026,12,5,M",
    };
    lay(4, false);
    // The first line keeps slot 0 throughout; the second needs a slot free over its whole span.
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 8), 0).Record, 0);
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 1), 1).Record, 1);
    EXPECT_TRUE(layout.Slot(cellOf(2026, 12, 1), 0).isFree());
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 12), 1).Record, 1);
    // The third overlaps the second only, and slot 0 is free over its span.
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 11), 0).Record, 2);
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 20), 0).Record, 2);
    EXPECT_EQ(markers(cellOf(2026, 12, 5), 4), ".F...");
}

TEST_F(Layout, BrokenNumbersLeaveOnlyThatLineOut) {
    layout.PeriodList = {"2026,十二,1,M,2026,12,3,X,,12,1,1,clRed,壊れた行",
                         "2026,12,1,M,2026,12,3,X,,12,1,1,clRed,正しい行"};
    page(2).Lines = {"x,,,壊れた日,", "2,,,正しい日,", ""};
    EXPECT_NO_THROW(lay(4, false));
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 1), 0).Record, 1);
    EXPECT_EQ(markers(cellOf(2026, 12, 2), 4), "F..2.");
}

// Dates no day number reaches, or months and days out of range, are bad data: that line is
// skipped and nothing is written past the 42 cells.
TEST_F(Layout, PeriodDatesOutOfRangeAreSkipped) {
    layout.PeriodList = {
        "2026,12,1,M,9999999,12,1,A,,12,1,1,clRed,x",
        "-9999999,12,1,M,2026,12,1,A,,12,1,1,clRed,x",
        "2147483647,12,1,M,2147483647,12,2,A,,12,1,1,clRed,x",
        "2026,12,1,M,2026,300,1,A,,12,1,1,clRed,x",
        "2026,12,0,M,2026,12,5,A,,12,1,1,clRed,x",
        "2026,13,1,M,2026,12,5,A,,12,1,1,clRed,x",
        "2026,12,7,M,2026,12,1,A,,12,1,1,clRed,backwards",
        "2026,12,2,M,2026,12,3,A,,12,2,1,clRed,ok",
    };
    EXPECT_NO_THROW(lay(4, false));
    for (int k = 0; k < MonthLayout::kCells; ++k) {
        const bool inOk = k == cellOf(2026, 12, 2) || k == cellOf(2026, 12, 3);
        EXPECT_EQ(markers(k, 4), inOk ? "F...." : ".....") << k;
    }
    EXPECT_EQ(layout.Slot(cellOf(2026, 12, 2), 0).Record, 7);
}

// Start, end and label marks compare whole dates: last year's period does not mark this year.
TEST(PeriodMarks, WholeDates) {
    const QStringList f = SplitRecord("2025,12,10,M,2026,12,12,A,,12,10,1,clRed,長期");
    struct Case {
        int y, m, d;
        bool start, end, label;
    };
    const Case cases[] = {
        {2025, 12, 10, true, false, true},   {2026, 12, 10, false, false, false},
        {2026, 12, 12, false, true, false},  {2025, 12, 12, false, false, false},
        {2026, 12, 11, false, false, false}, {2024, 12, 10, false, false, false},
    };
    for (const Case& c : cases) {
        const PeriodMarks m =
            PeriodMarksOf(f, EncodeDayNumber(c.y, std::uint8_t(c.m), std::uint8_t(c.d)));
        EXPECT_EQ(m.start, c.start) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(m.end, c.end) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(m.label, c.label) << c.y << "-" << c.m << "-" << c.d;
    }
    // The label in the second year of a period that starts after its month and day.
    const QStringList late = SplitRecord("2025,12,20,M,2026,12,31,A,,12,15,1,clRed,x");
    EXPECT_FALSE(PeriodMarksOf(late, EncodeDayNumber(2025, 12, 15)).label);
    EXPECT_TRUE(PeriodMarksOf(late, EncodeDayNumber(2026, 12, 15)).label);
    const PeriodMarks broken =
        PeriodMarksOf(SplitRecord("2026,x,1,M,2026,12,2,A,,12,1"), EncodeDayNumber(2026, 12, 1));
    EXPECT_FALSE(broken.start || broken.end || broken.label);
}

TEST(LayoutWrap, JanuaryTakesDecemberOnlyFromTheRightPage) {
    MonthLayout layout;
    const std::int32_t first = EncodeDayNumber(2026, 12, 28);  // January 2027 grid
    layout.CurrentPage = 0;  // no page before: December cannot be shown
    layout.MonthPages[0] = {2027, 1, 0, {"31,,,一月,"}};
    layout.MonthPages[1] = {2027, 2, 0, {}};
    layout.LayoutItems(4, true, first, 2027, 1);
    EXPECT_TRUE(layout.Slot(3, 0).isFree());     // 2026-12-31: page 0 holds January
    EXPECT_EQ(layout.Slot(34, 0).Marker, u'0');  // 2027-01-31

    layout.CurrentPage = 1;
    layout.MonthPages[0] = {2025, 12, 0, {"31,,,去年の十二月,", "28,,,最初の日,"}};  // wrong year
    layout.MonthPages[1] = {2027, 1, 0, {}};
    layout.LayoutItems(4, true, first, 2027, 1);
    EXPECT_TRUE(layout.Slot(3, 0).isFree());
    layout.MonthPages[0].Year = 2026;
    layout.LayoutItems(4, true, first, 2027, 1);
    EXPECT_EQ(layout.Slot(3, 0).Marker, u'0');
    EXPECT_EQ(layout.Slot(0, 0).Marker, u'0');  // the grid's first cell too
}

TEST_F(Layout, PrintTexts) {
    HolidayRules rules;
    rules.SetHolidayList({"12,23,祝日A"});
    rules.SetSpecialDayList({"12,23,創立記念日", "12,23,父の誕生日"});
    page(2).Lines = {"23,,,\t忘年会,"};
    layout.PeriodList = {"2026,12,22,M,2026,12,24,X,,12,22,1,clRed,出張"};
    lay(3, false);
    const int cell = cellOf(2026, 12, 23);
    const CellPrintTexts t =
        layout.GetCellPrintTexts(3, cell % 7, cell / 7 + 1,
                                 [&](std::int32_t y, std::uint8_t m, std::uint8_t d,
                                     QString* kinds) { return rules.DayNameList(y, m, d, kinds); });
    EXPECT_EQ(t.Month, 12);
    EXPECT_EQ(t.Day, 23);
    EXPECT_EQ(t.Anniversary, "創立記念日，父の誕生日 ");
    EXPECT_EQ(t.Holiday, "祝日A");
    EXPECT_EQ(t.Names, "創立記念日,父の誕生日,祝日A");
    EXPECT_FALSE(t.Rokuyo.isEmpty());
    ASSERT_EQ(t.Lines.size(), 3);
    EXPECT_EQ(t.Lines[0], layout.PeriodList[0]);
    EXPECT_EQ(t.Lines[1], "");
    EXPECT_EQ(t.Lines[2], "23,,,   忘年会,");
}

// A month that begins in the first column shows the week before it unless told not to.
TEST(GridFirstCell, AWeekBeforeAMonthThatStartsTheRow) {
    EXPECT_EQ(GridFirstCellDay(2024, 9, 0, false), EncodeDayNumber(2024, 8, 25));
    EXPECT_EQ(GridFirstCellDay(2024, 9, 0, true), EncodeDayNumber(2024, 9, 1));
    EXPECT_EQ(GridFirstCellDay(2026, 6, 1, false), EncodeDayNumber(2026, 5, 25));
    EXPECT_EQ(GridFirstCellDay(2026, 12, 0, false), EncodeDayNumber(2026, 11, 29));
}

}  // namespace
}  // namespace korvane
