#include "holidayrules.h"

#include "calendar/daynumber.h"
#include "core/commatext.h"
#include "core/convert.h"

#include <exception>

namespace korvane {
namespace {

// The automatic substitute holiday came with the law amendment of 1973-04-12.
constexpr std::int32_t kFurikaeStart = 2441785;  // 1973-04-12

void parseInto(std::vector<DayRule>& items, const QStringList& lines) {
    items.clear();
    items.reserve(std::size_t(lines.size()));
    for (const QString& line : lines) {
        DayRule item;
        if (item.Assign(SplitCommaText(line))) items.push_back(std::move(item));
    }
}

bool anyMatches(const std::vector<DayRule>& items, std::int32_t y, std::uint8_t m,
                std::uint8_t d, std::uint8_t weekday) {
    for (const DayRule& item : items)
        if (item.MatchesWithWeekday(y, m, d, weekday)) return true;
    return false;
}

std::uint8_t nthWeekdayDay(std::int32_t year, std::uint8_t month, std::int32_t week,
                           std::int32_t weekday) {
    const std::int32_t first =
        ((weekday + 7 - WeekdayOf(EncodeDayNumber(year, month, 1))) % 7 + 7) % 7 + 1;
    return std::uint8_t(first + (week - 1) * 7);
}

}  // namespace

void HolidayRules::SetHolidayList(const QStringList& lines) {
    holidayList_ = lines;
    RebuildDayLists();
}

void HolidayRules::SetSpecialDayList(const QStringList& lines) {
    specialDayList_ = lines;
    RebuildDayLists();
}

void HolidayRules::RebuildDayLists() {
    std::exception_ptr failure;
    try {
        parseInto(holidays_, holidayList_);
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        parseInto(specialDays_, specialDayList_);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
}

DayKind HolidayRules::GetDayKind(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    const std::int32_t jd = EncodeDayNumber(year, month, day);
    const std::uint8_t weekday = WeekdayOf(jd);
    DayKind kind = 0;
    if (anyMatches(specialDays_, year, month, day, weekday)) kind |= dkSpecialDay;
    if (anyMatches(holidays_, year, month, day, weekday)) kind |= dkHoliday;
    if (weekday == 1) kind |= dkSunday;
    if (weekday == 7) kind |= dkSaturday;
    if (AutoEquinox && !(kind & dkHoliday) &&
        (IsVernalEquinoxDay(year, month, day) || IsAutumnalEquinoxDay(year, month, day)))
        kind |= dkHoliday;
    if (AutoFurikae && weekday == 2 && !(kind & dkHoliday) && jd >= kFurikaeStart) {
        std::int32_t y;
        std::uint8_t m, d;
        DecodeDayNumber(jd - 1, y, m, d);
        if (GetDayKind(y, m, d) & dkHoliday) kind |= dkFurikae;
    }
    return kind;
}

QStringList HolidayRules::DayNameList(std::int32_t year, std::uint8_t month, std::uint8_t day,
                                      QString* kinds) const {
    QStringList names;
    if (kinds) kinds->clear();
    auto add = [&](const QString& name, QChar letter) {
        names << name;
        if (kinds) *kinds += letter;
    };
    for (const DayRule& item : specialDays_)
        if (item.Matches(year, month, day)) add(item.Name, u'S');
    for (const DayRule& item : holidays_)
        if (item.Matches(year, month, day)) add(item.Name, u'H');
    if (AutoEquinox) {
        if (IsVernalEquinoxDay(year, month, day))
            add(kVernalName, u'H');
        else if (IsAutumnalEquinoxDay(year, month, day))
            add(kAutumnalName, u'H');
    }
    if (AutoFurikae && (GetDayKind(year, month, day) & dkFurikae)) add(kFurikaeName, u'H');
    return names;
}

QString HolidayRules::GetDayNames(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    return JoinCommaText(DayNameList(year, month, day));
}

void HolidayRules::ResolveRuleLine(const QString& line, std::int32_t year, QString& name,
                                   std::uint8_t& day, std::uint8_t& month) const {
    const std::uint8_t filter = month;
    month = 13;
    day = 32;
    name.clear();
    const QStringList f = SplitCommaText(line);
    auto filterMatches = [&](const QString& field) {
        return filter == 0 || filter == std::uint8_t(StrToInt(field));
    };
    auto yearHolds = [&](const QString& yearField, const QString& cond) {
        if (cond == u"0") return StrToInt(yearField) == year;
        if (cond == u"1") return StrToInt(yearField) >= year;
        if (cond == u"2") return StrToInt(yearField) <= year;
        return true;
    };
    switch (f.size()) {
        case 3:
            if (filterMatches(f[0])) {
                month = std::uint8_t(StrToInt(f[0]));
                name = f[2];
                day = std::uint8_t(StrToInt(f[1]));
            }
            break;
        case 4:
            if (filterMatches(f[0])) {
                month = std::uint8_t(StrToInt(f[0]));
                name = f[3];
                day = nthWeekdayDay(year, month, StrToInt(f[1]), StrToInt(f[2]));
            }
            break;
        case 5:
        case 6:
            if (filterMatches(f[2]) && yearHolds(f[0], f[1])) {
                month = std::uint8_t(StrToInt(f[2]));
                if (f.size() == 5) {
                    name = f[4];
                    day = std::uint8_t(StrToInt(f[3]));
                } else {
                    name = f[5];
                    day = nthWeekdayDay(year, month, StrToInt(f[3]), StrToInt(f[4]));
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace korvane
