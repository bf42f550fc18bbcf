#include "print/engine/previewzoom.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// A4 portrait and landscape; the areas are worked out by hand.
constexpr double kPortrait = 2970.0 / 2100.0;
constexpr double kLandscape = 2100.0 / 2970.0;

TEST(PreviewZoom, EachStepPlacesThePage) {
    const struct {
        QRect got, want;
    } cases[] = {
        // The whole page: the tall page fills the height and is centred across.
        {PreviewZoom{kPortrait}.WholePage({800, 600}), {198, 15, 403, 570}},
        // The wide page fills the width and is centred down.
        {PreviewZoom{kLandscape}.WholePage({800, 760}), {15, 108, 770, 544}},
        // Page width: too tall for the area, so the scroll bar takes its part.
        {PreviewZoom{kPortrait}.PageWidth({800, 600}, 17), {15, 15, 753, 1064}},
        {PreviewZoom{kLandscape}.PageWidth({800, 760}, 17), {15, 15, 770, 544}},
        // Short of its margin below, the page takes the scroll bar's part too.
        {PreviewZoom{kLandscape}.PageWidth({800, 560}, 17), {15, 15, 753, 532}},
        // Ten per cent up or down from the same corner.
        {PreviewZoom{kPortrait}.Larger({15, 15, 753, 1064}), {15, 15, 836, 1182}},
        {PreviewZoom{kPortrait}.Smaller({15, 15, 753, 1064}), {15, 15, 677, 957}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(PreviewZoom, LimitsAndTheScrolledContent) {
    const QSize screen(1000, 700);
    EXPECT_TRUE(PreviewZoom::CanGrow({0, 0, 1999, 2099}, screen));
    EXPECT_FALSE(PreviewZoom::CanGrow({0, 0, 2000, 100}, screen));
    EXPECT_FALSE(PreviewZoom::CanGrow({0, 0, 100, 2100}, screen));
    EXPECT_TRUE(PreviewZoom::CanShrink({0, 0, 101, 50}));
    EXPECT_FALSE(PreviewZoom::CanShrink({0, 0, 100, 50}));
    EXPECT_EQ(PreviewZoom::Content({15, 15, 100, 100}, {800, 600}), QSize(800, 600));
    EXPECT_EQ(PreviewZoom::Content({15, 15, 900, 700}, {800, 600}), QSize(930, 730));
    EXPECT_EQ(PreviewZoom::Content({15, 15, 900, 100}, {800, 600}), QSize(930, 600));
}

}  // namespace
}  // namespace korvane
