#include "daynumber.h"

#include "core/clock.h"

#include <cmath>
#include <numbers>

namespace korvane {
namespace {

// Extended precision throughout: the constants below are tuned to it, and 30.6001 (not 30.6)
// keeps month starts from landing on the wrong side of an integer.
using ext = long double;

// Toward zero, without touching the FPU control word (truncl() and integer conversion both
// switch the rounding mode, which costs hundreds of cycles on some processors). Adding and taking
// away 2^63 rounds to the nearest integer at the 64-bit mantissa; one step corrects toward zero.
// Valid for |v| < 2^62, far beyond any day number.
ext trunc(ext v) {
    constexpr ext kRound = 9223372036854775808.0L;  // 2^63
    if (v >= 0) {
        ext r = (v + kRound) - kRound;
        if (r > v) r -= 1;
        return r;
    }
    ext r = (v - kRound) + kRound;
    if (r < v) r += 1;
    return r;
}

// For values already whole: through double (exact here) so the conversion runs on SSE.
std::int32_t whole(ext v) { return static_cast<std::int32_t>(static_cast<double>(v)); }

constexpr std::uint8_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

ext sinDeg(ext degrees) { return std::sin(degrees / 180.0L * std::numbers::pi_v<ext>); }

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

    ext y = year;
    ext m = month;
    if (month < 3) {
        y = ext(year) - 1;
        m = ext(month) + 12;
    }
    ext Y = trunc(365.25L * y);
    if (year <= 0) Y = trunc(365.25L * y - 0.75L);
    const ext M = trunc(30.6001L * (m + 1));
    ext result = Y + M + day + 1720995;
    if (!julian) {
        const ext A = trunc(y / 100);
        result += 2 - A + trunc(A / 4);
    }
    return whole(result);
}

void DecodeDayNumber(std::int32_t jd, std::int32_t& year, std::uint8_t& month, std::uint8_t& day) {
    ext A = jd;
    if (jd > 2299160) {
        const ext alpha = trunc((ext(jd) - 1867216.25L) / 36524.25L);
        A = ext(jd) + 1 + alpha - trunc(alpha / 4);
    }
    const ext C = A + 1524;
    const ext D = trunc((C - 122.1L) / 365.25L);
    const ext E = trunc(365.25L * D);
    const ext F = trunc((C - E) / 30.6001L);
    day = std::uint8_t(whole(C - E - trunc(30.6001L * F)));
    month = std::uint8_t(whole(F < 13.5L ? F - 1 : F - 13));
    year = whole(month > 2 ? D - 4716 : D - 4715);
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
    return EncodeDayNumber(date.year() < 0 ? date.year() + 1 : date.year(), std::uint8_t(date.month()),
                        std::uint8_t(date.day()));
}

std::int32_t DayNumberFromDateTime(const QDateTime& value) { return DayNumberFromDateTime(value.date()); }

std::int32_t TodayDayNumber() { return DayNumberFromDateTime(Clock::current().today()); }

std::int32_t VernalEquinoxDayNumber(std::int32_t year) {
    const ext y = ext(year) - 2000;
    const ext S = sinDeg(321 - 30.37L * y) + sinDeg(249 + 0.19L * y) + sinDeg(202 - 132.57L * y) +
                  sinDeg(84 - 90.37L * y);
    const double P = double(0.002L * S - 0.00004871850323926L * y + 0.001L * sinDeg(132 - 134.81L * y) +
                            0.005L * sinDeg(239 - 19.34L * y));
    const double Q = double(0.0000001L * y * y - P);
    return std::int32_t(trunc(365.24229L * y + 2451624.683L + Q));
}

std::int32_t AutumnalEquinoxDayNumber(std::int32_t year) {
    const ext y = ext(year) - 2000;
    const ext S = sinDeg(485 - 30.37L * y) + sinDeg(249 + 0.19L * y) +
                  sinDeg(268.2L - 132.57L * y) + sinDeg(309.2L - 90.37L * y);
    const double P = double(0.002L * S + 0.00004871850323926L * y +
                            0.001L * sinDeg(244.6L - 134.81L * y) + 0.005L * sinDeg(248.6L - 19.34L * y));
    const double Q = double(0.0000001L * y * y - P);
    return std::int32_t(trunc(365.24206L * y + 2451811.096L + Q));
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
