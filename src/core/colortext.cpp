#include "colortext.h"

#include "core/convert.h"

namespace korvane {
namespace {

struct Ident {
    const char16_t* name;
    ColorValue value;
};

constexpr ColorValue sys(std::uint32_t index) { return ColorValue(0x80000000u | index); }

// The standard colour identifiers of the Windows toolkit the sibling programs were built with;
// the first of two names for one value is the one written back.
constexpr Ident kIdents[] = {
    {u"clBlack", clBlack},
    {u"clMaroon", clMaroon},
    {u"clGreen", clGreen},
    {u"clOlive", clOlive},
    {u"clNavy", clNavy},
    {u"clPurple", clPurple},
    {u"clTeal", clTeal},
    {u"clGray", clGray},
    {u"clSilver", clSilver},
    {u"clRed", clRed},
    {u"clLime", clLime},
    {u"clYellow", clYellow},
    {u"clBlue", clBlue},
    {u"clFuchsia", clFuchsia},
    {u"clAqua", clAqua},
    {u"clWhite", clWhite},
    {u"clMoneyGreen", clMoneyGreen},
    {u"clSkyBlue", clSkyBlue},
    {u"clCream", clCream},
    {u"clMedGray", clMedGray},
    {u"clLtGray", clSilver},
    {u"clDkGray", clGray},
    {u"clNone", clNone},
    {u"clDefault", clDefault},
    {u"clScrollBar", sys(0)},
    {u"clBackground", sys(1)},
    {u"clActiveCaption", sys(2)},
    {u"clInactiveCaption", sys(3)},
    {u"clMenu", sys(4)},
    {u"clWindow", sys(5)},
    {u"clWindowFrame", sys(6)},
    {u"clMenuText", sys(7)},
    {u"clWindowText", sys(8)},
    {u"clCaptionText", sys(9)},
    {u"clActiveBorder", sys(10)},
    {u"clInactiveBorder", sys(11)},
    {u"clAppWorkSpace", sys(12)},
    {u"clHighlight", sys(13)},
    {u"clHighlightText", sys(14)},
    {u"clBtnFace", sys(15)},
    {u"clBtnShadow", sys(16)},
    {u"clGrayText", sys(17)},
    {u"clBtnText", sys(18)},
    {u"clInactiveCaptionText", sys(19)},
    {u"clBtnHighlight", sys(20)},
    {u"cl3DDkShadow", sys(21)},
    {u"cl3DLight", sys(22)},
    {u"clInfoText", sys(23)},
    {u"clInfoBk", sys(24)},
    {u"clHotLight", sys(26)},
    {u"clGradientActiveCaption", sys(27)},
    {u"clMenuHighlight", sys(29)},
};

}  // namespace

std::optional<ColorValue> ColorFromText(QStringView text) {
    const QStringView t = text.trimmed();
    for (const Ident& i : kIdents)
        if (t.compare(QStringView(i.name), Qt::CaseInsensitive) == 0) return i.value;
    std::int32_t v;
    if (TryStrToInt(t, v)) return v;
    return std::nullopt;
}

ColorValue StringToColor(QStringView text, ColorValue fallback) {
    return ColorFromText(text).value_or(fallback);
}

QString ColorToString(ColorValue color) {
    for (const Ident& i : kIdents)
        if (i.value == color) return QString::fromUtf16(i.name);
    return QStringLiteral("$%1").arg(std::uint32_t(color), 8, 16, QChar(u'0')).toUpper();
}

}  // namespace korvane
