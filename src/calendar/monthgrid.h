#pragma once

#include "calendar/calendarcontrol.h"
#include "calendar/daycellgeometry.h"
#include "calendar/daynumber.h"
#include "calendar/monthlayout.h"

#include <QFont>
#include <QHash>

namespace korvane {

// The main window's month grid: day numbers, rokuyō, holiday and special-day names, schedule
// item lines and period bars, in fixed pixel geometry. The slot layout lives in MonthLayout so
// that the printed pages lay out the same data.
class MonthGrid : public CalendarControl {
public:
    static constexpr ColorValue kSelectionColor = ColorValue(0xFFFFB9);
    static constexpr ColorValue kClickedColor = ColorValue(0xBBFDF8);
    static constexpr ColorValue kTodayColor = ColorValue(0xD0FFD5);
    static constexpr ColorValue kGridColor = ColorValue(0xC0C0C0);
    static constexpr ColorValue kSelectedPeriodColor = ColorValue(0xFF00FF);

    explicit MonthGrid(QWidget* parent = nullptr);

// Sizes and flags: a change redraws unless SkipUpDate or SkipUpDate2, and always repaints.
#define KORVANE_GRID_PROPERTY(Type, Name, Default)              \
public:                                                         \
    Type Name() const { return m##Name; }                       \
    void Set##Name(Type value) { setProperty(m##Name, value); } \
                                                                \
private:                                                        \
    Type m##Name = Default;

    KORVANE_GRID_PROPERTY(bool, isFontBold, false)
    KORVANE_GRID_PROPERTY(bool, UeTume, false)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenYoubiH, 24)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontYoubiH, 16)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenDayH, 95)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenDayW, 128)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenHidukeH, 23)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenHidukeW, 28)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenYohaku, 4)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontHidukeH, 18)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontNeighbH, 16)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontKinenbH, 12)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontKinenbNH, 11)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenTopItem, 2)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenFontYoteiH, 16)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenBottomItem, 2)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenGyokan, 2)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenItemLeftM, 8)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenKinenC, 3)
    KORVANE_GRID_PROPERTY(std::uint8_t, LenKinenNC, 1)
    KORVANE_GRID_PROPERTY(std::uint8_t, TabMojiSuu, 2)
    KORVANE_GRID_PROPERTY(std::uint8_t, TabChousei, 150)
    KORVANE_GRID_PROPERTY(Weekday, FirstDayOfWeek, dowSun)
    KORVANE_GRID_PROPERTY(ColorValue, NeighborColor, ColorValue(0xC0C0C0))
    KORVANE_GRID_PROPERTY(ColorValue, DayOfWeekBkColor, ColorValue(0xE1E1E1))
    KORVANE_GRID_PROPERTY(bool, ShowNeighbor, true)
    KORVANE_GRID_PROPERTY(bool, AutoResize, false)
    KORVANE_GRID_PROPERTY(bool, FirstRowFirstDay, false)
    KORVANE_GRID_PROPERTY(bool, LastRowLastDay, false)
    KORVANE_GRID_PROPERTY(bool, ShowRokuyo, false)
    KORVANE_GRID_PROPERTY(bool, IsToDay, true)
#undef KORVANE_GRID_PROPERTY

public:
    // Item lines per cell, at most 9.
    std::uint8_t ItemGyo() const { return mItemGyo; }
    void SetItemGyo(std::uint8_t lines);
    // Stored only.
    std::uint8_t SelfSize = 0;
    std::uint8_t LenYoteiH = 17;
    bool NeighborJump = false;
    bool SkipUpDate = false;
    bool SkipUpDate2 = false;

    const QString& DataKyoFile() const { return dataKyoFile_; }
    // Reads the folder's Sday.vlm into the special days when it is there.
    void SetDataKyoFile(const QString& folder);

    // Derived layout values.
    void RecalcLayout();
    int LineH() const { return lineH_; }
    int DateAreaH() const { return dateAreaH_; }
    int Third() const { return third_; }

    // The data: six month pages around the shown month and the multi-day items.
    std::array<MonthPage, 6>& MonthPages() { return layout_.MonthPages; }
    QStringList& PeriodList() { return layout_.PeriodList; }
    std::int32_t& CurrentPage() { return layout_.CurrentPage; }
    const MonthLayout& Layout() const { return layout_; }

    ColorValue ItemColor = ColorValue(0x484848);
    std::int32_t SelStart = 0;
    std::int32_t SelEnd = 0;
    std::int32_t ClickedDay = 0;
    bool ClickedInMonth = false;
    bool HighlightClicked = false;
    int SelectedPeriod = 0;
    bool Suspended = false;
    bool NeighborPaged = false;
    bool PageForward = false;
    bool PageOverflow = false;
    // Set by GetDayNames and GetDayFont.
    mutable QString NameKinds;
    mutable bool IsSpecial = false;

    std::int32_t FirstCellDay() const;
    int RowCount() const;

    void UpdateCalendar() override;
    const CalendarFont& GetDayFont(std::int32_t year, std::uint8_t month,
                                   std::uint8_t day) const override;
    QString GetDayNames(std::int32_t year, std::uint8_t month, std::uint8_t day) const override;

    void LayoutItems(int lines, bool ueTume);
    CellPrintTexts GetCellPrintTexts(int lines, int column, int row) const;
    virtual void HitTest(int x, int y, int& third, int& line, int& row, int& column) const;
    void GoToDate(std::int32_t year, int month, int day);
    static void NormalizeMonth(std::int32_t& year, int& month);
    void ClearSelection();
    void DeletePeriod(int index);

    // The rectangle of a cell (row 0 is the header) in client coordinates, right and bottom
    // exclusive as the geometry is given.
    QRect CellRect(int column, int row) const;
    // What a day cell (row 1..6) draws, worked out without drawing; valid after UpdateCalendar
    // has laid out the items.
    DayCellGeometry CellGeometry(int column, int row) const;

protected:
    virtual void DrawDayCell(int column, int row, const QRect& rect);
    void mousePressEvent(QMouseEvent* event) override;

private:
    template <typename T>
    void setProperty(T& field, T value) {
        if (field != value) {
            field = value;
            if (!SkipUpDate && !SkipUpDate2) Refresh();
        }
        update();
    }
    QFont sizedFont(const QFont& base, int cellHeight, bool bold) const;
    void drawHeaderCell(int column, const QRect& rect);
    CellItemLine itemLineOf(int cell, int slot, const QRect& rect, bool otherMonth) const;
    CellPeriodBar periodBarOf(int cell, int slot, const QRect& rect, bool otherMonth) const;
    void paintDayCell(const DayCellGeometry& geometry);
    QColor paled(ColorValue color) const;

    std::uint8_t mItemGyo = 5;
    QString dataKyoFile_;
    int lineH_ = 0;
    int dateAreaH_ = 0;
    int third_ = 0;
    MonthLayout layout_;
    mutable QHash<QString, QFont> fontCache_;
};

// The main window's layout values for its grid, normal or compact (small screens), with the
// rokuyō in dark grey; the grid is sized to fit them.
void ApplyMainWindowLayout(MonthGrid& grid, bool compact);

}  // namespace korvane
