#include "calendar/monthgrid.h"

#include "calendar/daynumber.h"
#include "core/clock.h"
#include "core/prompt.h"

#include <QDir>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::int32_t jd(std::int32_t y, int m, int d) {
    return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d));
}

void configureAsMainWindow(MonthGrid& grid, bool compact) { ApplyMainWindowLayout(grid, compact); }

// December 2026 as a busy month: pages 2026-10 .. 2027-02 with the shown month on page 2.
void fillBusyMonth(MonthGrid& grid) {
    grid.Suspended = true;
    grid.SetHolidayList({"1,1,元日", "11,3,文化の日", "11,23,勤労感謝の日",
                         "2022,2,12,27,祝日テスト", "2026,0,12,6,日曜の祝日"});
    grid.SetSpecialDayList({"12,27,創立記念日", "12,24,父の誕生日", "12,24,\"結婚　記念日\""});
    for (int i = 0; i < 5; ++i) {
        const int month = 10 + i;
        grid.MonthPages()[std::size_t(i)].Year = month > 12 ? 2027 : 2026;
        grid.MonthPages()[std::size_t(i)].Month = month > 12 ? month - 12 : month;
    }
    grid.CurrentPage() = 2;
    grid.MonthPages()[1].Lines = {"29,,,十一月末の会議,", "30,,,月末処理,"};
    grid.MonthPages()[2].Lines = {
        "2,,,<B>部長会議</B>,",
        "9,,,支払い\t振込,clRed,x",
        "9,,,<S>中止の打合せ</S>,",
        "10,,,1,,,",
        "10,,,2,,,",
        "10,,,3,,,",
        "10,,,4,,,",
        "10,,,五番目の予定はとても長い名前,,,",
        "10,,,6,,,",
        "16,,,前半<H>秘密の,",
        "16,,,隠れた行,",
        "16,,,内容</H>後半,",
        "24,,,忘年会,clBlue,x",
    };
    grid.MonthPages()[3].Lines = {"4,,,仕事始め,"};
    grid.PeriodList() = {
        "2026,10,1,M,2027,3,1,M,,12,1,1,$00808000,長期案件",
        "2026,12,14,M,2026,12,18,A,,12,14,2,clRed,研修",
        "2026,12,17,A,2026,12,22,X,,12,17,1,clGreen,出張",
    };
    grid.SetShowRokuyo(true);
    grid.SetDayNumber(jd(2026, 12, 15));
    grid.SelStart = jd(2026, 12, 21);
    grid.SelEnd = jd(2026, 12, 22);
    grid.Suspended = false;
    grid.UpdateCalendar();
}

class MonthGridTest : public ::testing::Test {
protected:
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    MonthGrid grid;
    void SetUp() override { configureAsMainWindow(grid, false); }
};

TEST_F(MonthGridTest, GoToDateClampsAndWraps) {
    struct Case {
        int y, m, d;
        std::int32_t to;
    };
    const Case cases[] = {
        {2024, 13, 31, jd(2025, 1, 31)}, {2023, 2, 30, jd(2023, 2, 28)},
        {2024, 2, 31, jd(2024, 2, 29)},  {2024, 0, 15, jd(2023, 12, 15)},
        {2024, 4, 31, jd(2024, 4, 30)},  {2024, 11, 31, jd(2024, 11, 30)},
    };
    for (const Case& c : cases) {
        grid.GoToDate(c.y, c.m, c.d);
        EXPECT_EQ(grid.DayNumber(), c.to) << c.y << "-" << c.m << "-" << c.d;
    }
    std::int32_t y = 2024;
    int m = 27;
    MonthGrid::NormalizeMonth(y, m);
    EXPECT_EQ(y, 2026);
    EXPECT_EQ(m, 3);
    m = -13;
    MonthGrid::NormalizeMonth(y, m);
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 11);
    grid.SetItemGyo(12);  // at most nine item lines
    EXPECT_EQ(grid.ItemGyo(), 9);
}

