#include "print/monthpagegeometry.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The values of each layout are pinned by the recorded pages (tests/print/golden); here what a
// page cannot show: the measured day number, the clamped line counts and nonsense input.

DayNumberMeasurer fixedMeasure(int width, int height) {
    return [=](int) { return DayNumberMeasure{width, height}; };
}

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

// Line counts outside a layout's range are brought into it; unknown keys find no layout.
TEST(MonthPageGeometry, LineCountsAreClampedToTheLayout) {
    const struct {
        const char* key;
        int lo, hi;
    } table[] = {{"MB5", 3, 7}, {"MA4W", 2, 5}, {"MA3", 5, 9}, {"HHagaki", 3, 3}};
    for (const auto& e : table) {
        const MonthLayoutKind* k = FindMonthLayout(QString::fromLatin1(e.key));
        ASSERT_NE(k, nullptr) << e.key;
        EXPECT_EQ(ClampLines(*k, e.lo - 1), e.lo) << e.key;
        EXPECT_EQ(ClampLines(*k, e.hi + 1), e.hi) << e.key;
        EXPECT_EQ(ClampLines(*k, e.lo), e.lo) << e.key;
        EXPECT_EQ(ClampLines(*k, e.hi), e.hi) << e.key;
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
