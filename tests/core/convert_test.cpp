#include "core/convert.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(StrToInt, AcceptsIntegersOnly) {
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"15", true, 15},
        {"-3", true, -3},
        {"+7", true, 7},
        {" 12 ", true, 12},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
        {"2147483648", false, 0},
        {"$FF", true, 255},
        {"$FFFFFFFF", true, -1},
        {"0x1F", true, 31},
        {"-0X10", true, -16},
        {"0x", false, 0},
        {"", false, 0},
        {"1a", false, 0},
        {"1.5", false, 0},
        {"一", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        std::int32_t v = -999;
        EXPECT_EQ(TryStrToInt(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(StrToInt, ThrowsAConversionErrorNamingTheText) {
    try {
        StrToInt(u"abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find("'abc'"), std::string::npos);
    }
}

}  // namespace
}  // namespace korvane