TEST_F(MonthGridTest, HitTest) {
    int third, line, row, column;
    grid.HitTest(5, 5, third, line, row, column);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 0);
    // Column 2, right third, second item line of week row 3.
    const int x = 2 * 117 + 100;
    const int y = 24 + 2 * 82 + grid.DateAreaH() + grid.LineH() + 3;
    grid.HitTest(x, y, third, line, row, column);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(third, 3);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(line, 2);
    grid.HitTest(10, 24 + 5, third, line, row, column);
    EXPECT_EQ(third, 1);
    EXPECT_EQ(line, grid.ItemGyo() + 1);  // the date line
}

TEST_F(MonthGridTest, NameKindsAndSpecialFlag) {
    grid.SetHolidayList({"11,23,勤労感謝の日"});
    grid.SetSpecialDayList({"11,23,創立記念日"});
    const CalendarFont& f = grid.GetDayFont(2026, 11, 23);
    EXPECT_EQ(&f, &grid.Fonts().Font(CalendarFonts::Holiday));  // not the SpecialDay font
    EXPECT_TRUE(grid.IsSpecial);
    EXPECT_EQ(grid.GetDayNames(2026, 11, 23), "創立記念日,勤労感謝の日");
    EXPECT_EQ(grid.NameKinds, "SH");
    grid.GetDayFont(2026, 11, 24);
    EXPECT_FALSE(grid.IsSpecial);
}

TEST_F(MonthGridTest, ClicksOnNeighboursPageTheData) {
    grid.CurrentPage() = 2;
    grid.SetDayNumber(jd(2026, 12, 15));  // grid from 2026-11-29
    auto click = [&](int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect r = grid.CellRect(column, row);
        QTest::mouseClick(&grid, button, {}, r.center() + grid.contentsRect().topLeft());
    };
    click(3, 0);  // header
    EXPECT_FALSE(grid.ClickedInMonth);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 15));
    click(0, 1);  // 2026-11-29
    EXPECT_EQ(grid.ClickedDay, jd(2026, 11, 29));
    EXPECT_FALSE(grid.ClickedInMonth);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 15));  // NeighborJump is off
    grid.NeighborJump = true;
    click(0, 1, Qt::RightButton);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 15));
    click(0, 1);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 11, 29));
    EXPECT_TRUE(grid.NeighborPaged);
    EXPECT_FALSE(grid.PageForward);
    EXPECT_EQ(grid.CurrentPage(), 1);
    // Back in December, a January day further down steps forward.
    grid.CurrentPage() = 4;
    grid.SetDayNumber(jd(2026, 12, 15));
    click(6, 6);  // 2027-01-09
    EXPECT_TRUE(grid.PageForward);
    EXPECT_TRUE(grid.PageOverflow);
    EXPECT_EQ(grid.CurrentPage(), 4);
    EXPECT_EQ(grid.DayNumber(), jd(2027, 1, 9));
    grid.SetDayNumber(jd(2026, 12, 15));
    click(3, 3);
    EXPECT_TRUE(grid.ClickedInMonth);
    EXPECT_FALSE(grid.NeighborPaged);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 16));
    // Keys do not move the grid.
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 16));
}

