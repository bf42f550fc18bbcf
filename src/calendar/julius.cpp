#include "julius.h"

#include "core/clock.h"

#include <cmath>

namespace korvane {
namespace {

// Extended precision throughout: the constants below are tuned to it, and 30.6001 (not 30.6)
// keeps month starts from landing on the wrong side of an integer.
using ext = long double;

ext trunc(ext v) { return std::trunc(v); }

constexpr std::uint8_t kMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

std::int32_t EncodeJulius(std::int32_t year, std::uint8_t month, std::uint8_t day) {
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
        throw EJuliusError("1582/10/5-10/14は存在しません。");
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
    return std::int32_t(result);
}

void DecodeJulius(std::int32_t jd, std::int32_t& year, std::uint8_t& month, std::uint8_t& day) {
    ext A = jd;
    if (jd > 2299160) {
        const ext alpha = trunc((ext(jd) - 1867216.25L) / 36524.25L);
        A = ext(jd) + 1 + alpha - trunc(alpha / 4);
    }
    const ext C = A + 1524;
    const ext D = trunc((C - 122.1L) / 365.25L);
    const ext E = trunc(365.25L * D);
    const ext F = trunc((C - E) / 30.6001L);
    day = std::uint8_t(C - E - trunc(30.6001L * F));
    month = std::uint8_t(F < 13.5L ? F - 1 : F - 13);
    year = std::int32_t(month > 2 ? D - 4716 : D - 4715);
}

std::uint8_t JuliusWeekday(std::int32_t jd) {
    // Floor modulo so that negative day numbers still give 1..7.
    std::int64_t r = (std::int64_t(jd) + 1) % 7;
    if (r < 0) r += 7;
    return std::uint8_t(r + 1);
}

bool JuliusIsLeapYear(std::int32_t year) {
    if (year >= 1582) {
        if (year % 4 != 0) return false;
        if (year % 100 != 0) return true;
        if (year % 400 != 0) return false;
        return year % 4000 != 0;
    }
    return (std::int64_t(year) + 4712) % 4 == 0;
}

std::uint8_t JuliusDaysInMonth(std::int32_t year, std::uint8_t month) {
    if (month < 1 || month > 12) return 0;
    return std::uint8_t(kMonthDays[month] + (month == 2 && JuliusIsLeapYear(year) ? 1 : 0));
}

std::uint8_t JuliusLastDay(std::int32_t year, std::uint8_t month) {
    if (year <= 0 || month == 0) return 0;
    try {
        const std::int32_t ny = month >= 12 ? year + 1 : year;
        const std::uint8_t nm = month >= 12 ? 1 : std::uint8_t(month + 1);
        std::int32_t y;
        std::uint8_t m, d;
        DecodeJulius(EncodeJulius(ny, nm, 1) - 1, y, m, d);
        return d;
    } catch (...) {
        return 0;
    }
}

bool JuliusIsValidDate(std::int32_t year, std::uint8_t month, std::uint8_t day) {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeJulius(EncodeJulius(year, month, day), y, m, d);
    return y == year && m == month && d == day;
}

std::int32_t JuliusFromDateTime(const QDate& date) {
    return EncodeJulius(date.year() < 0 ? date.year() + 1 : date.year(), std::uint8_t(date.month()),
                        std::uint8_t(date.day()));
}

std::int32_t JuliusFromDateTime(const QDateTime& value) { return JuliusFromDateTime(value.date()); }

std::int32_t JuliusToday() { return JuliusFromDateTime(Clock::current().today()); }

}  // namespace korvane
