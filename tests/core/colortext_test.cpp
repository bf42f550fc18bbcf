#include "core/colortext.h"
#include "core/qtcolor.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(ColorText, ReadsEveryForm) {
    struct Case {
        const char* text;
        std::optional<ColorValue> color;
    };
    const Case cases[] = {
        {"clRed", 0x0000FF},
        {"clred", 0x0000FF},  // identifiers are not case-sensitive
        {"clBlue", 0xFF0000},
        {"clMoneyGreen", 0xC0DCC0},
        {"clSkyBlue", 0xF0CAA6},
        {"clCream", 0xF0FBFF},
        {"clMedGray", 0xA4A0A0},
        {"clLtGray", 0xC0C0C0},
        {"clWindowText", ColorValue(0x80000008u)},
        {"clWindow", ColorValue(0x80000005u)},
        {"clBtnShadow", ColorValue(0x80000010u)},
        {"clBtnFace", ColorValue(0x8000000Fu)},
        {"$000000FF", 0x0000FF},
        {"$80000008", ColorValue(0x80000008u)},
        {"255", 255},
        {"-2147483643", ColorValue(0x80000005u)},
        {"16711680", 0xFF0000},
        {"", std::nullopt},
        {"1", 1},
        {"赤", std::nullopt},
        {"clNotAColour", std::nullopt},
        {"$GG", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorFromText(QString::fromUtf8(c.text)), c.color) << c.text;
    EXPECT_EQ(StringToColor(u"nonsense", clGreen), clGreen);
}

// The system colours' names stand for the Windows values stored files hold.
TEST(ColorText, SystemColourNames) {
    const std::pair<const char*, std::uint32_t> names[] = {{"clBtnText", 0x80000012u},
                                                           {"clGradientActiveCaption", 0x8000001Bu},
                                                           {"clWindow", 0x80000005u}};
    for (const auto& [name, value] : names)
        EXPECT_EQ(ColorFromText(QString::fromLatin1(name)), ColorValue(value)) << name;
}

TEST(ColorText, WritesIdentifiersOrHex) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
    EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ColorToString(0x484848), "$00484848");
    EXPECT_EQ(ColorToString(0xFFFFB9), "$00FFFFB9");
    for (ColorValue c : {ColorValue(0x123456), clMedGray, ColorValue(0x80000018u), clNone})
        EXPECT_EQ(ColorFromText(ColorToString(c)), c);
}

// On paper a colour is its bytes; on screen the system colours take the palette's roles.
TEST(QtColor, BytesAndSystemColours) {
    EXPECT_EQ(ToQColor(ColorValue(0x336699)), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), ColorValue(0x336699));
    EXPECT_EQ(FromRgb(0x996633), ColorValue(0x336699));
    QPalette p;
    const std::pair<ColorValue, QPalette::ColorRole> roles[] = {{clWindow, QPalette::Base},
                                                                {clWindowText, QPalette::Text},
                                                                {clBtnFace, QPalette::Button},
                                                                {clBtnShadow, QPalette::Mid},
                                                                {clHighlight, QPalette::Highlight}};
    int shade = 10;
    for (const auto& [colour, role] : roles) p.setColor(role, QColor(shade += 20, 0, 0));
    shade = 10;
    for (const auto& [colour, role] : roles)
        EXPECT_EQ(ToQColor(colour, p), QColor(shade += 20, 0, 0)) << role;
    EXPECT_EQ(ToQColor(clRed, p), QColor(Qt::red));
}

}  // namespace
}  // namespace korvane
