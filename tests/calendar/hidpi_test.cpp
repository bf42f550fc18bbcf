// Run at 200 % scaling (QT_SCALE_FACTOR=2 before the application starts).
#include "calendar/minicalendar.h"
#include "calendar/monthgrid.h"

#include "calendar/daynumber.h"
#include "core/clock.h"

#include "../splitblocks.h"

#include <QImage>

#include <gtest/gtest.h>

namespace korvane {
namespace {

using testing::SplitBlocks;

TEST(HighDpi, BuffersAreDrawnAtTheScreensDensity) {
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    MonthGrid grid;
    ApplyMainWindowLayout(grid, false);
    MiniCalendar mini;
    mini.resize(151, 103);
    ApplyYearPageStyle(mini);
    for (CalendarControl* c :
         {static_cast<CalendarControl*>(&grid), static_cast<CalendarControl*>(&mini)}) {
        c->show();
        ASSERT_EQ(c->devicePixelRatioF(), 2.0);
        c->SetDayNumber(EncodeDayNumber(2026, 12, 15));
        const QImage& b = c->Buffer();
        EXPECT_EQ(b.devicePixelRatio(), 2.0);
        EXPECT_EQ(b.size(), c->contentsRect().size() * 2);
        EXPECT_GT(SplitBlocks(b), 500) << c->metaObject()->className();
        // What reaches the screen is the sharp buffer, not a blown-up copy.
        const QImage shown = c->grab().toImage();
        EXPECT_EQ(shown.size(), c->size() * 2);
        EXPECT_GT(SplitBlocks(shown), 500);
    }
}

}  // namespace
}  // namespace korvane
