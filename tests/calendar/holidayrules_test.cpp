#include "calendar/holidayrules.h"

#include "calendar/daynumber.h"
#include "core/convert.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct Date {
    std::int32_t y;
    std::uint8_t m, d;
};

bool matches(const QString& line, Date date) {
    HolidayRules rules;
    rules.SetHolidayList({line});
    EXPECT_EQ(rules.HolidayItems().size(), 1u) << qPrintable(line);
    return rules.HolidayItems().front().Matches(date.y, date.m, date.d);
}

struct RuleCase {
    const char* line;
    Date date;
    bool match;
};

class RuleForms : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleForms, Match) {
    const RuleCase& c = GetParam();
    EXPECT_EQ(matches(QString::fromUtf8(c.line), c.date), c.match)
        << c.line << " on " << c.date.y << "-" << int(c.date.m) << "-" << int(c.date.d);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleForms,
    ::testing::Values(
        // every year on a date
        RuleCase{"1,1,元日", {1950, 1, 1}, true}, RuleCase{"1,1,元日", {2050, 1, 2}, false},
        RuleCase{"2,29,閏日", {2023, 2, 28}, false}, RuleCase{"2,29,閏日", {2024, 2, 29}, true},
        RuleCase{"2,33,月末", {2023, 2, 28}, true}, RuleCase{"2,33,月末", {2024, 2, 29}, true},
        RuleCase{"2,33,月末", {2024, 2, 28}, false},
        // a day 31 rule is not the last day of a 30-day month
        RuleCase{"0,31,三十一日", {2024, 9, 30}, false},
        RuleCase{"0,31,三十一日", {2024, 10, 31}, true},
        // week-th weekday
        RuleCase{"1,2,2,成人の日", {2000, 1, 10}, true},
        RuleCase{"1,2,2,成人の日", {2024, 1, 8}, true},
        RuleCase{"1,2,2,成人の日", {2024, 1, 15}, false},
        RuleCase{"1,2,2,成人の日", {2024, 1, 1}, false},
        // year conditions
        RuleCase{"1999,1,1,15,成人の日", {1999, 1, 15}, true},
        RuleCase{"1999,1,1,15,成人の日", {1950, 1, 15}, true},
        RuleCase{"1999,1,1,15,成人の日", {2000, 1, 15}, false},
        RuleCase{"1999,2,1,15,x", {1998, 1, 15}, false},
        RuleCase{"1999,2,1,15,x", {1999, 1, 15}, true},
        RuleCase{"1999,2,1,15,x", {2040, 1, 15}, true},
        RuleCase{"1999,2,1,15,x", {2040, 1, 16}, false},
        RuleCase{"1999,2,1,15,x", {2040, 2, 15}, false},
        RuleCase{"2003,2,7,3,2,海の日", {2024, 8, 19}, false},
        RuleCase{"1999,0,1,15,x", {1999, 1, 15}, true},
        RuleCase{"1999,0,1,15,x", {1998, 1, 15}, false},
        RuleCase{"1999,0,1,15,x", {2000, 1, 15}, false},
        RuleCase{"1999,9,1,15,x", {1800, 1, 15}, true},
        RuleCase{"2003,2,7,3,2,海の日", {2024, 7, 15}, true},
        RuleCase{"2003,2,7,3,2,海の日", {2002, 7, 15}, false},
        // general form, weekday before week; empty means any
        RuleCase{"1949,1999,1,15,,,成人の日", {1949, 1, 15}, true},
        RuleCase{"1949,1999,1,15,,,成人の日", {2000, 1, 15}, false},
        RuleCase{"1949,1999,1,15,,,成人の日", {1948, 1, 15}, false},
        RuleCase{"2000,,1,,2,2,成人の日", {2024, 1, 8}, true},
        RuleCase{"2000,,1,,2,2,成人の日", {1999, 1, 11}, false},
        RuleCase{",,,13,6,,金曜13日", {2026, 2, 13}, true},
        RuleCase{",,,13,6,,金曜13日", {2026, 4, 13}, false},
        // a wrapped year range
        RuleCase{"2000,1990,5,5,,,x", {1989, 5, 5}, true},
        RuleCase{"2000,1990,5,5,,,x", {2001, 5, 5}, true},
        RuleCase{"2000,1990,5,5,,,x", {1995, 5, 5}, false},
        // quoted name with a comma
        RuleCase{"12,24,\"前夜,祭\"", {2024, 12, 24}, true}));

