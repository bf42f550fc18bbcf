#include "core/workarea.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(KeepOnWorkArea, TheFrameComesBackOnTheArea) {
    const QRect work(0, 0, 1280, 1000);
    const QSize minimum(200, 100);
    const struct {
        QRect frame, want;
    } cases[] = {
        {{40, 50, 640, 480}, {40, 50, 640, 480}},       // already on it
        {{99999, 5, 600, 500}, {680, 5, 600, 500}},     // stored on a screen to the right
        {{10, -3000, 600, 500}, {10, 0, 600, 500}},     // above the screen
        {{1000, 900, 600, 500}, {680, 500, 600, 500}},  // hanging over the corner
        {{100, 100, 2000, 1500}, {0, 0, 1280, 1000}},   // larger than the area
        {{10, 10, 50, 20}, {10, 10, 200, 100}},         // smaller than allowed
    };
    for (const auto& c : cases) EXPECT_EQ(KeepOnWorkArea(c.frame, work, minimum), c.want);
    // An area that does not start at the origin, and one smaller than the minimum.
    EXPECT_EQ(KeepOnWorkArea({0, 0, 300, 200}, {100, 50, 800, 600}, minimum),
              QRect(100, 50, 300, 200));
    EXPECT_EQ(KeepOnWorkArea({30, 30, 50, 50}, {0, 0, 150, 80}, minimum), QRect(0, 0, 200, 100));
}

}  // namespace
}  // namespace korvane
