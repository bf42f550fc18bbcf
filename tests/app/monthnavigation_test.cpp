#include "app/monthnavigation.h"

#include "calendar/daynumber.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Answer = MonthNavigation::Answer;

MonthNavigation startedIn(std::int32_t year, int month) {
    MonthNavigation n;
    n.Start(year, month);
    return n;
}

void expectShows(const MonthNavigation& n, std::int32_t year, int month, int page,
                 const char* where) {
    EXPECT_EQ(n.Year(), year) << where;
    EXPECT_EQ(n.Month(), month) << where;
    EXPECT_EQ(n.Page(), page) << where;
}

TEST(MonthNavigation, StartsOnThisMonthAmongFive) {
    const MonthNavigation n = startedIn(2026, 12);
    EXPECT_EQ(n.TabCaptions(), QStringList({"１１月", "１２月", "１月", "２月", "３月"}));
    EXPECT_EQ(n.SelectedTab(), 1);
    expectShows(n, 2026, 12, 1, "start");
    EXPECT_FALSE(n.ExtraMonthMode());
}

TEST(MonthNavigation, StepsWithinAndBeyondTheFive) {
    MonthNavigation n = startedIn(2026, 12);
    EXPECT_EQ(n.Step(2026, 12, 1), Answer::Shown);
    expectShows(n, 2027, 1, 2, "+1");
    EXPECT_EQ(n.SavedPage(), 2);
    EXPECT_FALSE(n.ExtraPageLoaded());
    EXPECT_EQ(n.Step(2027, 3, 1), Answer::Shown);  // past the last tab
    EXPECT_TRUE(n.ExtraMonthMode());
    EXPECT_TRUE(n.ExtraPageLoaded());
    expectShows(n, 2027, 4, 5, "+1 past the tabs");
    EXPECT_EQ(n.TabCaptions(), QStringList({"2027. 4", "今月"}));
    EXPECT_EQ(n.SelectedTab(), 0);
    EXPECT_EQ(n.Months().Entry(5).FileName, "Ca202704.vlm");
    EXPECT_EQ(n.SavedPage(), 2);  // an extra month is not a page to come back to
    EXPECT_EQ(n.Step(2027, 4, -12), Answer::Shown);
    expectShows(n, 2026, 4, 5, "-12");
    EXPECT_EQ(n.Step(2026, 4, 8), Answer::Shown);  // back into the five
    EXPECT_FALSE(n.ExtraMonthMode());
    expectShows(n, 2026, 12, 1, "+8");
    EXPECT_EQ(n.TabCaptions().size(), 5);
}

TEST(MonthNavigation, TabsOfTheExtraMonth) {
    MonthNavigation n = startedIn(2026, 12);
    ASSERT_EQ(n.GoTo(2030, 1), Answer::Shown);
    EXPECT_EQ(n.SelectTab(0), Answer::Shown);  // the extra month's own tab
    EXPECT_TRUE(n.ExtraMonthMode());
    EXPECT_FALSE(n.ExtraPageLoaded());
    EXPECT_EQ(n.SelectTab(1), Answer::Shown);  // "今月"
    EXPECT_FALSE(n.ExtraMonthMode());
    expectShows(n, 2026, 12, 1, "今月");
    EXPECT_EQ(n.SelectTab(3), Answer::Shown);
    expectShows(n, 2027, 2, 3, "tab 3");
    EXPECT_EQ(n.SelectTab(5), Answer::Ignored);
    expectShows(n, 2027, 2, 3, "no tab 5");
}

TEST(MonthNavigation, StandardDisplayGoesBackToTheRememberedPage) {
    MonthNavigation n = startedIn(2026, 12);
    n.GoTo(2027, 2);
    n.GoTo(2031, 7);
    n.RememberPage();  // in the extra month: page 5 is not kept
    n.StandardDisplay();
    EXPECT_FALSE(n.ExtraMonthMode());
    expectShows(n, 2027, 2, 3, "standard display");
    n.StandardDisplay();  // nothing to do outside the extra month
    expectShows(n, 2027, 2, 3, "again");
    n.SelectTab(0);
    n.RememberPage();
    n.GoTo(2040, 1);
    n.StandardDisplay();
    expectShows(n, 2026, 11, 0, "remembered page 0");
    EXPECT_EQ(n.ShowThisMonth(), Answer::Shown);
    expectShows(n, 2026, 12, 1, "this month");
}

// A refused jump changes nothing that is shown; four-digit years bound the steps.
TEST(MonthNavigation, RefusalsLeaveTheShownMonth) {
    MonthNavigation n = startedIn(2026, 12);
    n.GoTo(2028, 5);
    const struct {
        std::int32_t year;
        int month;
        int step;
        Answer answer;
    } cases[] = {
        {1, 1, 0, Answer::TooOld},     {9999, 12, 0, Answer::TooFar},
        {9999, 12, 1, Answer::TooFar}, {1, 1, -1, Answer::TooOld},
        {1726, 12, 0, Answer::TooOld}, {2026, 13, 0, Answer::Ignored},
        {2026, 0, 0, Answer::Ignored},
    };
    for (const auto& c : cases) {
        const Answer a = c.step ? n.Step(c.year, c.month, c.step) : n.GoTo(c.year, c.month);
        EXPECT_EQ(a, c.answer) << c.year << "-" << c.month << " " << c.step;
        EXPECT_TRUE(n.ExtraMonthMode());
        expectShows(n, 2028, 5, 5, "after a refusal");
        EXPECT_FALSE(n.ExtraPageLoaded());
    }
}

// Jumps reach 300 years of 365 days past the five months: from 31 March 2027 to 18 January
// 2327, from 1 November 2026 back to 13 January 1727; a month counts by its first day.
TEST(MonthNavigation, JumpRangeEdges) {
    const std::tuple<std::int32_t, int, Answer> cases[] = {{2327, 1, Answer::Shown},
                                                           {2327, 2, Answer::TooFar},
                                                           {1727, 2, Answer::Shown},
                                                           {1727, 1, Answer::TooOld}};
    for (const auto& [y, m, answer] : cases) {
        MonthNavigation n = startedIn(2026, 12);
        EXPECT_EQ(n.GoTo(y, m), answer) << y << "-" << m;
    }
}

TEST(MonthNavigation, TheGridMovingByItself) {
    MonthNavigation n = startedIn(2026, 12);
    EXPECT_EQ(n.GridMoved(2027, 1, 2, false), Answer::Shown);  // it paged within the five
    expectShows(n, 2027, 1, 2, "grid paged");
    EXPECT_EQ(n.SelectedTab(), 2);
    n.GoTo(2027, 4);
    EXPECT_EQ(n.GridMoved(2027, 3, 5, false), Answer::Shown);  // from the extra month into the five
    EXPECT_FALSE(n.ExtraMonthMode());
    expectShows(n, 2027, 3, 4, "back in the five");
    n.GoTo(2030, 1);
    EXPECT_EQ(n.GridMoved(2029, 12, 5, false), Answer::Shown);
    EXPECT_TRUE(n.ExtraMonthMode());
    EXPECT_FALSE(n.ExtraPageLoaded());
    EXPECT_EQ(n.Year(), 2029);
    EXPECT_EQ(n.GridMoved(2030, 2, 5, true), Answer::Shown);  // no page to go to: a jump
    EXPECT_TRUE(n.ExtraPageLoaded());
    expectShows(n, 2030, 2, 5, "overflow jump");
    EXPECT_EQ(n.Months().Entry(5).FileName, "Ca203002.vlm");
}

}  // namespace
}  // namespace korvane