TEST(HolidayRules, ItemsWithOtherFieldCountsAreSkipped) {
    HolidayRules rules;
    rules.SetHolidayList({"; 祝日", "1,1", "1,1,元日", "1,2,3,4,5,6,7,8", ""});
    ASSERT_EQ(rules.HolidayItems().size(), 1u);
    EXPECT_EQ(rules.HolidayItems()[0].Name, "元日");
}

TEST(HolidayRules, BadLineIsLeftOutAndTheLinesAfterItStay) {
    HolidayRules rules;
    rules.SetSpecialDayList({"6,1,記念日"});
    const RuleLineProblems problems = rules.SetHolidayList(
        {"1,1,元日", "x,3,ひな祭り", "5,5,こどもの日", "12,280,x", "11,3,文化の日"});
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Line, 2);
    EXPECT_EQ(problems[0].Message, "月「x」は整数ではありません。");
    EXPECT_EQ(problems[1].Line, 4);
    EXPECT_EQ(problems[1].Message, "日「280」は 0 から 31 まで、または 33 (月末) です。");
    QStringList names;
    for (const DayRule& item : rules.HolidayItems()) names << item.Name;
    EXPECT_EQ(names, QStringList({"元日", "こどもの日", "文化の日"}));
    EXPECT_EQ(rules.GetDayKind(2026, 12, 24), 0);  // 280 cut to 8 bits would be the 24th
    EXPECT_EQ(rules.SpecialDayItems().size(), 1u);
    EXPECT_TRUE(rules.SpecialDayProblems().empty());
    EXPECT_EQ(rules.HolidayProblems().size(), 2u);
    // A list read again without faults forgets the old problems.
    EXPECT_TRUE(rules.SetHolidayList({"1,1,元日"}).empty());
    EXPECT_TRUE(rules.HolidayProblems().empty());
}

// Each field has its range; one step past it makes the line bad, the edge itself does not.
TEST(HolidayRules, NumbersOutsideTheirFieldAreBad) {
    struct Case {
        const char* line;
        bool bad;
    };
    const Case cases[] = {
        {"12,31,x", false},
        {"13,1,x", true},
        {"-1,1,x", true},
        {"1,1,0,x", false},
        {"1,0,2,x", false},
        {"1,-1,2,x", true},
        {"0,25,給料日", false},
        {"1,33,x", false},
        {"1,32,x", true},
        {"1,34,x", true},
        {"1,5,7,x", false},
        {"1,6,2,x", true},
        {"1,1,8,x", true},
        {"1,1,,x", true},
        {"2024,0,2,29,x", false},
        {"0,0,1,1,x", true},
        {"10000,2,1,1,x", true},
        {"9999,2,1,1,x", false},
        {"2147483647,2,1,1,x", true},
        {"2024,0,7,3,9,x", true},
        {"1,9999,,,,,x", false},
        {",10000,,,,,x", true},
        {",,13,,,,x", true},
        {",,,,,6,x", true},
        {",,,,8,,x", true},
        {"1,1,4294967297,x", true},
        {"$C,1,x", false},
    };
    for (const Case& c : cases) {
        HolidayRules rules;
        const RuleLineProblems p = rules.SetHolidayList({QString::fromUtf8(c.line)});
        EXPECT_EQ(p.size(), c.bad ? 1u : 0u) << c.line;
        EXPECT_EQ(rules.HolidayItems().size(), c.bad ? 0u : 1u) << c.line;
    }
}

