#include "calendar/monthcalendar.h"

#include "calendar/daynumber.h"
#include "core/clock.h"
#include "core/convert.h"
#include "core/prompt.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace korvane {
namespace {

std::int32_t jd(std::int32_t y, int m, int d) {
    return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d));
}

class MonthCalendarTest : public ::testing::Test {
protected:
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    MonthCalendar cal;
    std::vector<std::tuple<CalendarControl*, int, int, int>> events;

    void SetUp() override {
        cal.resize(7 * 40 + 4, 7 * 30 + 4);
        QObject::connect(
            &cal, &CalendarControl::dayChanged, &cal,
            [this](std::int32_t y, int m, int d) { events.emplace_back(&cal, y, m, d); });
    }
    // The client-area centre of a cell, in widget coordinates.
    QPoint cellCentre(int column, int row) const {
        return cal.CellRect(column, row).center() + cal.contentsRect().topLeft();
    }
};

TEST_F(MonthCalendarTest, FirstCellAndRowCount) {
    struct Case {
        int y, m;
        Weekday first;
        bool firstRowFirstDay, lastRowLastDay, autoResize;
        std::int32_t firstCell;
        int rows;
    };
    const Case cases[] = {
        // September 2024 begins on a Sunday: a week of August comes first unless asked not to.
        {2024, 9, dowSun, false, false, true, jd(2024, 8, 25), 7},
        {2024, 9, dowSun, true, false, true, jd(2024, 9, 1), 6},
        // February 2015: Sunday the 1st, 28 days, four whole weeks.
        {2015, 2, dowSun, false, false, true, jd(2015, 1, 25), 7},
        {2015, 2, dowSun, true, true, true, jd(2015, 2, 1), 5},
        {2015, 2, dowSun, true, false, true, jd(2015, 2, 1), 6},
        {2015, 2, dowSun, false, false, false, jd(2015, 1, 25), 7},
        {2015, 2, dowSun, true, true, false, jd(2015, 2, 1), 7},
        // Weeks starting on Monday.
        {2026, 12, dowMon, false, false, true, jd(2026, 11, 30), 6},
        {2026, 6, dowMon, false, false, true, jd(2026, 5, 25), 7},
        {2026, 6, dowMon, true, false, true, jd(2026, 6, 1), 6},
    };
    for (const Case& c : cases) {
        cal.SetDayNumber(jd(c.y, c.m, 15));
        cal.SetFirstDayOfWeek(c.first);
        cal.SetFirstRowFirstDay(c.firstRowFirstDay);
        cal.SetLastRowLastDay(c.lastRowLastDay);
        cal.SetAutoResize(c.autoResize);
        EXPECT_EQ(cal.FirstCellDay(), c.firstCell) << c.y << "-" << c.m;
        EXPECT_EQ(cal.RowCount(), c.rows)
            << c.y << "-" << c.m << " " << c.firstRowFirstDay << c.lastRowLastDay << c.autoResize;
    }
}

TEST_F(MonthCalendarTest, MonthMovesClampTheDay) {
    struct Case {
        std::int32_t from;
        bool next;
        std::int32_t to;
    };
    const Case cases[] = {
        {jd(2024, 1, 31), true, jd(2024, 2, 29)},   {jd(2023, 1, 31), true, jd(2023, 2, 28)},
        {jd(2024, 3, 31), false, jd(2024, 2, 29)},  {jd(2024, 12, 15), true, jd(2025, 1, 15)},
        {jd(2025, 1, 15), false, jd(2024, 12, 15)}, {jd(2024, 5, 31), true, jd(2024, 6, 30)},
    };
    for (const Case& c : cases) {
        cal.SetDayNumber(c.from);
        events.clear();
        c.next ? cal.NextMonth() : cal.PrevMonth();
        EXPECT_EQ(cal.DayNumber(), c.to) << c.from;
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0], std::make_tuple(&cal, cal.Year(), cal.Month(), cal.Day()));
    }
}

