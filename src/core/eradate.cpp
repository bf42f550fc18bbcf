#include "eradate.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <memory>
#include <optional>

namespace korvane {

namespace {

struct EraYear {
    QString Era;
    int Year = 0;
};

std::optional<EraYear> eraYearOf(const QDate& date) {
    if (!date.isValid()) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
    if (U_FAILURE(status) || !calendar) return std::nullopt;
    // The Gregorian year, not the era's.
    calendar->set(UCAL_EXTENDED_YEAR, date.year());
    calendar->set(UCAL_MONTH, date.month() - 1);
    calendar->set(UCAL_DATE, date.day());
    const UDate when = calendar->getTime(status);
    const int eraYear = calendar->get(UCAL_YEAR, status);
    if (U_FAILURE(status)) return std::nullopt;

    // The locale's calendar is the Japanese one, so "G" is its era name.
    icu::SimpleDateFormat format(icu::UnicodeString(u"G"), locale, status);
    if (U_FAILURE(status)) return std::nullopt;
    icu::UnicodeString era;
    format.format(when, era);
    return EraYear{QString::fromUtf16(era.getBuffer(), era.length()), eraYear};
}

}  // namespace

QString JapaneseEraDate(const QDate& date) {
    const std::optional<EraYear> e = eraYearOf(date);
    if (!e) return {};
    const QString year = e->Year == 1 ? QStringLiteral("元") : QString::number(e->Year);
    return QStringLiteral("%1%2年%3月%4日").arg(e->Era, year).arg(date.month()).arg(date.day());
}

QString JapaneseEraName(const QDate& date) {
    const std::optional<EraYear> e = eraYearOf(date);
    return e ? e->Era : QString();
}

}  // namespace korvane
