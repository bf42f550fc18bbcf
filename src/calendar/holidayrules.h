#pragma once

#include "calendar/daykind.h"
#include "calendar/dayrule.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace korvane {

// A rule line that was left out, with its line number (1 = the first line of the list).
struct RuleLineProblem {
    int Line = 0;
    QString Message;
};
using RuleLineProblems = std::vector<RuleLineProblem>;

// Holidays and special days from rule lines, plus the two computed equinox days and the
// substitute holiday. The calendar model owns one and may override its operations.
class HolidayRules {
public:
    static inline const QString kVernalName = QStringLiteral("春分の日");
    static inline const QString kAutumnalName = QStringLiteral("秋分の日");
    static inline const QString kFurikaeName = QStringLiteral("振替休日");

    HolidayRules() = default;
    virtual ~HolidayRules() = default;

    bool AutoEquinox = true;
    bool AutoFurikae = true;

    const QStringList& HolidayList() const { return holidayList_; }
    const QStringList& SpecialDayList() const { return specialDayList_; }
    // Setting either list rebuilds both item lists. A bad line is left out and the lines after it
    // are still read; the answer lists the lines of the list just set that were left out.
    RuleLineProblems SetHolidayList(const QStringList& lines);
    RuleLineProblems SetSpecialDayList(const QStringList& lines);
    const RuleLineProblems& HolidayProblems() const { return holidayProblems_; }
    const RuleLineProblems& SpecialDayProblems() const { return specialDayProblems_; }

    virtual void RebuildDayLists();
    virtual DayKind GetDayKind(std::int32_t year, std::uint8_t month, std::uint8_t day) const;
    virtual QString GetDayNames(std::int32_t year, std::uint8_t month, std::uint8_t day) const;
    // As GetDayNames, with one letter per name in kinds: "S" special day, "H" holiday.
    QStringList DayNameList(std::int32_t year, std::uint8_t month, std::uint8_t day,
                            QString* kinds = nullptr) const;
    virtual void ResolveRuleLine(const QString& line, std::int32_t year, QString& name,
                                 std::uint8_t& day, std::uint8_t& month) const;

    const std::vector<DayRule>& HolidayItems() const { return holidays_; }
    const std::vector<DayRule>& SpecialDayItems() const { return specialDays_; }

private:
    QStringList holidayList_;
    QStringList specialDayList_;
    std::vector<DayRule> holidays_;
    std::vector<DayRule> specialDays_;
    RuleLineProblems holidayProblems_;
    RuleLineProblems specialDayProblems_;
};

}  // namespace korvane