// The drawing of a day cell by number, for the main window's grid (item lines 14 pixels apart
// below a 22-pixel date line, text 6 pixels in). Font-dependent sizes come from the fonts used.
TEST_F(MonthGridTest, CellGeometryOfTheMainWindowsGrid) {
    fillBusyMonth(grid);
    // Wednesday 2026-12-16: the long period on line 0, "研修" on line 1, two items at the bottom.
    const DayCellGeometry g = grid.CellGeometry(3, 3);
    EXPECT_EQ(g.Rect, QRect(351, 188, 117, 82));
    EXPECT_EQ(g.Date, jd(2026, 12, 16));
    EXPECT_FALSE(g.OtherMonth);
    EXPECT_EQ(g.Fill, grid.ScreenColor(clWindow));  // a selection exists elsewhere
    ASSERT_EQ(g.Items.size(), 2u);
    const QFontMetrics item(g.Items[0].Text.Font);
    const int h = item.height();
    EXPECT_EQ(g.Items[0].Slot, 2);
    EXPECT_EQ(g.Items[0].BandTop, 188 + 22 + 2 * 14);
    EXPECT_EQ(g.Items[0].Text.Text, "前半");
    EXPECT_EQ(g.Items[0].Text.Origin, QPoint(351 + 6, 238 + 14 - h + item.ascent()));
    EXPECT_EQ(g.Items[0].Text.Colour, QColor(0x48, 0x48, 0x48));
    EXPECT_EQ(g.Items[1].BandTop, 188 + 22 + 3 * 14);
    EXPECT_FALSE(g.Items[1].Mark.has_value());
    ASSERT_EQ(g.Bars.size(), 2u);
    const int y0 = 210 + 14 - h + h / 2 - 1;
    EXPECT_EQ(g.Bars[0].Bar, QLine(351, y0, 468, y0));  // across the whole cell
    EXPECT_EQ(g.Bars[0].PenWidth, 1);
    EXPECT_EQ(g.Bars[1].Bar, QLine(351, y0 + 14, 468, y0 + 14));
    EXPECT_EQ(g.Bars[1].PenWidth, 2);
    EXPECT_EQ(g.Bars[1].Colour, QColor(Qt::red));
    EXPECT_FALSE(g.Bars[1].StartStroke || g.Bars[1].EndStroke || g.Bars[1].Label);
    // The day number ends at 28 pixels in, the width of "25" before it; its bottom at 22.
    const QFontMetrics day(g.DayNumber.Font);
    EXPECT_EQ(g.DayNumber.Text, "16");
    EXPECT_EQ(g.DayNumber.Origin,
              QPoint(351 + 28 - day.horizontalAdvance("25"), 188 + 22 - day.descent()));
    ASSERT_TRUE(g.Rokuyo.has_value());
    const QFontMetrics small(g.Rokuyo->Font);
    EXPECT_EQ(g.Rokuyo->Text, " 赤口 ");
    EXPECT_EQ(g.Rokuyo->Origin, QPoint(g.DayNumber.Origin.x() + day.horizontalAdvance("16") + 4,
                                       188 + 22 - 2 - small.descent()));

    // Monday 2026-12-14: "研修" starts in the morning, with its label at the right edge.
    const DayCellGeometry start = grid.CellGeometry(1, 3);
    ASSERT_EQ(start.Bars.size(), 2u);
    const CellPeriodBar& b = start.Bars[1];
    EXPECT_EQ(b.Bar, QLine(117 + 5, y0 + 14, 234, y0 + 14));
    EXPECT_EQ(b.StartStroke, QLine(122, y0 + 14, 137, y0 + 16));
    ASSERT_TRUE(b.Label && b.LabelBox);
    const int w = item.horizontalAdvance(" 研修 ");
    EXPECT_EQ(b.Label->Text, " 研修 ");
    EXPECT_EQ(*b.LabelBox, QRect(234 - (w + 4), 224 + 14 - h, w + 1, h + 1));
    EXPECT_EQ(b.Label->Origin, QPoint(234 - (w + 4), 224 + 14 - h + item.ascent()));
    // Friday 2026-12-18: it ends in the afternoon, 50 pixels short of the right edge.
    const DayCellGeometry end = grid.CellGeometry(5, 3);
    ASSERT_EQ(end.Bars.size(), 3u);  // "出張" from the 17th below it
    EXPECT_EQ(end.Bars[1].Bar, QLine(585, y0 + 14, 702 - 50, y0 + 14));
    EXPECT_EQ(end.Bars[1].EndStroke, QLine(637, y0 + 12, 652, y0 + 14));

    // Thursday 2026-12-10: six items on three free lines; the third is cut and marked "/".
    const DayCellGeometry busy = grid.CellGeometry(4, 2);
    ASSERT_EQ(busy.Items.size(), 3u);
    EXPECT_EQ(busy.Items[2].Slot, 3);
    ASSERT_TRUE(busy.Items[2].Mark.has_value());
    EXPECT_EQ(busy.Items[2].Mark->Text, "/");
    EXPECT_EQ(busy.Items[2].Text.Text, "3");  // short enough to stay whole
    EXPECT_EQ(busy.Items[2].Mark->Origin.x(),
              468 + 6 + item.horizontalAdvance(busy.Items[2].Text.Text));
    EXPECT_FALSE(busy.Items[1].Mark.has_value());

    // The clicked day is tinted only while it is to be highlighted.
    grid.ClickedDay = jd(2026, 12, 2);
    EXPECT_EQ(grid.CellGeometry(3, 1).Fill, grid.ScreenColor(clWindow));
    grid.HighlightClicked = true;
    EXPECT_EQ(grid.CellGeometry(3, 1).Fill, QColor(0xF8, 0xFD, 0xBB));
    grid.HighlightClicked = false;
    // Today, the selection and a hidden neighbour.
    EXPECT_EQ(grid.CellGeometry(1, 2).Fill, QColor(0xD5, 0xFF, 0xD0));  // 2026-12-07
    EXPECT_EQ(grid.CellGeometry(1, 4).Fill, QColor(0xB9, 0xFF, 0xFF));  // 2026-12-21, selected
    EXPECT_TRUE(grid.CellGeometry(0, 1).OtherMonth);
    grid.SetShowNeighbor(false);
    EXPECT_FALSE(grid.CellGeometry(0, 1).Content);
}

