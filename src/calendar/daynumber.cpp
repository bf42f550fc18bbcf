#include "daynumber.h"

#include "core/clock.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace korvane {
namespace {

// The equinox formulas in extended precision, as they were tuned.
using ext = long double;

constexpr std::uint8_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

ext sinDeg(ext degrees) { return std::sin(degrees / 180.0L * std::numbers::pi_v<ext>); }

// Toward zero, refusing what is no day number rather than converting it out of range.
std::int32_t checkedDayNumber(ext value) {
    const ext t = std::trunc(value);
    if (!(t >= kMinDayNumber && t <= kMaxDayNumber)) throw DayNumberError("日付が範囲外です。");
    return std::int32_t(t);
}

struct Equinoxes {
    std::int32_t year = 0;
    std::uint8_t vernalDay = 0, autumnalDay = 0;  // in March and September
    std::uint8_t vernalMonth = 0, autumnalMonth = 0;
    bool valid = false;
};

// Day kinds ask for the equinoxes of the same year over and over.
const Equinoxes& equinoxesOf(std::int32_t year) {
    thread_local Equinoxes cache;
    if (!cache.valid || cache.year != year) {
        std::int32_t y;
        DecodeDayNumber(VernalEquinoxDayNumber(year), y, cache.vernalMonth, cache.vernalDay);
        DecodeDayNumber(AutumnalEquinoxDayNumber(year), y, cache.autumnalMonth, cache.autumnalDay);
        cache.year = year;
        cache.valid = true;
    }
    return cache;
}

}  // namespace

std::int32_t EncodeDayNumber(std::int32_t year, std::uint8_t month, std::uint8_t day) {
    bool julian;
    if (year < 1582) {
        julian = true;
    } else if (year > 1582) {
        julian = false;
    } else if (month < 10) {
        julian = true;
    } else if (month > 10) {
        julian = false;
    } else if (day < 5) {
        julian = true;
    } else if (day > 14) {
        julian = false;
    } else {
        throw DayNumberError("1582/10/5-10/14は存在しません。");
    }

    // Whole numbers only: 365.25 y is 1461 y / 4 and 30.6001 (m + 1) is 306001 (m + 1) / 10000,
    // each truncated toward zero as C++ division does. Same results on every platform.
    std::int64_t y = year;
    std::int64_t m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    const std::int64_t Y = year <= 0 ? (1461 * y - 3) / 4 : (1461 * y) / 4;
    const std::int64_t M = (306001 * (m + 1)) / 10000;  // [122, 8201]
    std::int64_t result = Y + M + day + 1720995;
    if (!julian) {
        const std::int64_t A = y / 100;
        result += 2 - A + A / 4;
    }
    if (result < kMinDayNumber || result > kMaxDayNumber)
        throw DayNumberError("日付が範囲外です。");
    return std::int32_t(result);
}

void DecodeDayNumber(std::int32_t jd, std::int32_t& year, std::uint8_t& month, std::uint8_t& day) {
    std::int64_t A = jd;
    if (jd > 2299160) {
        // (jd - 1867216.25) / 36524.25, never a whole number but by exact division.
        const std::int64_t alpha = (4 * std::int64_t(jd) - 7468865) / 146097;
        A = std::int64_t(jd) + 1 + alpha - alpha / 4;
    }
    const std::int64_t C = A + 1524;
    // (C - 122.1) / 365.25 is never whole, so truncating the exact quotient gives the same day.
    const std::int64_t D = (20 * C - 2442) / 7305;
    const std::int64_t E = (1461 * D) / 4;
    const std::int64_t F = (10000 * (C - E)) / 306001;  // [1, 15] for every day
    day = std::uint8_t(C - E - (306001 * F) / 10000);
    month = std::uint8_t(F < 14 ? F - 1 : F - 13);
    year = std::int32_t(month > 2 ? D - 4716 : D - 4715);
}

