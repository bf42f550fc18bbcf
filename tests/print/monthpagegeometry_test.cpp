#include "print/monthpagegeometry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace korvane {
namespace {

// A measurer that answers the same text size at every height, so A follows the formula alone.
DayNumberMeasurer fixedMeasure(int width, int height) {
    return [=](int) { return DayNumberMeasure{width, height}; };
}

struct Row {
    const char* name;
    const MonthPageBase* base;
    PaperKind paper;
    bool small;
    int lines, percent;
    bool postcard;
    // expected
    int top, left, R, H, W, B, D, M, G, L, F, frame, wd, label, title, date, bar0, bar1, bar2;
};

class TabledGeometry : public testing::TestWithParam<Row> {};

TEST_P(TabledGeometry, EveryValueAsTabled) {
    const Row& r = GetParam();
    const MonthPageGeometry g =
        ComputeMonthPageGeometry(*r.base, OverallScale(r.paper, r.small), r.lines, r.percent,
                                 r.postcard, 0, 0, fixedMeasure(0, 0));
    EXPECT_EQ(g.Top, r.top);
    EXPECT_EQ(g.Left, r.left);
    EXPECT_EQ(g.R, r.R);
    EXPECT_EQ(g.H, r.H);
    EXPECT_EQ(g.W, r.W);
    EXPECT_EQ(g.B, r.B);
    EXPECT_EQ(g.D, r.D);
    EXPECT_EQ(g.M, r.M);
    EXPECT_EQ(g.G, r.G);
    EXPECT_EQ(g.L, r.L);
    EXPECT_EQ(g.F, r.F);
    EXPECT_EQ(g.Frame, r.frame);
    EXPECT_EQ(g.WeekdayFont, r.wd);
    EXPECT_EQ(g.LabelFont, r.label);
    EXPECT_EQ(g.TitleFont, r.title);
    EXPECT_EQ(g.DateFont, r.date);
    EXPECT_EQ(g.BarPens[0], r.bar0);
    EXPECT_EQ(g.BarPens[1], r.bar1);
    EXPECT_EQ(g.BarPens[2], r.bar2);
    EXPECT_EQ(g.Lines, r.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TabledGeometry,
    testing::Values(
        // A4 landscape: the formula's 62 loses to the minimum header band 65.
        Row{"A4Data",
            &kLandscapeBase,
            PaperKind::A4,
            false,
            5,
            80,
            false,
            270,
            120,
            70,
            270,
            390,
            65,
            52,
            10,
            20,
            37,
            29,
            5,
            40,
            30,
            45,
            30,
            2,
            5,
            8},
        Row{"A4Blank",
            &kLandscapeBase,
            PaperKind::A4,
            false,
            5,
            85,
            false,
            270,
            120,
            70,
            270,
            390,
            65,
            52,
            10,
            20,
            37,
            31,
            5,
            40,
            30,
            45,
            30,
            2,
            5,
            8},
        Row{"A4PortraitTwoMonths",
            &kPortraitBase,
            PaperKind::A4,
            false,
            3,
            80,
            false,
            180,
            150,
            55,
            195,
            265,
            65,
            52,
            10,
            15,
            36,
            28,
            4,
            36,
            28,
            38,
            30,
            3,
            8,
            13},
        Row{"B5",
            &kLandscapeBase,
            PaperKind::B5,
            false,
            5,
            80,
            false,
            233,
            103,
            60,
            233,
            337,
            56,
            44,
            8,
            17,
            32,
            25,
            4,
            34,
            25,
            38,
            25,
            1,
            4,
            6},
        Row{"A3",
            &kLandscapeBase,
            PaperKind::A3,
            false,
            7,
            80,
            false,
            381,
            169,
            98,
            381,
            551,
            91,
            72,
            14,
            28,
            37,
            29,
            7,
            56,
            42,
            63,
            42,
            2,
            5,
            8},
        Row{"Postcard",
            &kLandscapeBase,
            PaperKind::Postcard,
            false,
            3,
            85,
            true,
            128,
            90,
            46,
            128,
            185,
            42,
            33,
            4,
            9,
            26,
            22,
            3,
            24,
            19,
            32,
            21,
            1,
            3,
            6},
        // A3 with nine lines: 381 / 10.5 × 1.5 = 54 is below the minimum 91; L = 262 / 9.
        Row{"A3NineLines",
            &kLandscapeBase,
            PaperKind::A3,
            false,
            9,
            80,
            false,
            381,
            169,
            98,
            381,
            551,
            91,
            72,
            14,
            28,
            29,
            23,
            7,
            56,
            42,
            63,
            42,
            1,
            3,
            6},
        // The formula wins over the minimum when the lines are few: 270 × 3 / 7 = 115.
        Row{"A4TwoLines",
            &kLandscapeBase,
            PaperKind::A4,
            false,
            2,
            80,
            false,
            270,
            120,
            70,
            270,
            390,
            115,
            92,
            10,
            20,
            67,
            53,
            5,
            40,
            30,
            45,
            30,
            5,
            12,
            20},
        // Slightly smaller A3: s = 1.414 × 0.95 = 1.3433.
        Row{"A3Small",
            &kLandscapeBase,
            PaperKind::A3,
            true,
            7,
            80,
            false,
            362,
            161,
            94,
            362,
            523,
            87,
            69,
            13,
            26,
            35,
            28,
            6,
            53,
            40,
            60,
            40,
            1,
            4,
            7}),
    [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(MonthPageGeometry, DayNumberWidthFromTheMeasuredTexts) {
    // 52 + (65 − 0.85 × 52) × 390 / 270 = 82.04
    const MonthPageGeometry g = ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 5, 80, false, 0,
                                                         0, fixedMeasure(52, 52));
    EXPECT_EQ(g.A, 82);
    EXPECT_EQ(g.LabelWidth, 390 - (82 + 20));
    // The measurer is asked at the day-number font height.
    int askedAt = 0;
    ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 5, 80, false, 0, 0, [&](int h) {
        askedAt = h;
        return DayNumberMeasure{};
    });
    EXPECT_EQ(askedAt, 52);
    // A text taller than the band makes the second term negative; it truncates toward zero.
    // 10 + (65 − 85) × 390 / 270 = −18.9
    EXPECT_EQ(ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 5, 80, false, 0, 0,
                                       fixedMeasure(10, 100))
                  .A,
              -18);
}

TEST(MonthPageGeometry, OffsetsMoveThePageUnscaled) {
    const MonthPageGeometry g = ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 5, 80, false, 5,
                                                         -3, fixedMeasure(0, 0));
    EXPECT_EQ(g.Top, 320);
    EXPECT_EQ(g.Left, 90);
    const MonthPageGeometry b5 =
        ComputeMonthPageGeometry(kLandscapeBase, OverallScale(PaperKind::B5, false), 5, 80, false,
                                 -2, 4, fixedMeasure(0, 0));
    EXPECT_EQ(b5.Top, 233 - 20);
    EXPECT_EQ(b5.Left, 103 + 40);
}