// The grid's tab settings reach its items: 4 × 100 % is four spaces, 2 × 150 % three.
TEST_F(MonthGridTest, TabsFollowTheGridsSettings) {
    fillBusyMonth(grid);
    const DayCellGeometry wide = grid.CellGeometry(3, 2);  // 2026-12-09: "支払い\t振込"
    ASSERT_FALSE(wide.Items.empty());
    EXPECT_EQ(wide.Items[0].Text.Text, "支払い   振込");
    grid.SetTabMojiSuu(4);
    grid.SetTabChousei(100);
    const DayCellGeometry g = grid.CellGeometry(3, 2);
    ASSERT_FALSE(g.Items.empty());
    EXPECT_EQ(g.Items[0].Text.Text, "支払い    振込");
}

// A bar on the last line does not hide that more items are waiting: "/" at the right edge.
TEST_F(MonthGridTest, OverflowMarkUnderABarOnTheLastLine) {
    grid.Suspended = true;
    for (int i = 0; i < 5; ++i) {
        grid.MonthPages()[std::size_t(i)].Year = 2026;
        grid.MonthPages()[std::size_t(i)].Month = 10 + i > 12 ? 12 : 10 + i;
    }
    grid.CurrentPage() = 2;
    grid.MonthPages()[2].Lines = {"2,,,隠れた予定,"};
    grid.PeriodList() = {
        "2026,12,1,M,2026,12,3,X,,12,1,1,clRed,a", "2026,12,1,M,2026,12,3,X,,12,1,1,clRed,b",
        "2026,12,1,M,2026,12,3,X,,12,1,1,clRed,c", "2026,12,2,M,2026,12,3,X,,12,2,1,clRed,d"};
    grid.SetDayNumber(jd(2026, 12, 15));
    grid.Suspended = false;
    grid.UpdateCalendar();
    const DayCellGeometry g = grid.CellGeometry(3, 1);  // 2026-12-02
    EXPECT_FALSE(g.Fill.has_value());
    EXPECT_EQ(g.Background, grid.ScreenColor(grid.Color()));  // what the mark's box is filled with
    EXPECT_TRUE(g.Items.empty());
    ASSERT_EQ(g.Bars.size(), 4u);
    ASSERT_TRUE(g.OverflowMark.has_value());
    const QFontMetrics fm(g.OverflowMark->Font);
    EXPECT_EQ(g.OverflowMark->Text, "/");
    EXPECT_EQ(g.OverflowMark->Origin, QPoint(468 - 2 - fm.horizontalAdvance("/"),
                                             24 + 22 + 3 * 14 + 14 - fm.height() + fm.ascent()));
    EXPECT_FALSE(grid.CellGeometry(2, 1).OverflowMark.has_value());  // 2026-12-01: nothing waits
}

// The compact grid of small screens: 100 x 65 cells, one free item line on a busy day.
TEST(MonthGridCompact, CellGeometry) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    MonthGrid grid;
    configureAsMainWindow(grid, true);
    fillBusyMonth(grid);
    const DayCellGeometry g = grid.CellGeometry(3, 3);  // 2026-12-16
    EXPECT_EQ(g.Rect, QRect(300, 22 + 2 * 65, 100, 65));
    ASSERT_EQ(g.Items.size(), 1u);  // two items, one free line: cut and marked
    EXPECT_EQ(g.Items[0].BandTop, 152 + 20 + 2 * 14);
    EXPECT_TRUE(g.Items[0].Mark.has_value());
}