TEST_F(MonthCalendarTest, InvalidDatesAreIgnoredWithoutEvents) {
    cal.SetDayNumber(jd(2026, 4, 30));
    events.clear();
    cal.SetDay(31);
    EXPECT_EQ(cal.DayNumber(), jd(2026, 4, 30));
    cal.SetDayNumber(jd(2026, 1, 31));
    events.clear();
    cal.SetMonth(2);
    cal.SetMonth(13);
    cal.SetDay(0);
    EXPECT_EQ(cal.DayNumber(), jd(2026, 1, 31));
    EXPECT_TRUE(events.empty());
    // The same day again is no change either.
    cal.SetDayNumber(jd(2026, 1, 31));
    EXPECT_TRUE(events.empty());
    cal.SetYear(2024);
    EXPECT_EQ(cal.DayNumber(), jd(2024, 1, 31));
    EXPECT_EQ(events.size(), 1u);
    // The days of the reform do not exist.
    cal.SetDayNumber(jd(1582, 10, 4));
    cal.SetMonth(9);
    cal.SetDayNumber(jd(1582, 9, 10));
    EXPECT_THROW(cal.SetMonth(10), DayNumberError);
}

TEST_F(MonthCalendarTest, ClicksAndKeys) {
    cal.SetDayNumber(jd(2024, 9, 10));  // grid from 2024-08-25
    events.clear();
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cellCentre(3, 0));  // header
    EXPECT_TRUE(events.empty());
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cellCentre(0, 1));  // August 25
    EXPECT_EQ(cal.DayNumber(), jd(2024, 9, 10));
    cal.SetNeighborJump(true);
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cellCentre(0, 1));
    EXPECT_EQ(cal.DayNumber(), jd(2024, 8, 25));
    cal.SetDayNumber(jd(2024, 9, 10));
    QTest::mouseClick(&cal, Qt::LeftButton, {}, cellCentre(4, 3));  // row 3: from 09-08
    EXPECT_EQ(cal.DayNumber(), jd(2024, 9, 12));

    struct Key {
        Qt::Key key;
        std::int32_t to;
    };
    const Key keys[] = {
        {Qt::Key_Right, jd(2024, 9, 13)},     {Qt::Key_Left, jd(2024, 9, 12)},
        {Qt::Key_Down, jd(2024, 9, 19)},      {Qt::Key_Up, jd(2024, 9, 12)},
        {Qt::Key_PageDown, jd(2024, 10, 12)}, {Qt::Key_PageUp, jd(2024, 9, 12)},
    };
    for (const Key& k : keys) {
        QTest::keyClick(&cal, k.key);
        EXPECT_EQ(cal.DayNumber(), k.to) << k.key;
    }
}

TEST_F(MonthCalendarTest, DayFontsFollowTheKind) {
    cal.SetHolidayList({"11,3,文化の日", "11,23,勤労感謝の日"});
    cal.SetSpecialDayList({"11,23,記念日", "11,8,誕生日"});
    const CalendarFonts& f = cal.Fonts();
    auto fontOf = [&](int m, int d) {
        return &cal.GetDayFont(2026, std::uint8_t(m), std::uint8_t(d));
    };
    EXPECT_EQ(fontOf(11, 4), &f.Font(CalendarFonts::Weekday));
    EXPECT_EQ(fontOf(11, 7), &f.Font(CalendarFonts::Saturday));
    EXPECT_EQ(fontOf(11, 1), &f.Font(CalendarFonts::Sunday));
    EXPECT_EQ(fontOf(11, 3), &f.Font(CalendarFonts::Holiday));
    EXPECT_EQ(fontOf(9, 23), &f.Font(CalendarFonts::Holiday));      // equinox, computed
    EXPECT_EQ(fontOf(11, 23), &f.Font(CalendarFonts::SpecialDay));  // special day wins
    EXPECT_EQ(fontOf(11, 8), &f.Font(CalendarFonts::SpecialDay));   // also over Sunday
    EXPECT_EQ(cal.GetDayNames(2026, 11, 23), "記念日,勤労感謝の日");
}

