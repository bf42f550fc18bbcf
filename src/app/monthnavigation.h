#pragma once

#include "app/monthtable.h"

#include <QStringList>

#include <cstdint>

namespace korvane {

// The month page's navigation without any window: the month table, which month is shown on which
// page of the grid, the tabs above it and the extra-month mode for a month outside the five.
class MonthNavigation {
public:
    enum class Answer {
        Shown,    // the month is shown
        TooOld,   // "日付がむかしすぎます。"; nothing changed
        TooFar,   // "日付が未来すぎます。"; nothing changed
        Ignored,  // not a month (a month outside 1..12)
    };

    // Builds the table around this month and shows it on page 1.
    void Start(std::int32_t year, int month);

    const MonthTable& Months() const { return months_; }
    bool ExtraMonthMode() const { return extra_; }
    int Page() const { return page_; }
    int SavedPage() const { return savedPage_; }
    std::int32_t Year() const { return year_; }
    int Month() const { return month_; }
    // The five month captions, or the extra month and "今月".
    QStringList TabCaptions() const;
    int SelectedTab() const { return extra_ ? 0 : page_; }
    // Set when the last step put a new month on page 5: its items are to be read again.
    bool ExtraPageLoaded() const { return extraLoaded_; }

    Answer GoTo(std::int32_t year, int month);
    // -1, +1, -12, +12 from the month the grid shows (it may have moved by itself).
    Answer Step(std::int32_t year, int month, int months);
    // A click on tab index; in the extra-month mode tab 1 ("今月") goes to this month.
    Answer SelectTab(int index);
    Answer ShowThisMonth();
    // The page 標準表示 comes back to after an extra month (not an extra page itself).
    void RememberPage() {
        if (!extra_) savedPage_ = page_;
    }
    // 標準表示: back to the five tabs on the page shown before the extra month.
    void StandardDisplay();
    // The grid went to a neighbouring month by itself (a click on a day of it) and now shows
    // page gridPage; overflow when it could not page further.
    Answer GridMoved(std::int32_t year, int month, int gridPage, bool overflow);

private:
    void show(int page);
    void restoreStandardTabs();

    MonthTable months_;
    std::int32_t todayYear_ = 0;
    int todayMonth_ = 0;
    bool extra_ = false;
    bool extraLoaded_ = false;
    int page_ = 1;
    int savedPage_ = 1;
    std::int32_t year_ = 0;
    int month_ = 0;
};

}  // namespace korvane
