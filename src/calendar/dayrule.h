#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace korvane {

// A rule line that cannot be read: a number that is not one, or out of its field's range.
class RuleLineError : public std::runtime_error {
public:
    explicit RuleLineError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// One parsed holiday or special-day rule line.
class DayRule {
public:
    static constexpr std::int32_t kUnsetYear = std::numeric_limits<std::int32_t>::min();
    static constexpr std::uint8_t kLastDay = 33;
    static constexpr std::int32_t kMinYear = 1;
    static constexpr std::int32_t kMaxYear = 9999;

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
    // count other than 3..7; throws RuleLineError (item untouched) for a number field that is not
    // an integer or lies outside its range (month 0..12, day 0..31 or 33, week 0..5, weekday
    // 0..7, year 1..9999; 0 is "any").
    bool Assign(const QStringList& fields);
};

}  // namespace korvane
