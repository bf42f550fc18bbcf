#include "monthpagegeometry.h"

#include <algorithm>
#include <cstdint>

namespace korvane {
namespace {

// base × s, truncated; s in 1/100000.
int scaled(int base, int scale) { return int(std::int64_t(base) * scale / kScaleOne); }
// base × s × num / den, truncated (the postcard's extra factors).
int scaled(int base, int scale, int num, int den) {
    return int(std::int64_t(base) * scale * num / (std::int64_t(kScaleOne) * den));
}

}  // namespace

const PaperKindInfo& InfoOf(PaperKind kind) {
    static const PaperKindInfo table[] = {
        {9, 100000, u"Ａ４"},
        {13, 86500, u"Ｂ５"},
        {8, 141400, u"Ａ３"},
        {43, 47600, u"はがき"},
    };
    return table[int(kind)];
}

const std::array<MonthLayoutKind, 9>& MonthLayoutKinds() {
    static const std::array<MonthLayoutKind, 9> kinds{{
        {"MB5", false, 80, "udMB5", 3, 7, 5, true, PaperKind::B5, true, false},
        {"HB5", false, 80, "udMB5", 3, 7, 5, false, PaperKind::B5, true, false},
        {"MA4W", true, 80, "udMA4W", 2, 5, 3, true, PaperKind::A4, false, true},
        {"HA4W", true, 80, "udMA4W", 2, 5, 3, false, PaperKind::A4, false, true},
        {"MA4", false, 80, "udMA4", 3, 7, 5, true, PaperKind::A4, false, false},
        {"HA4", false, 85, "udMA4", 3, 7, 5, false, PaperKind::A4, false, false},
        {"MA3", false, 80, "udMA3", 5, 9, 7, true, PaperKind::A3, false, false},
        {"HA3", false, 80, "udMA3", 5, 9, 7, false, PaperKind::A3, false, false},
        {"HHagaki", false, 85, nullptr, 3, 3, 3, false, PaperKind::Postcard, false, false},
    }};
    return kinds;
}

const MonthLayoutKind* FindMonthLayout(const QString& key) {
    for (const MonthLayoutKind& k : MonthLayoutKinds())
        if (key == QLatin1String(k.Key)) return &k;
    return nullptr;
}

int ClampLines(const MonthLayoutKind& kind, int lines) {
    return std::clamp(lines, kind.MinLines, kind.MaxLines);
}

MonthPageGeometry ComputeMonthPageGeometry(const MonthPageBase& base, int scale, int lines,
                                           int fontPercent, bool postcard, int topAdjustMm,
                                           int leftAdjustMm, const DayNumberMeasurer& measure) {
    MonthPageGeometry g;
    const int n = std::max(lines, 1);
    g.Lines = n;
    g.Scale = scale;
    // The position adjustment is in whole millimetres and never scaled.
    g.Top = scaled(base.Top, scale) + 10 * topAdjustMm;
    g.Left = scaled(base.Left, scale) + 10 * leftAdjustMm + (postcard ? 33 : 0);
    g.R = postcard ? scaled(base.RowHeight, scale, 14, 10) : scaled(base.RowHeight, scale);
    g.H = scaled(base.CellHeight, scale);
    g.W = scaled(base.CellWidth, scale);
    // H / (n + 1.5) × 1.5 without a binary fraction in between.
    g.B = std::max(g.H * 3 / (2 * n + 3), scaled(base.MinHeader, scale));
    g.D = g.B * 4 / 5;
    g.M = scaled(base.Margin, scale);
    const DayNumberMeasure m = measure ? measure(g.D) : DayNumberMeasure{};
    if (g.H > 0) {
        // width + (B − 0.85 × height) × W / H, in hundredths so it truncates once.
        const std::int64_t num = std::int64_t(100) * m.Width25 * g.H +
                                 (std::int64_t(100) * g.B - std::int64_t(85) * m.HeightTaka) * g.W;
        g.A = int(num / (std::int64_t(100) * g.H));
    }
    g.G = scaled(base.HeaderGap, scale);
    g.LabelWidth = g.W - (g.A + g.G);
    g.L = (g.H - (g.B + 2 * g.M)) / n;
    g.F = g.L * fontPercent / 100;
    if (postcard) {
        g.Frame = scaled(base.FramePen, scale, 13, 10);
        g.WeekdayFont = scaled(base.WeekdayFont, scale, 13, 10);
        g.LabelFont = scaled(base.LabelFont, scale, 14, 10);
        g.TitleFont = scaled(base.TitleFont, scale, 15, 10);
        g.DateFont = scaled(base.DateFont, scale, 15, 10);
    } else {
        g.Frame = scaled(base.FramePen, scale);
        g.WeekdayFont = scaled(base.WeekdayFont, scale);
        g.LabelFont = scaled(base.LabelFont, scale);
        g.TitleFont = scaled(base.TitleFont, scale);
        g.DateFont = scaled(base.DateFont, scale);
    }
    for (int i = 0; i < 3; ++i)
        g.BarPens[std::size_t(i)] =
            std::max(scaled(base.BarPens[std::size_t(i)], scale, 5, n), i + 1);
    return g;
}

YearPageGeometry ComputeYearPageGeometry(int scale, int topAdjustMm, int leftAdjustMm) {
    const auto s = [scale](int base) { return int(std::int64_t(base) * scale / kScaleOne); };
    YearPageGeometry g;
    g.Scale = scale;
    g.Top = s(350) + 10 * topAdjustMm;
    g.Left = s(200) + 10 * leftAdjustMm;
    g.ColumnPitch = s(615);
    g.RowPitch = s(650);
    g.R = s(56);
    g.H = s(56);
    g.W = s(75);
    g.B = s(44);
    g.M = s(10);
    g.A = s(60);
    g.Frame = s(2);
    g.WeekdayFont = s(35);
    g.D = s(40);
    g.DateFont = s(30);
    g.TitleFont = s(50);
    g.MonthFont = s(60);
    g.YearFont = s(40);
    return g;
}

}  // namespace korvane
