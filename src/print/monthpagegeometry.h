#pragma once

#include <QPageLayout>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace korvane {

// Base lengths of a month page in 0.1 mm at A4 scale, before the paper's scale is applied.
struct MonthPageBase {
    int Top, Left, RowHeight, CellHeight, CellWidth, MinHeader, Margin, HeaderGap, FramePen;
    int WeekdayFont, LabelFont, TitleFont, DateFont;
    std::array<int, 3> BarPens;  // thin, medium, thick at five lines
};

inline constexpr MonthPageBase kLandscapeBase{270, 120, 70, 270, 390, 65, 10,
                                              20,  5,   40, 30,  45,  30, {2, 5, 8}};
inline constexpr MonthPageBase kPortraitBase{180, 150, 55, 195, 265, 50, 10,
                                             15,  4,   36, 28,  38,  30, {2, 5, 8}};

// Scales are kept in 1/100000 so every tabled length comes out exact.
inline constexpr int kScaleOne = 100000;

enum class PaperKind { A4, B5, A3, Postcard };

// Windows paper number, the factor that scales an A4 design to it, and its message when the
// printer cannot take it.
struct PaperKindInfo {
    int WindowsNumber;
    int Factor;            // 1/100000
    const char16_t* Name;  // as the message names it
};
const PaperKindInfo& InfoOf(PaperKind kind);

// One of the nine monthly layout buttons and what it hands the driver.
struct MonthLayoutKind {
    const char* Key;      // the button's name without "btn": "MB5", "HA4", ...
    bool Portrait;        // base table and orientation
    int FontPercent;      // schedule font as a percentage of the line height
    const char* Spinner;  // the spinner whose position is the line count; null: fixed 3
    int MinLines, MaxLines, DefaultLines;
    bool WithData;
    PaperKind Paper;
    bool B5Flag;
    bool TwoMonths;
};
const std::array<MonthLayoutKind, 9>& MonthLayoutKinds();
const MonthLayoutKind* FindMonthLayout(const QString& key);
// A stored or typed line count kept within the layout's spinner range.
int ClampLines(const MonthLayoutKind& kind, int lines);

// What the day-number width is measured from: the width of "25" and the height of "高さ" in the
// canvas's face at a given height.
struct DayNumberMeasure {
    int Width25 = 0;
    int HeightTaka = 0;
};
using DayNumberMeasurer = std::function<DayNumberMeasure(int fontHeight)>;

// The lengths one month's grid is drawn with, in 0.1 mm: the month page and each block of the
// year page alike.
struct MonthGridCells {
    int R = 0;  // weekday-row height
    int H = 0;  // cell height
    int W = 0;  // cell width
    int B = 0;  // header band
    int D = 0;  // day-number font
    int M = 0;  // cell margin
    int A = 0;  // day-number width
    int Frame = 0;
    int WeekdayFont = 0;

    int GridWidth() const { return 7 * W; }
    int GridHeight() const { return R + 6 * H; }
};

// A month page's geometry in 0.1 mm, as the renderer draws it.
struct MonthPageGeometry : MonthGridCells {
    int Top = 0, Left = 0;
    int G = 0;  // header gap
    int LabelWidth = 0;
    int L = 0;  // line height
    int F = 0;  // schedule font
    int LabelFont = 0, TitleFont = 0, DateFont = 0;
    std::array<int, 3> BarPens{};
    int Lines = 0;
    int Scale = kScaleOne;
};

// The two-month page's second block lies this far below the first, whatever the scale.
inline constexpr int kSecondMonthOffset = 1445;

// Lines and percentages arrive clamped by the caller's controls; lines below 1 count as 1.
MonthPageGeometry ComputeMonthPageGeometry(const MonthPageBase& base, int scale, int lines,
                                           int fontPercent, bool postcard, int topAdjustMm,
                                           int leftAdjustMm, const DayNumberMeasurer& measure);

// The year calendar's twelve blocks (three columns, four rows) in 0.1 mm.
struct YearPageGeometry : MonthGridCells {
    int Top = 0, Left = 0;  // the first block
    int ColumnPitch = 0, RowPitch = 0;
    int DateFont = 0, TitleFont = 0;
    int MonthFont = 0, YearFont = 0;
    int Scale = kScaleOne;

    // Month k (1 … 12): its block's top-left corner.
    int BlockTop(int k) const { return Top + (k - 1) / 3 * RowPitch; }
    int BlockLeft(int k) const { return Left + (k - 1) % 3 * ColumnPitch; }
    // The right edge of the third column.
    int Right() const { return Left + 2 * ColumnPitch + 7 * W; }
};

// The year calendar's slots are laid out for two lines, though none is printed.
inline constexpr int kYearLines = 2;

YearPageGeometry ComputeYearPageGeometry(int scale, int topAdjustMm, int leftAdjustMm);

}  // namespace korvane
