#pragma once

#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <stdexcept>

namespace korvane {

// Day numbers are Julian Day Numbers (2000-01-01 is 2451545). Dates before 1582-10-15 are
// Julian-calendar dates; 1582-10-05..14 do not exist.
class DayNumberError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Day numbers stay well inside 32 bits, so a day before or after any of them still is one.
// Years from about -2.9 million to +2.9 million; a date beyond is a DayNumberError.
inline constexpr std::int32_t kMinDayNumber = -(1 << 30);
inline constexpr std::int32_t kMaxDayNumber = 1 << 30;

// Weekdays: 1 = Sunday ... 7 = Saturday.
enum Weekday : std::uint8_t { dowSun, dowMon, dowTue, dowWed, dowThu, dowFri, dowSat };

std::int32_t EncodeDayNumber(std::int32_t year, std::uint8_t month, std::uint8_t day);
void DecodeDayNumber(std::int32_t jd, std::int32_t& year, std::uint8_t& month, std::uint8_t& day);
std::uint8_t WeekdayOf(std::int32_t jd);
bool IsLeapYear(std::int32_t year);
std::uint8_t DaysInMonth(std::int32_t year, std::uint8_t month);
std::uint8_t LastDayOfMonth(std::int32_t year, std::uint8_t month);
bool IsValidDate(std::int32_t year, std::uint8_t month, std::uint8_t day);
std::int32_t DayNumberFromDateTime(const QDate& date);
std::int32_t DayNumberFromDateTime(const QDateTime& value);
std::int32_t TodayDayNumber();

// A decoded date in one value.
struct Ymd {
    std::int32_t y;
    std::uint8_t m, d;
};
// Brings a month outside 1..12 into it, moving the year by as many years.
inline void NormalizeYearMonth(std::int32_t& year, int& month) {
    while (month > 12) {
        month -= 12;
        ++year;
    }
    while (month < 1) {
        month += 12;
        --year;
    }
}

inline Ymd DecodeYmd(std::int32_t jd) {
    Ymd r;
    DecodeDayNumber(jd, r.y, r.m, r.d);
    return r;
}

// The equinox days in Japan, as day numbers.
std::int32_t VernalEquinoxDayNumber(std::int32_t year);
std::int32_t AutumnalEquinoxDayNumber(std::int32_t year);
bool IsVernalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day);
bool IsAutumnalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day);

}  // namespace korvane
