#pragma once

#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <stdexcept>

namespace korvane {

// Day numbers are Julian Day Numbers (2000-01-01 is 2451545). Dates before 1582-10-15 are
// Julian-calendar dates; 1582-10-05..14 do not exist.
class EJuliusError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Weekdays: 1 = Sunday ... 7 = Saturday.
enum TDayOfWeek : std::uint8_t { dowSun, dowMon, dowTue, dowWed, dowThu, dowFri, dowSat };

std::int32_t EncodeJulius(std::int32_t year, std::uint8_t month, std::uint8_t day);
void DecodeJulius(std::int32_t jd, std::int32_t& year, std::uint8_t& month, std::uint8_t& day);
std::uint8_t JuliusWeekday(std::int32_t jd);
bool JuliusIsLeapYear(std::int32_t year);
std::uint8_t JuliusDaysInMonth(std::int32_t year, std::uint8_t month);
std::uint8_t JuliusLastDay(std::int32_t year, std::uint8_t month);
bool JuliusIsValidDate(std::int32_t year, std::uint8_t month, std::uint8_t day);
std::int32_t JuliusFromDateTime(const QDate& date);
std::int32_t JuliusFromDateTime(const QDateTime& value);
std::int32_t JuliusToday();

// A decoded date in one value.
struct TYmd {
    std::int32_t y;
    std::uint8_t m, d;
};
inline TYmd DecodeYmd(std::int32_t jd) {
    TYmd r;
    DecodeJulius(jd, r.y, r.m, r.d);
    return r;
}

// The equinox days in Japan, as day numbers.
std::int32_t VernalEquinoxJulius(std::int32_t year);
std::int32_t AutumnalEquinoxJulius(std::int32_t year);
bool IsVernalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day);
bool IsAutumnalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day);

}  // namespace korvane