std::uint8_t WeekdayOf(std::int32_t jd) {
    // Floor modulo so that negative day numbers still give 1..7.
    std::int64_t r = (std::int64_t(jd) + 1) % 7;
    if (r < 0) r += 7;
    return std::uint8_t(r + 1);
}

bool IsLeapYear(std::int32_t year) {
    if (year >= 1582) {
        if (year % 4 != 0) return false;
        if (year % 100 != 0) return true;
        if (year % 400 != 0) return false;
        return year % 4000 != 0;
    }
    return (std::int64_t(year) + 4712) % 4 == 0;
}

std::uint8_t DaysInMonth(std::int32_t year, std::uint8_t month) {
    if (month < 1 || month > 12) return 0;
    return std::uint8_t(kMonthDays[month] + (month == 2 && IsLeapYear(year) ? 1 : 0));
}

std::uint8_t LastDayOfMonth(std::int32_t year, std::uint8_t month) {
    if (year <= 0 || month == 0) return 0;
    try {
        if (year == std::numeric_limits<std::int32_t>::max()) return 0;
        const std::int32_t ny = month >= 12 ? year + 1 : year;
        const std::uint8_t nm = month >= 12 ? 1 : std::uint8_t(month + 1);
        std::int32_t y;
        std::uint8_t m, d;
        DecodeDayNumber(EncodeDayNumber(ny, nm, 1) - 1, y, m, d);
        return d;
    } catch (...) {
        return 0;
    }
}

bool IsValidDate(std::int32_t year, std::uint8_t month, std::uint8_t day) {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(EncodeDayNumber(year, month, day), y, m, d);
    return y == year && m == month && d == day;
}

std::int32_t DayNumberFromDateTime(const QDate& date) {
    return EncodeDayNumber(date.year() < 0 ? date.year() + 1 : date.year(),
                           std::uint8_t(date.month()), std::uint8_t(date.day()));
}

std::int32_t DayNumberFromDateTime(const QDateTime& value) {
    return DayNumberFromDateTime(value.date());
}

std::int32_t TodayDayNumber() { return DayNumberFromDateTime(Clock::current().today()); }

std::int32_t VernalEquinoxDayNumber(std::int32_t year) {
    const ext y = ext(year) - 2000;
    const ext S = sinDeg(321 - 30.37L * y) + sinDeg(249 + 0.19L * y) + sinDeg(202 - 132.57L * y) +
                  sinDeg(84 - 90.37L * y);
    const double P = double(0.002L * S - 0.00004871850323926L * y +
                            0.001L * sinDeg(132 - 134.81L * y) + 0.005L * sinDeg(239 - 19.34L * y));
    const double Q = double(0.0000001L * y * y - P);
    return checkedDayNumber(365.24229L * y + 2451624.683L + Q);
}

std::int32_t AutumnalEquinoxDayNumber(std::int32_t year) {
    const ext y = ext(year) - 2000;
    const ext S = sinDeg(485 - 30.37L * y) + sinDeg(249 + 0.19L * y) +
                  sinDeg(268.2L - 132.57L * y) + sinDeg(309.2L - 90.37L * y);
    const double P =
        double(0.002L * S + 0.00004871850323926L * y + 0.001L * sinDeg(244.6L - 134.81L * y) +
               0.005L * sinDeg(248.6L - 19.34L * y));
    const double Q = double(0.0000001L * y * y - P);
    return checkedDayNumber(365.24206L * y + 2451811.096L + Q);
}

bool IsVernalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day) {
    const Equinoxes& e = equinoxesOf(year);
    return e.vernalMonth == month && e.vernalDay == day;
}

bool IsAutumnalEquinoxDay(std::int32_t year, std::uint8_t month, std::uint8_t day) {
    const Equinoxes& e = equinoxesOf(year);
    return e.autumnalMonth == month && e.autumnalDay == day;
}

}  // namespace korvane
