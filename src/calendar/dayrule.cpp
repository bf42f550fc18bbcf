#include "dayrule.h"

#include "calendar/daynumber.h"
#include "core/convert.h"

namespace korvane {
namespace {

// A number field of a rule line within [low, high]; anything else makes the line bad. Zero is
// the item's "any" and stays allowed ("0,25,給料日" is every month's 25th).
std::int32_t numberField(const QString& f, std::int32_t low, std::int32_t high, const char* what) {
    std::int32_t v;
    if (!TryStrToInt(f, v))
        throw RuleLineError(
            QStringLiteral("%1「%2」は整数ではありません。").arg(QString::fromUtf8(what), f));
    if (v < low || v > high)
        throw RuleLineError(QStringLiteral("%1「%2」は %3 から %4 までです。")
                                .arg(QString::fromUtf8(what), f)
                                .arg(low)
                                .arg(high));
    return v;
}

std::uint8_t monthField(const QString& f) { return std::uint8_t(numberField(f, 0, 12, "月")); }
std::uint8_t weekField(const QString& f) { return std::uint8_t(numberField(f, 0, 5, "週")); }
std::uint8_t weekdayField(const QString& f) { return std::uint8_t(numberField(f, 0, 7, "曜日")); }
std::int32_t yearField(const QString& f) {
    return numberField(f, DayRule::kMinYear, DayRule::kMaxYear, "年");
}
std::uint8_t dayField(const QString& f) {
    std::int32_t v = -1;
    if (!TryStrToInt(f, v)) numberField(f, 0, 0, "日");  // throws the "not a number" message
    if (v < 0 || v == 32 || v > DayRule::kLastDay)
        throw RuleLineError(
            QStringLiteral("日「%1」は 0 から 31 まで、または 33 (月末) です。").arg(f));
    return std::uint8_t(v);
}

void applyYearCondition(DayRule& item, const QString& year, const QString& cond) {
    const std::int32_t y = yearField(year);
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
            item.Month = monthField(f[0]);
            item.Day = dayField(f[1]);
            item.Name = f[2];
            break;
        case 4:
            item.Month = monthField(f[0]);
            item.Week = weekField(f[1]);
            item.Weekday = weekdayField(f[2]);
            item.Name = f[3];
            break;
        case 5:
            item.Month = monthField(f[2]);
            item.Day = dayField(f[3]);
            item.Name = f[4];
            applyYearCondition(item, f[0], f[1]);
            break;
        case 6:
            item.Month = monthField(f[2]);
            item.Week = weekField(f[3]);
            item.Weekday = weekdayField(f[4]);
            item.Name = f[5];
            applyYearCondition(item, f[0], f[1]);
            break;
        case 7:
            if (!f[0].isEmpty()) item.FromYear = yearField(f[0]);
            if (!f[1].isEmpty()) item.ToYear = yearField(f[1]);
            if (!f[2].isEmpty()) item.Month = monthField(f[2]);
            if (!f[3].isEmpty()) item.Day = dayField(f[3]);
            if (!f[4].isEmpty()) item.Weekday = weekdayField(f[4]);
            if (!f[5].isEmpty()) item.Week = weekField(f[5]);
            item.Name = f[6];
            break;
        default:
            return false;
    }
    *this = std::move(item);
    return true;
}

bool DayRule::Matches(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    if (Month != 0 && Month != month) return false;
    return MatchesWithWeekday(year, month, day,
                              Weekday != 0 ? WeekdayOf(EncodeDayNumber(year, month, day)) : 0);
}

bool DayRule::MatchesWithWeekday(std::int32_t year, std::uint8_t month, std::uint8_t day,
                                 std::uint8_t weekday) const {
    // Every condition must hold; the month goes first as it rejects most rules cheaply.
    if (Month != 0 && Month != month) return false;

    // An unset year is the smallest number, so one rule serves every case: only a "to" is a
    // range from the beginning of time, only a "from" a wrapped range that ends before it.
    if (FromYear != kUnsetYear || ToYear != kUnsetYear) {
        if (ToYear >= FromYear) {
            if (year < FromYear || year > ToYear) return false;
        } else if (!(year >= FromYear || year <= ToYear)) {
            return false;  // a wrapped range
        }
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
