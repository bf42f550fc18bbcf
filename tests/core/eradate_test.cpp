#include "core/eradate.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(JapaneseEraDate, EraNameYearAndTheFirstYear) {
    const struct {
        QDate date;
        const char16_t* text;
    } table[] = {
        {QDate(2026, 12, 7), u"令和8年12月7日"},
        {QDate(2019, 5, 1), u"令和元年5月1日"},    // the first day of an era
        {QDate(2019, 4, 30), u"平成31年4月30日"},  // the last day of the one before
        {QDate(2019, 12, 31), u"令和元年12月31日"},
        {QDate(1989, 1, 8), u"平成元年1月8日"},
        {QDate(1989, 1, 7), u"昭和64年1月7日"},
        {QDate(2004, 6, 1), u"平成16年6月1日"},
    };
    for (const auto& row : table)
        EXPECT_EQ(JapaneseEraDate(row.date), QString::fromUtf16(row.text))
            << row.date.toString().toStdString();
}

TEST(JapaneseEraDate, InvalidDateIsEmpty) { EXPECT_TRUE(JapaneseEraDate(QDate()).isEmpty()); }

}  // namespace
}  // namespace korvane