// A subclass's idea of a holiday also decides the substitute on the Monday after.
class ExtraHoliday : public MonthCalendar {
public:
    DayKind GetDayKind(std::int32_t y, std::uint8_t m, std::uint8_t d) const override {
        DayKind k = MonthCalendar::GetDayKind(y, m, d);
        if (y == 2026 && m == 6 && d == 7) k |= dkHoliday;
        return k;
    }
};

TEST(CalendarModel, SubstituteGoesThroughTheOverride) {
    ExtraHoliday cal;
    EXPECT_EQ(cal.GetDayKind(2026, 6, 8), dkFurikae);
    EXPECT_EQ(cal.GetDayNames(2026, 6, 8), "振替休日");
    EXPECT_EQ(&cal.GetDayFont(2026, 6, 8), &cal.Fonts().Font(CalendarFonts::Holiday));
}

QColor pixelAt(const MonthCalendar& cal, QPoint p) { return cal.Buffer().pixelColor(p); }

// Counts its redraws, and can be told to fail in one.
class CountingCalendar : public MonthCalendar {
public:
    int redraws = 0;
    bool fail = false;
    void UpdateCalendar() override {
        ++redraws;
        MonthCalendar::UpdateCalendar();
        if (fail) throw std::runtime_error("描画テスト");
    }
};

// A copy of the font set is a value of its own: changing it redraws nobody, and it outlives
// the calendar it came from.
TEST(CalendarFontsCopy, CarriesNoOwner) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    auto cal = std::make_unique<CountingCalendar>();
    CalendarFonts copy = cal->Fonts();
    CalendarFonts assigned;
    assigned = cal->Fonts();
    const int before = cal->redraws;
    copy.SetColor(CalendarFonts::Sunday, clGreen);
    assigned.SetSizeExceptRokuyo(20);
    EXPECT_EQ(cal->redraws, before);
    EXPECT_EQ(cal->Fonts().Font(CalendarFonts::Sunday).Color, clRed);
    cal->SetFonts(copy);  // handing it back is one redraw
    EXPECT_EQ(cal->redraws, before + 1);
    EXPECT_EQ(cal->Fonts().Font(CalendarFonts::Sunday).Color, clGreen);
    // Every change is told; the size leaves the rokuyō alone.
    QSignalSpy told(&copy, &CalendarFonts::Changed);
    copy.SetColor(CalendarFonts::Holiday, clBlue);
    copy.SetSizeExceptRokuyo(14);
    EXPECT_EQ(told.count(), 2);
    EXPECT_EQ(copy.Font(CalendarFonts::Weekday).Font.pointSize(), 14);
    EXPECT_EQ(copy.Font(CalendarFonts::Rokuyo).Font.pointSize(), 10);
    cal.reset();
    copy.SetColor(CalendarFonts::Saturday, clRed);  // the owner is gone: nothing to call
    EXPECT_EQ(copy.Font(CalendarFonts::Saturday).Color, clRed);
}

// A redraw that fails is said once, later, and the calendar goes on working.
TEST(CalendarRedraw, FailureIsReportedOnceAndTheControlStaysUsable) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    ScriptedPrompt prompt;
    CountingCalendar cal;
    cal.fail = true;
    cal.SetDayNumber(jd(2026, 12, 8));
    cal.SetDayNumber(jd(2026, 12, 9));
    EXPECT_TRUE(prompt.texts().isEmpty());  // not from inside the redraw
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.texts(), QStringList{"カレンダーを描けませんでした。\r\n描画テスト"});
    cal.fail = false;
    cal.SetDayNumber(jd(2026, 12, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(cal.DayNumber(), jd(2026, 12, 10));
}

// At the end of the day numbers a month has days no number reaches: the grid says so, once.
TEST(CalendarRedraw, TheLastDayNumberDoesNotEscape) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    ScriptedPrompt prompt;
    MonthCalendar cal;
    cal.resize(300, 220);
    EXPECT_NO_THROW(cal.SetDayNumber(kMaxDayNumber));
    EXPECT_NO_THROW(cal.SetDayNumber(kMaxDayNumber - 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.entries().size(), 1u);
    EXPECT_EQ(cal.DayNumber(), kMaxDayNumber - 1);
}

// Today moves on at midnight, without a restart.
TEST(CalendarToday, MovesOnAtMidnight) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    MonthCalendar cal;
    EXPECT_EQ(cal.Today(), jd(2026, 12, 7));
    EXPECT_EQ(cal.MsecsToNextDay(), (14 * 3600 + 1) * 1000);
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 500)));
    EXPECT_EQ(cal.MsecsToNextDay(), 1500);
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 1)));
    cal.CheckToday();
    EXPECT_EQ(cal.Today(), jd(2026, 12, 8));
    EXPECT_EQ(cal.MsecsToNextDay(), (24 * 3600) * 1000);
}

