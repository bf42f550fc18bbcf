#include "dayrule.h"

#include "calendar/daynumber.h"
#include "core/convert.h"

namespace korvane {
namespace {

std::uint8_t byteField(const QString& f) { return std::uint8_t(StrToInt(f)); }

void applyYearCondition(DayRule& item, const QString& year, const QString& cond) {
    const std::int32_t y = StrToInt(year);
    if (cond == u"0") {
        item.FromYear = y;
        item.ToYear = y;
    } else if (cond == u"1") {
        item.ToYear = y;
    } else if (cond == u"2") {
        item.FromYear = y;
    }
}

}  // namespace

bool DayRule::Assign(const QStringList& f) {
    DayRule item;
    switch (f.size()) {
        case 3:
            item.Month = byteField(f[0]);
            item.Day = byteField(f[1]);
            item.Name = f[2];
            break;
        case 4:
            item.Month = byteField(f[0]);
            item.Week = byteField(f[1]);
            item.Weekday = byteField(f[2]);
            item.Name = f[3];
            break;
        case 5:
            item.Month = byteField(f[2]);
            item.Day = byteField(f[3]);
            item.Name = f[4];
            applyYearCondition(item, f[0], f[1]);
            break;
        case 6:
            item.Month = byteField(f[2]);
            item.Week = byteField(f[3]);
            item.Weekday = byteField(f[4]);
            item.Name = f[5];
            applyYearCondition(item, f[0], f[1]);
            break;
        case 7:
            if (!f[0].isEmpty()) item.FromYear = StrToInt(f[0]);
            if (!f[1].isEmpty()) item.ToYear = StrToInt(f[1]);
            if (!f[2].isEmpty()) item.Month = byteField(f[2]);
            if (!f[3].isEmpty()) item.Day = byteField(f[3]);
            if (!f[4].isEmpty()) item.Weekday = byteField(f[4]);
            if (!f[5].isEmpty()) item.Week = byteField(f[5]);
            item.Name = f[6];
            break;
        default:
            return false;
    }
    Day = item.Day;
    Month = item.Month;
    Weekday = item.Weekday;
    Week = item.Week;
    FromYear = item.FromYear;
    ToYear = item.ToYear;
    Name = item.Name;
    return true;
}

bool DayRule::Matches(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    if (Month != 0 && Month != month) return false;
    return MatchesWithWeekday(year, month, day,
                              Weekday != 0 ? WeekdayOf(EncodeDayNumber(year, month, day)) : 0);
}

bool DayRule::MatchesWithWeekday(std::int32_t year, std::uint8_t month,
                                            std::uint8_t day, std::uint8_t weekday) const {
    // Every condition must hold; the month goes first as it rejects most rules cheaply.
    if (Month != 0 && Month != month) return false;

    const bool hasFrom = FromYear != kUnsetYear;
    const bool hasTo = ToYear != kUnsetYear;
    if (hasFrom && hasTo) {
        if (ToYear >= FromYear) {
            if (year < FromYear || year > ToYear) return false;
        } else if (!(year >= FromYear || year <= ToYear)) {
            return false;  // a wrapped range
        }
    } else if (hasFrom) {
        if (year < FromYear) return false;
    } else if (hasTo) {
        if (year > ToYear) return false;
    }

    if (Day != 0 && Day != day) {
        // Only "33" may still match, and only on the last day (never before the 28th).
        if (Day != kLastDay || day < 28 || day != LastDayOfMonth(year, month)) return false;
    }

    if (Weekday != 0) {
        if (weekday != Weekday) return false;
        if (Week != 0 && (day - 1) / 7 != Week - 1) return false;
    }
    return true;
}

}  // namespace korvane