// Computed equinoxes and substitutes, the laws that began them, the switches that turn them off;
// special days come first and make no substitute. Dates after 1970 the --days recording holds.
TEST(HolidayRules, DayKindsAndNames) {
    HolidayRules rules;
    rules.SetHolidayList({"4,29,天皇誕生日", "11,3,文化の日"});
    rules.SetSpecialDayList({"11,3,創立記念日", "11,3,\"父の 誕生日\"", "3,1,記念日"});
    const struct {
        int y, m, d;
        DayKind kind;
        const char* names;
    } cases[] = {
        {1948, 3, 21, dkSunday, ""},  // the equinox, four months before the law of 1948-07-20
        {1900, 3, 21, 0, ""},
        {1948, 9, 23, dkHoliday, "秋分の日"},
        {1949, 3, 21, dkHoliday, "春分の日"},
        {1973, 4, 30, dkFurikae, "振替休日"},  // the first substitute
        {1968, 11, 4, 0, ""},                  // before the law of 1973
        {1962, 4, 30, 0, ""},
        {2026, 3, 2, 0, ""},  // no substitute for a special day
        {2026, 11, 3, dkSpecialDay | dkHoliday, "創立記念日,\"父の 誕生日\",文化の日"},
    };
    for (const auto& c : cases) {
        const auto m = std::uint8_t(c.m), d = std::uint8_t(c.d);
        EXPECT_EQ(rules.GetDayKind(c.y, m, d), c.kind) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(rules.GetDayNames(c.y, m, d), QString::fromUtf8(c.names)) << c.y;
    }
    QString kinds;
    rules.DayNameList(2026, 11, 3, &kinds);
    EXPECT_EQ(kinds, "SSH");
    rules.AutoFurikae = false;
    EXPECT_EQ(rules.GetDayKind(2024, 9, 23), 0);
    rules.AutoEquinox = false;
    EXPECT_EQ(rules.GetDayKind(2024, 9, 22), dkSunday);
}

TEST(ResolveRuleLine, Forms) {
    struct Case {
        const char* line;
        std::int32_t year;
        std::uint8_t filter;
        const char* name;
        int day, month;
    };
    const Case cases[] = {
        {"1,1,元日", 2026, 0, "元日", 1, 1},
        {"1,1,元日", 2026, 1, "元日", 1, 1},
        {"1,1,元日", 2026, 2, "", 32, 13},
        {"5,3,憲法記念日", 2026, 5, "憲法記念日", 3, 5},
        {"5,3,憲法記念日", 2026, 3, "", 32, 13},  // the filter is the month, not the day
        {"1,2,2,成人の日", 2026, 0, "成人の日", 12, 1},
        {"1,2,2,成人の日", 2024, 1, "成人の日", 8, 1},
        {"9,3,2,敬老の日", 2026, 9, "敬老の日", 21, 9},
        {"1999,1,1,15,成人の日", 1999, 0, "成人の日", 15, 1},
        {"1999,1,1,15,成人の日", 2000, 0, "", 32, 13},
        {"1999,2,1,15,x", 2000, 0, "x", 15, 1},
        {"1999,2,1,15,x", 1998, 0, "", 32, 13},
        {"1999,0,1,15,x", 1999, 1, "x", 15, 1},
        {"1999,9,1,15,x", 1800, 0, "x", 15, 1},  // another cond: no year limit
        {"1999,9,1,15,x", 2400, 1, "x", 15, 1},
        {"2003,2,7,3,2,海の日", 2026, 7, "海の日", 20, 7},
        {"2003,2,7,3,2,海の日", 2002, 7, "", 32, 13},
        {"1949,1999,1,15,,,成人の日", 1990, 0, "", 32, 13},
        {"ばらばら", 2026, 0, "", 32, 13},
        {"1,2147483647,2,x", 2026, 0, "", 32, 13},
        {"300,1,x", 2026, 0, "", 32, 13},
        {"2147483647,2,1,2147483647,2,x", 2026, 0, "", 32, 13},
    };
    HolidayRules rules;
    for (const Case& c : cases) {
        QString name = "old";
        std::uint8_t day = 7, month = c.filter;
        rules.ResolveRuleLine(QString::fromUtf8(c.line), c.year, name, day, month);
        EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.line << " " << c.year;
        EXPECT_EQ(day, c.day) << c.line << " " << c.year;
        EXPECT_EQ(month, c.month) << c.line << " " << c.year;
    }
}

}  // namespace
}  // namespace korvane
