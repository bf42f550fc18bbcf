#include "calendar/lunisolar.h"

#include "calendar/daynumber.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

std::int32_t jd(std::int32_t y, int m, int d) {
    return EncodeDayNumber(y, std::uint8_t(m), std::uint8_t(d));
}

TEST(Lunisolar, TableShape) {
    const std::vector<LunisolarMonth>& t = LunisolarTable();
    ASSERT_EQ(t.size(), 508u);
    EXPECT_EQ(t.front().start, 2447889);
    EXPECT_EQ(t.front().code, 12);
    EXPECT_EQ(t.back().start, 2462861);
    EXPECT_EQ(t.back().code, 12);
    for (std::size_t i = 1; i < t.size(); ++i) {
        const int len = t[i].start - t[i - 1].start;
        EXPECT_TRUE(len == 29 || len == 30) << "row " << i;
        const int code = t[i].code > 100 ? t[i].code - 100 : t[i].code;
        EXPECT_GE(code, 1);
        EXPECT_LE(code, 12);
    }
}

// Leap months: coded 100 + n up to 2009, the plain number repeated from 2012 on.
TEST(Lunisolar, LeapMonths) {
    struct Leap {
        int y, m, d;  // first day of the leap month
        int code;
        int previousCode;
    };
    const Leap leaps[] = {
        {1990, 6, 23, 105, 5}, {1993, 4, 22, 103, 3}, {1995, 9, 25, 108, 8}, {1998, 6, 24, 105, 5},
        {2001, 5, 23, 104, 4}, {2004, 3, 21, 102, 2}, {2006, 8, 24, 107, 7}, {2009, 6, 23, 105, 5},
        {2012, 4, 21, 3, 3},   {2014, 10, 24, 9, 9},  {2017, 6, 24, 5, 5},   {2020, 5, 23, 4, 4},
        {2023, 3, 22, 2, 2},   {2025, 7, 25, 6, 6},   {2028, 6, 23, 5, 5},
    };
    const std::vector<LunisolarMonth>& t = LunisolarTable();
    int repeatedOrLeap = 0;
    for (std::size_t i = 1; i < t.size(); ++i)
        if (t[i].code > 100 || t[i].code == t[i - 1].code) ++repeatedOrLeap;
    EXPECT_EQ(repeatedOrLeap, int(std::size(leaps)));

    for (const Leap& l : leaps) {
        std::uint8_t code, day;
        LunisolarDateOf(jd(l.y, l.m, l.d), code, day);
        EXPECT_EQ(code, l.code) << l.y;
        EXPECT_EQ(day, 1) << l.y;
        LunisolarDateOf(jd(l.y, l.m, l.d) - 1, code, day);
        EXPECT_EQ(code, l.previousCode) << l.y;
        EXPECT_GE(day, 29) << l.y;
        // The leap month's first day is the rokuyō of its month's first day.
        const int month = l.code > 100 ? l.code - 100 : l.code;
        EXPECT_EQ(RokuyoOf(jd(l.y, l.m, l.d)), (month - 1) % 6 + 1) << l.y;
    }
}

TEST(Lunisolar, BoundsAndRokuyo) {
    std::uint8_t code, day;
    LunisolarDateOf(2447889, code, day);
    EXPECT_EQ(code, 12);
    EXPECT_EQ(day, 1);
    EXPECT_EQ(RokuyoOf(2447889), 6);  // 赤口
    EXPECT_EQ(RokuyoNames[RokuyoOf(2447889)], "赤口");
    EXPECT_EQ(RokuyoOf(2447888), 0);
    LunisolarDateOf(2447888, code, day);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(day, 0);
    EXPECT_EQ(RokuyoOf(2462861), 0);  // the closing row is outside
    EXPECT_NE(RokuyoOf(jd(2030, 12, 24)), 0);
    EXPECT_EQ(RokuyoOf(jd(1990, 6, 23)), 5);  // 大安: leap month after the fifth
    EXPECT_EQ(RokuyoNames[0], "不明");
}

// Lunisolar new year's days.
TEST(Lunisolar, KnownDates) {
    struct Known {
        int y, m, d;
        int code, day;
        const char* rokuyo;
    };
    const Known cases[] = {
        {2020, 1, 25, 1, 1, "先勝"}, {2023, 1, 22, 1, 1, "先勝"}, {2024, 2, 10, 1, 1, "先勝"},
        {2025, 1, 29, 1, 1, "先勝"}, {2026, 2, 17, 1, 1, "先勝"},
    };
    for (const Known& k : cases) {
        std::uint8_t code, day;
        LunisolarDateOf(jd(k.y, k.m, k.d), code, day);
        EXPECT_EQ(code, k.code) << k.y << "-" << k.m << "-" << k.d;
        EXPECT_EQ(day, k.day) << k.y << "-" << k.m << "-" << k.d;
        EXPECT_EQ(RokuyoNames[RokuyoOf(jd(k.y, k.m, k.d))], QString::fromUtf8(k.rokuyo))
            << k.y << "-" << k.m << "-" << k.d;
    }
}

// The month starts of 2026 as the almanac publishes them: each is day 1, the day before is the
// last day of the month before, and the first day's rokuyō follows the month number.
TEST(Lunisolar, PublishedMonthStartsOf2026) {
    struct Start {
        int m, d, code;
        const char* rokuyo;
    };
    const Start starts[] = {
        {1, 19, 12, "赤口"}, {2, 17, 1, "先勝"},  {3, 19, 2, "友引"},  {4, 17, 3, "先負"},
        {5, 17, 4, "仏滅"},  {6, 15, 5, "大安"},  {7, 14, 6, "赤口"},  {8, 13, 7, "先勝"},
        {9, 11, 8, "友引"},  {10, 11, 9, "先負"}, {11, 9, 10, "仏滅"}, {12, 9, 11, "大安"},
    };
    for (const Start& s : starts) {
        std::uint8_t code, day;
        LunisolarDateOf(jd(2026, s.m, s.d), code, day);
        EXPECT_EQ(code, s.code) << "2026-" << s.m << "-" << s.d;
        EXPECT_EQ(day, 1) << "2026-" << s.m << "-" << s.d;
        EXPECT_EQ(RokuyoNames[RokuyoOf(jd(2026, s.m, s.d))], QString::fromUtf8(s.rokuyo))
            << "2026-" << s.m << "-" << s.d;
        LunisolarDateOf(jd(2026, s.m, s.d) - 1, code, day);
        EXPECT_GE(day, 29) << "2026-" << s.m << "-" << s.d;
    }
}

TEST(Lunisolar, LookupAgreesWithALinearScanEverywhere) {
    const std::vector<LunisolarMonth>& t = LunisolarTable();
    std::size_t row = 0;
    for (std::int32_t d = t.front().start - 5; d <= t.back().start + 5; ++d) {
        std::uint8_t code, day;
        LunisolarDateOf(d, code, day);
        if (d < t.front().start || d >= t.back().start) {
            EXPECT_EQ(code, 0) << d;
            continue;
        }
        while (row + 1 < t.size() && t[row + 1].start <= d) ++row;
        ASSERT_EQ(code, std::uint8_t(t[row].code)) << d;
        ASSERT_EQ(day, d - t[row].start + 1) << d;
    }
}

}  // namespace
}  // namespace korvane