TEST(MonthPageGeometry, GridOfA4Landscape) {
    const MonthPageGeometry g =
        ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 5, 80, false, 0, 0, fixedMeasure(0, 0));
    EXPECT_EQ(g.GridWidth(), 2730);
    EXPECT_EQ(g.GridHeight(), 1690);
}

TEST(MonthPageGeometry, SecondMonthBlockIsNotScaled) {
    for (const auto& [small, expected] : {std::pair{false, 1625}, std::pair{true, 1616}}) {
        const MonthPageGeometry g =
            ComputeMonthPageGeometry(kPortraitBase, OverallScale(PaperKind::A4, small), 3, 80,
                                     false, 0, 0, fixedMeasure(0, 0));
        EXPECT_EQ(g.Top + kSecondMonthOffset, expected) << small;
    }
}

TEST(MonthPageGeometry, ScalesAndPapers) {
    EXPECT_EQ(OverallScale(PaperKind::A4, false), 100000);
    EXPECT_EQ(OverallScale(PaperKind::A4, true), 95000);
    EXPECT_EQ(OverallScale(PaperKind::A3, true), 134330);
    EXPECT_EQ(OverallScale(PaperKind::B5, true), 82175);
    EXPECT_EQ(OverallScale(PaperKind::Postcard, false), 47600);
    EXPECT_EQ(InfoOf(PaperKind::A4).WindowsNumber, 9);
    EXPECT_EQ(InfoOf(PaperKind::B5).WindowsNumber, 13);
    EXPECT_EQ(InfoOf(PaperKind::A3).WindowsNumber, 8);
    EXPECT_EQ(InfoOf(PaperKind::Postcard).WindowsNumber, 43);
}