TEST_F(MonthCalendarTest, CurrentDayIsInverseAndNeighboursFollowShowNeighbor) {
    cal.SetColor(clWhite);
    cal.SetDayNumber(jd(2024, 9, 10));  // Tuesday: weekday font, black
    const QRect current = cal.CellRect(2, 3);
    EXPECT_EQ(pixelAt(cal, current.topLeft() + QPoint(1, 1)), QColor(Qt::black));
    const QRect other = cal.CellRect(3, 3);
    EXPECT_EQ(pixelAt(cal, other.topLeft() + QPoint(1, 1)), QColor(Qt::white));
    // Header row in DayOfWeekBkColor (0x800000 is navy).
    EXPECT_EQ(pixelAt(cal, cal.CellRect(0, 0).topLeft() + QPoint(1, 1)), QColor(0, 0, 128));

    // A neighbouring-month cell holds no ink until neighbours are shown, and then pale ink.
    auto inked = [&](const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (pixelAt(cal, QPoint(x, y)) != QColor(Qt::white)) ++n;
        return n;
    };
    const QRect august = cal.CellRect(1, 1);
    EXPECT_EQ(inked(august), 0);
    cal.SetShowNeighbor(true);
    EXPECT_GT(inked(august), 0);
    int dark = 0;  // black ink | 0xC0C0C0 is pale
    for (int y = august.top(); y <= august.bottom(); ++y)
        for (int x = august.left(); x <= august.right(); ++x)
            dark += pixelAt(cal, QPoint(x, y)).red() < 0xC0;
    EXPECT_EQ(dark, 0);
}

TEST_F(MonthCalendarTest, HeaderSpeaksJapanese) {
    QLocale::setDefault(QLocale(QLocale::English));
    const QStringList sunFirst = {"日", "月", "火", "水", "木", "金", "土"};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(cal.WeekdayLabel(c), sunFirst[c]);
    cal.SetFirstDayOfWeek(dowMon);
    EXPECT_EQ(cal.WeekdayLabel(0), "月");
    EXPECT_EQ(cal.WeekdayLabel(6), "日");
    QLocale::setDefault(QLocale::system());
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// Rokuyō, neighbours and holidays as drawn.
TEST(MonthCalendarPicture, WithRokuyoAndNeighbours) {
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    MonthCalendar cal;
    cal.resize(7 * 48 + 2, 7 * 40 + 2);
    cal.SetColor(clWhite);
    cal.SetHolidayList({"1,1,元日", "1,2,2,成人の日", "11,3,文化の日", "11,23,勤労感謝の日"});
    cal.SetSpecialDayList({"11,23,記念日"});
    cal.SetShowNeighbor(true);
    cal.SetShowRokuyo(true);
    cal.SetDayNumber(jd(2026, 11, 12));
    const QImage shot = cal.grab().toImage();
    // The rokuyō strip sits below the day number: 2026-11-09 is the first day of the tenth
    // lunisolar month (仏滅), drawn in the Rokuyo font's black.
    const QRect cell = cal.CellRect(1, 3);
    int dark = 0;
    for (int y = cell.bottom() - 8; y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (qGray(cal.Buffer().pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 5);
}

}  // namespace
}  // namespace korvane
