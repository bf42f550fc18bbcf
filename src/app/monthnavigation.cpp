#include "monthnavigation.h"

#include "calendar/daynumber.h"

namespace korvane {

void MonthNavigation::Start(std::int32_t year, int month) {
    todayYear_ = year;
    todayMonth_ = month;
    months_.Build(year, month);
    extra_ = false;
    extraLoaded_ = false;
    savedPage_ = 1;
    show(1);
}

QStringList MonthNavigation::TabCaptions() const {
    if (extra_) return {months_.Entry(5).Caption, QStringLiteral("今月")};
    QStringList captions;
    for (int i = 0; i < 5; ++i) captions << months_.Entry(i).Caption;
    return captions;
}

void MonthNavigation::show(int page) {
    page_ = page;
    year_ = months_.Entry(page).Year;
    month_ = months_.Entry(page).Month;
}

void MonthNavigation::restoreStandardTabs() { extra_ = false; }

MonthNavigation::Answer MonthNavigation::GoTo(std::int32_t year, int month) {
    extraLoaded_ = false;
    if (const int k = months_.Find(year, month); k >= 0) {
        restoreStandardTabs();
        show(k);
        savedPage_ = k;
        return Answer::Shown;
    }
    if (month < 1 || month > 12) return Answer::Ignored;
    // Four digits carry the year; past them the answer is that of any far jump.
    if (year < 1) return Answer::TooOld;
    if (year > 9999) return Answer::TooFar;
    const std::int32_t first = EncodeDayNumber(year, std::uint8_t(month), 1);
    if (first < months_.RangeFirstDay() - MonthTable::kMaxJumpDays) {
        months_.Entry(5).FileName.clear();
        return Answer::TooOld;
    }
    if (first > months_.RangeLastDay() + MonthTable::kMaxJumpDays) {
        months_.Entry(5).FileName.clear();
        return Answer::TooFar;
    }
    // Only a month that is really shown puts the page in the extra-month mode.
    extra_ = true;
    extraLoaded_ = true;
    months_.SetExtra(year, month);
    show(5);
    return Answer::Shown;
}

MonthNavigation::Answer MonthNavigation::Step(std::int32_t year, int month, int months) {
    month += months;
    NormalizeYearMonth(year, month);
    return GoTo(year, month);
}

MonthNavigation::Answer MonthNavigation::SelectTab(int index) {
    extraLoaded_ = false;
    if (extra_) return index == 1 ? ShowThisMonth() : Answer::Shown;
    if (index < 0 || index > 4) return Answer::Ignored;
    show(index);
    return Answer::Shown;
}

MonthNavigation::Answer MonthNavigation::ShowThisMonth() { return GoTo(todayYear_, todayMonth_); }

void MonthNavigation::StandardDisplay() {
    extraLoaded_ = false;
    if (!extra_) return;
    restoreStandardTabs();
    show(savedPage_);
}

MonthNavigation::Answer MonthNavigation::GridMoved(std::int32_t year, int month, int gridPage,
                                                   bool overflow) {
    extraLoaded_ = false;
    const int shown = months_.Find(year, month);
    if (!extra_) {
        // The grid pages within the five months itself.
        page_ = gridPage;
        year_ = year;
        month_ = month;
        return Answer::Shown;
    }
    if (shown >= 0) {
        restoreStandardTabs();
        show(shown);
        return Answer::Shown;
    }
    year_ = year;
    month_ = month;
    if (overflow) return GoTo(year, month);
    return Answer::Shown;
}

}  // namespace korvane
