#pragma once

#include <QDate>
#include <QString>

namespace korvane {

// A date in the Japanese era calendar, "令和8年12月7日"; the first year of an era reads "元年".
// Era names come from ICU's data, so a new era needs no change here. Empty for an invalid date
// or where ICU cannot say.
QString JapaneseEraDate(const QDate& date);
// The era name alone, "令和"; empty where JapaneseEraDate is.
QString JapaneseEraName(const QDate& date);

}  // namespace korvane