TEST(MonthPageGeometry, LayoutButtonsAndLineRanges) {
    struct Expect {
        const char* key;
        bool portrait;
        int percent;
        bool data;
        PaperKind paper;
        bool b5, two;
        int lo, hi, def;
    };
    const Expect table[] = {
        {"MB5", false, 80, true, PaperKind::B5, true, false, 3, 7, 5},
        {"HB5", false, 80, false, PaperKind::B5, true, false, 3, 7, 5},
        {"MA4W", true, 80, true, PaperKind::A4, false, true, 2, 5, 3},
        {"HA4W", true, 80, false, PaperKind::A4, false, true, 2, 5, 3},
        {"MA4", false, 80, true, PaperKind::A4, false, false, 3, 7, 5},
        {"HA4", false, 85, false, PaperKind::A4, false, false, 3, 7, 5},
        {"MA3", false, 80, true, PaperKind::A3, false, false, 5, 9, 7},
        {"HA3", false, 80, false, PaperKind::A3, false, false, 5, 9, 7},
        {"HHagaki", false, 85, false, PaperKind::Postcard, false, false, 3, 3, 3},
    };
    for (const Expect& e : table) {
        const MonthLayoutKind* k = FindMonthLayout(QString::fromLatin1(e.key));
        ASSERT_NE(k, nullptr) << e.key;
        EXPECT_EQ(k->Portrait, e.portrait) << e.key;
        EXPECT_EQ(k->FontPercent, e.percent) << e.key;
        EXPECT_EQ(k->WithData, e.data) << e.key;
        EXPECT_EQ(k->Paper, e.paper) << e.key;
        EXPECT_EQ(k->B5Flag, e.b5) << e.key;
        EXPECT_EQ(k->TwoMonths, e.two) << e.key;
        EXPECT_EQ(k->DefaultLines, e.def) << e.key;
        EXPECT_EQ(ClampLines(*k, e.lo - 1), e.lo) << e.key;
        EXPECT_EQ(ClampLines(*k, e.hi + 1), e.hi) << e.key;
        EXPECT_EQ(ClampLines(*k, e.def), e.def) << e.key;
    }
    EXPECT_EQ(FindMonthLayout(QStringLiteral("ma4")), nullptr);
    EXPECT_EQ(FindMonthLayout(QStringLiteral("CA4V")), nullptr);
}

TEST(MonthPageGeometry, NoDivisionByZeroForNonsense) {
    const MonthPageGeometry g =
        ComputeMonthPageGeometry(kLandscapeBase, 0, 0, 80, false, 0, 0, fixedMeasure(5, 5));
    EXPECT_EQ(g.H, 0);
    EXPECT_EQ(g.Lines, 1);
    EXPECT_EQ(g.A, 0);
    // So many lines that the bar pens would vanish: each keeps its least width.
    const MonthPageGeometry thin = ComputeMonthPageGeometry(kLandscapeBase, kScaleOne, 60, 80,
                                                            false, 0, 0, fixedMeasure(5, 5));
    EXPECT_EQ(thin.BarPens, (std::array<int, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(YearPageGeometry, BlocksOnA4AndB5) {
    const YearPageGeometry a4 = ComputeYearPageGeometry(OverallScale(PaperKind::A4, false), 0, 0);
    const std::array tops{350, 1000, 1650, 2300}, b5Tops{302, 864, 1426, 1988};
    const std::array lefts{200, 815, 1430}, b5Lefts{173, 704, 1235};
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(a4.BlockTop(k), tops[std::size_t((k - 1) / 3)]) << k;
        EXPECT_EQ(a4.BlockLeft(k), lefts[std::size_t((k - 1) % 3)]) << k;
    }
    EXPECT_EQ(a4.GridWidth(), 525);
    EXPECT_EQ(a4.GridHeight(), 392);
    // The footer band ends M + E + 50 below the twelfth grid: 278.2 mm.
    EXPECT_EQ(a4.BlockTop(12) + a4.GridHeight() + a4.M + a4.DateFont + 50, 2782);
    EXPECT_EQ(std::tuple(a4.B, a4.A, a4.Frame, a4.WeekdayFont, a4.D, a4.TitleFont, a4.MonthFont,
                         a4.YearFont),
              std::tuple(44, 60, 2, 35, 40, 50, 60, 40));

    const YearPageGeometry b5 = ComputeYearPageGeometry(OverallScale(PaperKind::B5, false), 0, 0);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(b5.BlockTop(row * 3 + 1), b5Tops[std::size_t(row)]);
    for (int col = 0; col < 3; ++col) EXPECT_EQ(b5.BlockLeft(col + 1), b5Lefts[std::size_t(col)]);
    EXPECT_EQ(b5.Right(), 1683);  // of 1820

    const YearPageGeometry moved =
        ComputeYearPageGeometry(OverallScale(PaperKind::A4, true), 5, -3);
    EXPECT_EQ(moved.Top, 350 * 95 / 100 + 50);
    EXPECT_EQ(moved.Left, 190 - 30);
    EXPECT_EQ(moved.ColumnPitch, 584);
}

}  // namespace
}  // namespace korvane