// Each edge of the grid: the last pixel inside selects its day, the first outside selects none.
TEST_F(MonthGridTest, ClicksOnTheEdgeStrips) {
    grid.SetDayNumber(jd(2026, 12, 15));  // rows from 2026-11-29 to 2027-01-09
    const QPoint origin = grid.contentsRect().topLeft();
    struct Case {
        int x, y;
        std::int32_t day;  // 0 = nothing selected
    };
    const Case cases[] = {
        {0, 24, jd(2026, 11, 29)},    {818, 24, jd(2026, 12, 5)},  {819, 24, 0}, {820, 100, 0},
        {0, 515, jd(2027, 1, 3)},     {818, 515, jd(2027, 1, 9)},  {0, 516, 0},  {818, 517, 0},
        {116, 105, jd(2026, 11, 29)}, {117, 106, jd(2026, 12, 7)},
    };
    for (const Case& c : cases) {
        grid.ClickedDay = -1;
        grid.SetDayNumber(jd(2026, 12, 15));
        QTest::mouseClick(&grid, Qt::LeftButton, {}, origin + QPoint(c.x, c.y));
        EXPECT_EQ(grid.ClickedDay, c.day) << c.x << "," << c.y;
        if (c.day == 0) {
            EXPECT_EQ(grid.DayNumber(), jd(2026, 12, 15)) << c.x << "," << c.y;
        }
    }
}

TEST_F(MonthGridTest, DeletePeriodAsksWithNoAsDefault) {
    grid.PeriodList() = {"a", "b", "c"};
    grid.SelectedPeriod = 1;
    ScriptedPrompt prompt;
    grid.DeletePeriod(1);  // answered no
    EXPECT_EQ(grid.PeriodList().size(), 3);
    ASSERT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(prompt.entries()[0].text, "この予定を削除してもいいですか？");
    EXPECT_EQ(prompt.entries()[0].caption, "確認");
    EXPECT_TRUE(prompt.entries()[0].defaultNo);
    prompt.answer(true);
    grid.DeletePeriod(1);
    EXPECT_EQ(grid.PeriodList(), QStringList({"a", "c"}));
    EXPECT_EQ(grid.SelectedPeriod, 0);
    grid.DeletePeriod(0);  // index 0 is never asked about
    EXPECT_EQ(prompt.entries().size(), 2u);
}

TEST_F(MonthGridTest, SpecialDaysFromTheDataFolder) {
    QTemporaryDir dir;
    QFile f(dir.filePath("SDAY.VLM"));  // written on Windows in capitals: found all the same
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("12,25,\x83\x4e\x83\x8a\x83\x58\x83\x7d\x83\x58\r\n");  // クリスマス
    f.close();
    grid.SetDataKyoFile(dir.path() + "/");
    EXPECT_EQ(grid.GetDayNames(2026, 12, 25), "クリスマス");
    EXPECT_TRUE(grid.GetDayKind(2026, 12, 25) & dkSpecialDay);
}

// The holiday file of the working folder, whatever the case of its name.
TEST(MonthGridHolidayFile, FoundWithoutRegardToCase) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    QTemporaryDir dir;
    QFile f(dir.filePath("HDAY.DAT"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("12,24,Eve\r\n");
    f.close();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    MonthGrid grid;
    QDir::setCurrent(before);
    EXPECT_EQ(grid.GetDayNames(2026, 12, 24), "Eve");
}

TEST_F(MonthGridTest, SkipUpDateHoldsTheBuffer) {
    fillBusyMonth(grid);
    const QImage before = grid.Buffer();
    grid.SkipUpDate = true;
    grid.SetLenItemLeftM(30);
    EXPECT_EQ(grid.Buffer(), before);
    grid.SkipUpDate = false;
    grid.SetLenItemLeftM(31);
    EXPECT_NE(grid.Buffer(), before);
}

}  // namespace
}  // namespace korvane
