#include "holidayrules.h"

#include "calendar/daynumber.h"
#include "core/commatext.h"
#include "core/convert.h"

namespace korvane {
namespace {

// The automatic substitute holiday came with the law amendment of 1973-04-12.
constexpr std::int32_t kFurikaeStart = 2441785;  // 1973-04-12

// The equinox days are holidays from the law of 1948-07-20 on.
constexpr std::int32_t kEquinoxStart = 2432753;  // 1948-07-20

// One typo in a hand-edited file must not take every later rule with it: a bad line is left out
// and noted, the rest is read.
void parseInto(std::vector<DayRule>& items, RuleLineProblems& problems, const QStringList& lines) {
    items.clear();
    problems.clear();
    items.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        DayRule item;
        try {
            if (item.Assign(SplitCommaText(lines[i]))) items.push_back(std::move(item));
        } catch (const RuleLineError& e) {
            problems.push_back({int(i + 1), e.message()});
        }
    }
}

bool anyMatches(const std::vector<DayRule>& items, std::int32_t y, std::uint8_t m, std::uint8_t d,
                std::uint8_t weekday) {
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

RuleLineProblems HolidayRules::SetHolidayList(const QStringList& lines) {
    holidayList_ = lines;
    RebuildDayLists();
    return holidayProblems_;
}

RuleLineProblems HolidayRules::SetSpecialDayList(const QStringList& lines) {
    specialDayList_ = lines;
    RebuildDayLists();
    return specialDayProblems_;
}

void HolidayRules::RebuildDayLists() {
    parseInto(holidays_, holidayProblems_, holidayList_);
    parseInto(specialDays_, specialDayProblems_, specialDayList_);
}

DayKind HolidayRules::GetDayKind(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
    const std::int32_t jd = EncodeDayNumber(year, month, day);
    const std::uint8_t weekday = WeekdayOf(jd);
    DayKind kind = 0;
    if (anyMatches(specialDays_, year, month, day, weekday)) kind |= dkSpecialDay;
    if (anyMatches(holidays_, year, month, day, weekday)) kind |= dkHoliday;
    if (weekday == 1) kind |= dkSunday;
    if (weekday == 7) kind |= dkSaturday;
    if (AutoEquinox && !(kind & dkHoliday) && jd >= kEquinoxStart &&
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
    if (AutoEquinox && EncodeDayNumber(year, month, day) >= kEquinoxStart) {
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
    try {
        DayRule probe;  // a line the holiday lists would leave out resolves to nothing
        if (!probe.Assign(f)) return;
    } catch (const RuleLineError&) {
        return;
    }
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
