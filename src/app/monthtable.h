#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace korvane {

// One month of the month page's table.
struct MonthEntry {
    std::int32_t Year = 0;
    std::int32_t Month = 0;
    QString Caption;
    QString FileName;
};

// The six months of the month page: the previous month, the current one, three more, and a
// sixth that the page uses for a month outside the five.
class MonthTable {
public:
    static constexpr std::int32_t kMaxJumpDays = 109500;  // 300 years of 365 days

    // Built from the current year and month.
    void Build(std::int32_t year, std::int32_t month);
    const MonthEntry& Entry(int i) const { return entries_[std::size_t(i)]; }
    MonthEntry& Entry(int i) { return entries_[std::size_t(i)]; }
    std::int32_t RangeFirstDay() const { return rangeFirst_; }
    std::int32_t RangeLastDay() const { return rangeLast_; }

    // Which of entries 0..4 holds the month, or -1.
    int Find(std::int32_t year, std::int32_t month) const;
    // Sets entry 5 to the month (caption "%d.%2d").
    void SetExtra(std::int32_t year, std::int32_t month);

    static QString Caption(std::int32_t month);  // "１月" .. "１２月"
    static QString FileName(std::int32_t year, std::int32_t month);
    static QString YearMonthText(std::int32_t year, std::int32_t month);  // "%.4d%.2d"

private:
    std::array<MonthEntry, 6> entries_;
    std::int32_t rangeFirst_ = 0;
    std::int32_t rangeLast_ = 0;
};

// The first year shown by the year page for its display mode: 0 calendar year, 1 fiscal year
// (April), 2 a year starting in firstMonth.
std::int32_t YearPageYear(int mode, std::int32_t year, std::int32_t month, int firstMonth);

// The status bar clock: "2006/12/12 (火) 午後 3 : 5", or with the 24-hour clock "… (火) 15 : 5".
QString ClockText(const QDateTime& now, bool hours24);

}  // namespace korvane
