#include "calendar/daynumber.h"

#include "core/clock.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane {
namespace {

struct Ymd {
    std::int32_t y;
    int m, d;
    bool operator==(const Ymd&) const = default;
};
void PrintTo(const Ymd& v, std::ostream* os) { *os << v.y << "-" << v.m << "-" << v.d; }

Ymd decode(std::int32_t jd) {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(jd, y, m, d);
    return {y, m, d};
}

TEST(DayNumbers, KnownDayNumbersAndWeekdays) {
    struct Case {
        Ymd date;
        std::int32_t jd;
        int weekday;
    };
    const Case cases[] = {
        {{2000, 1, 1}, 2451545, 7},   {{2000, 1, 2}, 2451546, 1},   {{1582, 10, 4}, 2299160, 5},
        {{1582, 10, 15}, 2299161, 6}, {{1989, 12, 28}, 2447889, 5}, {{2030, 12, 25}, 2462861, 4},
        {{1973, 4, 12}, 2441785, 5},  {{1, 1, 1}, 1721424, 7},      {{-4712, 1, 1}, 0, 2},
        {{9999, 12, 31}, 5373484, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDayNumber(c.date.y, std::uint8_t(c.date.m), std::uint8_t(c.date.d)), c.jd)
            << c.date.y << "-" << c.date.m << "-" << c.date.d;
        EXPECT_EQ(decode(c.jd), c.date);
        EXPECT_EQ(WeekdayOf(c.jd), c.weekday) << c.jd;
    }
}

TEST(DayNumbers, ReformGapRaises) {
    for (int d = 5; d <= 14; ++d) {
        try {
            EncodeDayNumber(1582, 10, std::uint8_t(d));
            ADD_FAILURE() << "no error for 1582-10-" << d;
        } catch (const DayNumberError& e) {
            EXPECT_STREQ(e.what(), "1582/10/5-10/14は存在しません。");
        }
    }
    EXPECT_THROW(IsValidDate(1582, 10, 10), DayNumberError);
    EXPECT_EQ(EncodeDayNumber(1582, 10, 15) - EncodeDayNumber(1582, 10, 4), 1);
}

// Far from the present the arithmetic still gives the numbers the extended-precision formulas
// gave; an integer slip in any step shows up here first.
TEST(DayNumbers, FarDatesAgreeWithTheFormulas) {
    struct Case {
        Ymd date;
        std::int32_t jd;
        Ymd back;
    };
    const Case cases[] = {
        {{2800000, 12, 31}, 1024400425, {2800000, 12, 31}},
        {{123456, 7, 8}, 46812627, {123456, 7, 8}},
        {{0, 1, 1}, 1721058, {0, 1, 1}},
        {{-1, 2, 29}, 1720752, {-1, 3, 1}},
        {{-2800000, 1, 1}, -1020978942, {-2799999, 1, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDayNumber(c.date.y, std::uint8_t(c.date.m), std::uint8_t(c.date.d)), c.jd)
            << c.date.y;
        EXPECT_EQ(decode(c.jd), c.back);
    }
    EXPECT_EQ(decode(kMaxDayNumber), (Ymd{2935093, 2, 28}));
    EXPECT_EQ(decode(kMinDayNumber), (Ymd{-2944456, 2, 9}));
}

// A year no day number reaches is an error, not a wrapped number somewhere else.
TEST(DayNumbers, YearsBeyondTheRangeRaise) {
    EXPECT_THROW(EncodeDayNumber(9999999, 12, 1), DayNumberError);
    EXPECT_THROW(EncodeDayNumber(-9999999, 1, 1), DayNumberError);
    EXPECT_THROW(EncodeDayNumber(std::numeric_limits<std::int32_t>::max(), 12, 31), DayNumberError);
    EXPECT_THROW(EncodeDayNumber(std::numeric_limits<std::int32_t>::min(), 1, 1), DayNumberError);
    EXPECT_EQ(EncodeDayNumber(2935093, 2, 28), kMaxDayNumber);
    EXPECT_THROW(EncodeDayNumber(2935093, 3, 1), DayNumberError);
    EXPECT_THROW(VernalEquinoxDayNumber(std::numeric_limits<std::int32_t>::max()), DayNumberError);
    EXPECT_THROW(AutumnalEquinoxDayNumber(std::numeric_limits<std::int32_t>::min()),
                 DayNumberError);
    EXPECT_EQ(LastDayOfMonth(std::numeric_limits<std::int32_t>::max(), 12), 0);
    EXPECT_EQ(LastDayOfMonth(2935093, 1), 31);
}

TEST(DayNumbers, OutOfRangeDaysRollOver) {
    EXPECT_EQ(EncodeDayNumber(2000, 1, 32), EncodeDayNumber(2000, 2, 1));
    EXPECT_EQ(EncodeDayNumber(2001, 2, 29), EncodeDayNumber(2001, 3, 1));
}

// Every day number from 1 to 9999-12-31 survives decode and encode, and consecutive numbers are
// consecutive dates.
TEST(DayNumbers, RoundTripOfEveryDayUpTo9999) {
    const std::int32_t last = EncodeDayNumber(9999, 12, 31);
    int failures = 0;
    Ymd prev = decode(0);
    for (std::int32_t jd = 1; jd <= last && failures < 10; ++jd) {
        const Ymd d = decode(jd);
        if (EncodeDayNumber(d.y, std::uint8_t(d.m), std::uint8_t(d.d)) != jd) {
            ADD_FAILURE() << "round trip fails at " << jd << " (" << d.y << "-" << d.m << "-" << d.d
                          << ")";
            ++failures;
        }
        const bool nextDay = d.y == prev.y && d.m == prev.m && d.d == prev.d + 1;
        const bool nextMonth = d.d == 1 && ((d.y == prev.y && d.m == prev.m + 1) ||
                                            (d.y == prev.y + 1 && d.m == 1 && prev.m == 12));
        const bool reform = jd == 2299161;
        if (!nextDay && !nextMonth && !reform) {
            ADD_FAILURE() << "dates not consecutive at " << jd;
            ++failures;
        }
        prev = d;
    }
}

TEST(DayNumbers, LeapYearsAndMonthLengths) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1500, 2), 29);  // Julian rule before the reform
    EXPECT_EQ(DaysInMonth(4000, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(1300));
}

