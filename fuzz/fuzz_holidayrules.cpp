// Holiday rule lines: any line is a rule, ignored, or a reported problem; asking about days
// never fails for the years the calendar shows.
#include "calendar/holidayrules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = text.split(u'\n');
    korvane::HolidayRules rules;
    const korvane::RuleLineProblems problems = rules.SetHolidayList(lines);
    rules.SetSpecialDayList(lines);
    if (problems.size() + rules.HolidayItems().size() > std::size_t(lines.size())) std::abort();
    for (const korvane::RuleLineProblem& p : problems)
        if (p.Line < 1 || p.Line > lines.size() || p.Message.isEmpty()) std::abort();
    for (std::int32_t year : {1, 1582, 2026, 9999}) {
        for (std::uint8_t month = 1; month <= 12; ++month) {
            for (std::uint8_t day : {1, 28}) {
                rules.GetDayKind(year, month, day);
                rules.GetDayNames(year, month, day);
            }
            QString name;
            std::uint8_t d = 0, m = std::uint8_t(month % 2 ? 0 : month);
            for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 8); ++i)
                rules.ResolveRuleLine(lines[i], year, name, d, m);
        }
    }
    return 0;
}
