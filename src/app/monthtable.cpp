#include "monthtable.h"

#include "calendar/daynumber.h"

#include <QDateTime>
#include <QLocale>

namespace korvane {

QString MonthTable::Caption(std::int32_t month) {
    static const char16_t* const kNames[] = {u"１月", u"２月",   u"３月",   u"４月",
                                             u"５月", u"６月",   u"７月",   u"８月",
                                             u"９月", u"１０月", u"１１月", u"１２月"};
    return month >= 1 && month <= 12 ? QString::fromUtf16(kNames[month - 1]) : QString();
}

QString MonthTable::YearMonthText(std::int32_t year, std::int32_t month) {
    return QStringLiteral("%1%2").arg(year, 4, 10, QChar(u'0')).arg(month, 2, 10, QChar(u'0'));
}

QString MonthTable::FileName(std::int32_t year, std::int32_t month) {
    return QStringLiteral("Ca") + YearMonthText(year, month) + QStringLiteral(".vlm");
}

void MonthTable::Build(std::int32_t year, std::int32_t month) {
    for (int i = 0; i < 6; ++i) {
        std::int32_t y = year;
        std::int32_t m = month + i - 1;
        while (m < 1) {
            m += 12;
            --y;
        }
        while (m > 12) {
            m -= 12;
            ++y;
        }
        entries_[std::size_t(i)] = {y, m, Caption(m), FileName(y, m)};
    }
    rangeFirst_ = EncodeDayNumber(entries_[0].Year, std::uint8_t(entries_[0].Month), 1);
    rangeLast_ = EncodeDayNumber(entries_[5].Year, std::uint8_t(entries_[5].Month), 1) - 1;
}

int MonthTable::Find(std::int32_t year, std::int32_t month) const {
    if (month < 1 || month > 12) return -1;
    const std::int32_t first = EncodeDayNumber(year, std::uint8_t(month), 1);
    if (first < rangeFirst_ || first > rangeLast_) return -1;
    for (int i = 0; i < 5; ++i)
        if (entries_[std::size_t(i)].Year == year && entries_[std::size_t(i)].Month == month)
            return i;
    return -1;
}

void MonthTable::SetExtra(std::int32_t year, std::int32_t month) {
    entries_[5] = {year, month, QStringLiteral("%1.%2").arg(year).arg(month, 2),
                   FileName(year, month)};
}

std::int32_t YearPageYear(int mode, std::int32_t year, std::int32_t month, int firstMonth) {
    switch (mode) {
        case 1:
            return month >= 4 ? year : year - 1;
        case 2:
            return firstMonth <= month ? year : year - 1;
        default:
            return year;
    }
}

QString ClockText(const QDateTime& now, bool hours24) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QDate d = now.date();
    const QTime t = now.time();
    const QString date = QStringLiteral("%1/%2/%3 (%4) ")
                             .arg(d.year())
                             .arg(d.month())
                             .arg(d.day())
                             .arg(japanese.dayName(d.dayOfWeek(), QLocale::ShortFormat));
    if (hours24) return date + QStringLiteral("%1 : %2").arg(t.hour()).arg(t.minute());
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;  // 12-hour clock: 0 is 12
    return date + (t.hour() < 12 ? QStringLiteral("午前 ") : QStringLiteral("午後 ")) +
           QStringLiteral("%1 : %2").arg(h12).arg(t.minute());
}

}  // namespace korvane