TEST(DayNumbers, LastDayFollowsDayNumbers) {
    EXPECT_EQ(LastDayOfMonth(4000, 2), 29);  // day numbers know no 4000-year rule
    EXPECT_EQ(LastDayOfMonth(2001, 12), 31);
    EXPECT_EQ(LastDayOfMonth(1582, 10), 31);
    EXPECT_EQ(LastDayOfMonth(2024, 2), 29);
    EXPECT_EQ(LastDayOfMonth(2023, 2), 28);
    EXPECT_EQ(LastDayOfMonth(2024, 9), 30);
    EXPECT_EQ(LastDayOfMonth(0, 5), 0);
    EXPECT_EQ(LastDayOfMonth(2024, 0), 0);
}

TEST(DayNumbers, ValidDates) {
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(2001, 2, 29));
    EXPECT_FALSE(IsValidDate(2000, 4, 31));
    EXPECT_FALSE(IsValidDate(2000, 13, 1));
    EXPECT_FALSE(IsValidDate(2000, 1, 0));
    EXPECT_TRUE(IsValidDate(1582, 10, 4));
    EXPECT_TRUE(IsValidDate(1582, 10, 15));
}

TEST(DayNumbers, TodayComesFromTheClock) {
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(23, 59)));
    EXPECT_EQ(TodayDayNumber(), EncodeDayNumber(2026, 12, 6));
    EXPECT_EQ(DayNumberFromDateTime(QDate(2000, 1, 1)), 2451545);
}

TEST(Equinox, DatesInJapan) {
    struct Case {
        int year;
        int vernalDay;    // March
        int autumnalDay;  // September
    };
    // As announced for these years.
    const Case cases[] = {
        {1979, 21, 24}, {1980, 20, 23}, {2000, 20, 23}, {2012, 20, 22}, {2016, 20, 22},
        {2023, 21, 23}, {2024, 20, 22}, {2025, 20, 23}, {2026, 20, 23}, {2027, 21, 23},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decode(VernalEquinoxDayNumber(c.year)).d, c.vernalDay) << c.year;
        EXPECT_EQ(decode(VernalEquinoxDayNumber(c.year)).m, 3) << c.year;
        EXPECT_EQ(decode(AutumnalEquinoxDayNumber(c.year)).d, c.autumnalDay) << c.year;
        EXPECT_EQ(decode(AutumnalEquinoxDayNumber(c.year)).m, 9) << c.year;
        EXPECT_TRUE(IsVernalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay)));
        EXPECT_FALSE(IsVernalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay + 1)));
        EXPECT_TRUE(IsAutumnalEquinoxDay(c.year, 9, std::uint8_t(c.autumnalDay)));
        EXPECT_FALSE(IsAutumnalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay)));
    }
}

}  // namespace
}  // namespace korvane
