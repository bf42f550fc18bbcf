#include "calendar/monthgrid.h"

#include "../files.h"
#include "../golden.h"
#include "calendar/daynumber.h"
#include "core/clock.h"
#include "core/prompt.h"

#include <QDir>
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

QString colour(const QColor& c) { return c.name(); }

QString text(const char* what, const CellText& t) {
    return QStringLiteral(" %1 \"%2\" (%3,%4) %5 %6%7 %8")
        .arg(QLatin1String(what), t.Text)
        .arg(t.Origin.x())
        .arg(t.Origin.y())
        .arg(t.Font.family())
        .arg(t.Font.pixelSize() > 0 ? t.Font.pixelSize() : t.Font.pointSize())
        .arg(t.Font.bold() ? QStringLiteral(" bold") : QString(), colour(t.Colour));
}

QString line(const QLine& l) {
    return QStringLiteral("(%1,%2)-(%3,%4)").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2());
}

// Every cell of the grid as it would be drawn, one line per cell and one per part of it.
QString dumpGrid(const MonthGrid& grid) {
    QString out;
    for (int row = 1; row <= 6; ++row)
        for (int column = 0; column < 7; ++column) {
            const DayCellGeometry g = grid.CellGeometry(column, row);
            std::int32_t y;
            std::uint8_t m, d;
            DecodeDayNumber(g.Date, y, m, d);
            out += QStringLiteral("Cell %1-%2-%3 (%4,%5 %6x%7)%8 bg %9%10%11\n")
                       .arg(y)
                       .arg(m)
                       .arg(d)
                       .arg(g.Rect.x())
                       .arg(g.Rect.y())
                       .arg(g.Rect.width())
                       .arg(g.Rect.height())
                       .arg(g.Fill ? " fill " + colour(*g.Fill) : QString(), colour(g.Background),
                            g.OtherMonth ? QStringLiteral(" other") : QString(),
                            g.Content ? QString() : QStringLiteral(" hidden"));
            if (!g.Content) continue;
            out += text("day", g.DayNumber) + "\n";
            if (g.Rokuyo) out += text("rokuyo", *g.Rokuyo) + "\n";
            for (const CellText& n : g.Names) out += text("name", n) + "\n";
            for (const CellItemLine& i : g.Items) {
                out += QStringLiteral(" slot %1 top %2").arg(i.Slot).arg(i.BandTop) +
                       text("item", i.Text);
                if (i.Mark) out += text("mark", *i.Mark);
                out += "\n";
            }
            for (const CellPeriodBar& b : g.Bars) {
                out += QStringLiteral(" slot %1 top %2 bar %3 pen %4 %5")
                           .arg(b.Slot)
                           .arg(b.BandTop)
                           .arg(line(b.Bar))
                           .arg(b.PenWidth)
                           .arg(colour(b.Colour));
                if (b.StartStroke) out += " start " + line(*b.StartStroke);
                if (b.EndStroke) out += " end " + line(*b.EndStroke);
                if (b.LabelBox)
                    out += QStringLiteral(" box (%1,%2 %3x%4)")
                               .arg(b.LabelBox->x())
                               .arg(b.LabelBox->y())
                               .arg(b.LabelBox->width())
                               .arg(b.LabelBox->height());
                if (b.Label) out += text("label", *b.Label);
                out += "\n";
            }
            if (g.OverflowMark) out += text("overflow", *g.OverflowMark) + "\n";
        }
    return out;
}

// The busy December in the main window's grid and in the compact one packed to the top, and a day
// whose last line a bar takes while an item waits, against their recordings in
// tests/calendar/golden.
TEST(MonthGridGolden, CellsAsDrawn) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    for (const bool compact : {false, true}) {
        MonthGrid grid;
        configureAsMainWindow(grid, compact);
        grid.SetUeTume(compact);  // items packed to the top
        fillBusyMonth(grid);
        grid.ClickedDay = jd(2026, 12, 2);
        grid.HighlightClicked = true;
        EXPECT_TRUE(
            testing::MatchesRecording(compact ? "Grid_busy_compact" : "Grid_busy", dumpGrid(grid)));
    }
    MonthGrid grid;
    configureAsMainWindow(grid, false);
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
    grid.SetShowNeighbor(false);
    grid.Suspended = false;
    grid.UpdateCalendar();
    EXPECT_TRUE(testing::MatchesRecording("Grid_overflow", dumpGrid(grid)));
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
    // Written on Windows in capitals: found all the same.
    ASSERT_TRUE(testing::WriteFile(dir.filePath("SDAY.VLM"),
                                   "12,25,\x83\x4e\x83\x8a\x83\x58\x83\x7d\x83\x58\r\n"));
    grid.SetDataKyoFile(dir.path() + "/");
    EXPECT_EQ(grid.GetDayNames(2026, 12, 25), "クリスマス");
    EXPECT_TRUE(grid.GetDayKind(2026, 12, 25) & dkSpecialDay);
}

// The holiday file of the working folder, whatever the case of its name.
TEST(MonthGridHolidayFile, FoundWithoutRegardToCase) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    QTemporaryDir dir;
    ASSERT_TRUE(testing::WriteFile(dir.filePath("HDAY.DAT"), "12,24,Eve\r\n"));
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
