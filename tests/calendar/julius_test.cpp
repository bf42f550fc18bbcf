#include "calendar/julius.h"

#include "core/clock.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct Ymd {
    std::int32_t y;
    int m, d;
};

Ymd decode(std::int32_t jd) {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeJulius(jd, y, m, d);
    return {y, m, d};
}

TEST(Julius, KnownDayNumbersAndWeekdays) {
    struct Case {
        Ymd date;
        std::int32_t jd;
        int weekday;
    };
    const Case cases[] = {
        {{2000, 1, 1}, 2451545, 7},   {{2000, 1, 2}, 2451546, 1},
        {{1582, 10, 4}, 2299160, 5},  {{1582, 10, 15}, 2299161, 6},
        {{1989, 12, 28}, 2447889, 5}, {{2030, 12, 25}, 2462861, 4},
        {{1973, 4, 12}, 2441785, 5},  {{1, 1, 1}, 1721424, 7},
        {{-4712, 1, 1}, 0, 2},        {{9999, 12, 31}, 5373484, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeJulius(c.date.y, std::uint8_t(c.date.m), std::uint8_t(c.date.d)), c.jd)
            << c.date.y << "-" << c.date.m << "-" << c.date.d;
        const Ymd back = decode(c.jd);
        EXPECT_EQ(back.y, c.date.y) << c.jd;
        EXPECT_EQ(back.m, c.date.m) << c.jd;
        EXPECT_EQ(back.d, c.date.d) << c.jd;
        EXPECT_EQ(JuliusWeekday(c.jd), c.weekday) << c.jd;
    }
}

TEST(Julius, ReformGapRaises) {
    for (int d = 5; d <= 14; ++d) {
        try {
            EncodeJulius(1582, 10, std::uint8_t(d));
            ADD_FAILURE() << "no error for 1582-10-" << d;
        } catch (const EJuliusError& e) {
            EXPECT_STREQ(e.what(), "1582/10/5-10/14は存在しません。");
        }
    }
    EXPECT_THROW(JuliusIsValidDate(1582, 10, 10), EJuliusError);
    EXPECT_EQ(EncodeJulius(1582, 10, 15) - EncodeJulius(1582, 10, 4), 1);
}

TEST(Julius, OutOfRangeDaysRollOver) {
    EXPECT_EQ(EncodeJulius(2000, 1, 32), EncodeJulius(2000, 2, 1));
    EXPECT_EQ(EncodeJulius(2001, 2, 29), EncodeJulius(2001, 3, 1));
}

// Every day number from 1 to 9999-12-31 survives decode and encode, and consecutive numbers are
// consecutive dates.
TEST(Julius, RoundTripOfEveryDayUpTo9999) {
    const std::int32_t last = EncodeJulius(9999, 12, 31);
    int failures = 0;
    Ymd prev = decode(0);
    for (std::int32_t jd = 1; jd <= last && failures < 10; ++jd) {
        const Ymd d = decode(jd);
        if (EncodeJulius(d.y, std::uint8_t(d.m), std::uint8_t(d.d)) != jd) {
            ADD_FAILURE() << "round trip fails at " << jd << " (" << d.y << "-" << d.m << "-" << d.d << ")";
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

TEST(Julius, LeapYearsAndMonthLengths) {
    EXPECT_EQ(JuliusDaysInMonth(1900, 2), 28);
    EXPECT_EQ(JuliusDaysInMonth(2000, 2), 29);
    EXPECT_EQ(JuliusDaysInMonth(1500, 2), 29);  // Julian rule before the reform
    EXPECT_EQ(JuliusDaysInMonth(4000, 2), 28);
    EXPECT_EQ(JuliusDaysInMonth(2023, 4), 30);
    EXPECT_FALSE(JuliusIsLeapYear(2100));
    EXPECT_TRUE(JuliusIsLeapYear(2024));
    EXPECT_TRUE(JuliusIsLeapYear(1300));
}

TEST(Julius, LastDayFollowsDayNumbers) {
    EXPECT_EQ(JuliusLastDay(4000, 2), 29);  // day numbers know no 4000-year rule
    EXPECT_EQ(JuliusLastDay(2001, 12), 31);
    EXPECT_EQ(JuliusLastDay(1582, 10), 31);
    EXPECT_EQ(JuliusLastDay(2024, 2), 29);
    EXPECT_EQ(JuliusLastDay(2023, 2), 28);
    EXPECT_EQ(JuliusLastDay(2024, 9), 30);
    EXPECT_EQ(JuliusLastDay(0, 5), 0);
    EXPECT_EQ(JuliusLastDay(2024, 0), 0);
}

TEST(Julius, ValidDates) {
    EXPECT_TRUE(JuliusIsValidDate(2000, 2, 29));
    EXPECT_FALSE(JuliusIsValidDate(2001, 2, 29));
    EXPECT_FALSE(JuliusIsValidDate(2000, 4, 31));
    EXPECT_FALSE(JuliusIsValidDate(2000, 13, 1));
    EXPECT_FALSE(JuliusIsValidDate(2000, 1, 0));
    EXPECT_TRUE(JuliusIsValidDate(1582, 10, 4));
    EXPECT_TRUE(JuliusIsValidDate(1582, 10, 15));
}

TEST(Julius, TodayComesFromTheClock) {
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(23, 59)));
    EXPECT_EQ(JuliusToday(), EncodeJulius(2026, 12, 6));
    EXPECT_EQ(JuliusFromDateTime(QDate(2000, 1, 1)), 2451545);
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
        EXPECT_EQ(decode(VernalEquinoxJulius(c.year)).d, c.vernalDay) << c.year;
        EXPECT_EQ(decode(VernalEquinoxJulius(c.year)).m, 3) << c.year;
        EXPECT_EQ(decode(AutumnalEquinoxJulius(c.year)).d, c.autumnalDay) << c.year;
        EXPECT_EQ(decode(AutumnalEquinoxJulius(c.year)).m, 9) << c.year;
        EXPECT_TRUE(IsVernalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay)));
        EXPECT_FALSE(IsVernalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay + 1)));
        EXPECT_TRUE(IsAutumnalEquinoxDay(c.year, 9, std::uint8_t(c.autumnalDay)));
        EXPECT_FALSE(IsAutumnalEquinoxDay(c.year, 3, std::uint8_t(c.vernalDay)));
    }
}

}  // namespace
}  // namespace korvane
