#include "eradate.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <memory>

namespace korvane {

QString JapaneseEraDate(const QDate& date) {
    if (!date.isValid()) return {};
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    if (U_FAILURE(status) || !calendar) return {};
    // The Gregorian year, not the era's.
    calendar->set(UCAL_EXTENDED_YEAR, date.year());
    calendar->set(UCAL_MONTH, date.month() - 1);
    calendar->set(UCAL_DATE, date.day());
    const UDate when = calendar->getTime(status);
    const int eraYear = calendar->get(UCAL_YEAR, status);
    if (U_FAILURE(status)) return {};

    // The locale's calendar is the Japanese one, so "G" is its era name.
    icu::SimpleDateFormat format(icu::UnicodeString(u"G"), locale, status);
    if (U_FAILURE(status)) return {};
    icu::UnicodeString era;
    format.format(when, era);
    const QString eraName = QString::fromUtf16(era.getBuffer(), era.length());
    const QString year = eraYear == 1 ? QStringLiteral("元") : QString::number(eraYear);
    return QStringLiteral("%1%2年%3月%4日").arg(eraName, year).arg(date.month()).arg(date.day());
}

}  // namespace korvane
