#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>

namespace korvane {

// One parsed holiday or special-day rule line.
class DayRule {
public:
    static constexpr std::int32_t kUnsetYear = std::numeric_limits<std::int32_t>::min();
    static constexpr std::uint8_t kLastDay = 33;

    std::uint8_t Day = 0;      // 0 any, 33 last day of the month
    std::uint8_t Month = 0;    // 0 any
    std::uint8_t Weekday = 0;  // 0 none, 1 Sunday ... 7 Saturday
    std::uint8_t Week = 0;     // 0 any occurrence
    std::int32_t FromYear = kUnsetYear;
    std::int32_t ToYear = kUnsetYear;
    QString Name;

    virtual ~DayRule() = default;
    virtual bool Matches(std::int32_t year, std::uint8_t month, std::uint8_t day) const;
    // As Matches, for a caller that already knows the date's weekday (1 = Sunday).
    bool MatchesWithWeekday(std::int32_t year, std::uint8_t month, std::uint8_t day,
                            std::uint8_t weekday) const;

    // Fills the item from the fields of a rule line. Returns false (item untouched) for a field
    // count other than 3..7; throws EConvertError for a number field that is not an integer.
    bool Assign(const QStringList& fields);
};

}  // namespace korvane
