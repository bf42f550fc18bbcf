#pragma once

#include "calendar/calendarcontrol.h"
#include "calendar/daynumber.h"

namespace korvane {

// A month as a grid: a weekday header row and one row per week.
class MonthCalendar : public CalendarControl {
public:
    explicit MonthCalendar(QWidget* parent = nullptr);

    Weekday FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(Weekday day);
    bool ShowNeighbor() const { return showNeighbor_; }
    void SetShowNeighbor(bool on);
    ColorValue NeighborColor() const { return neighborColor_; }
    void SetNeighborColor(ColorValue color);
    bool NeighborJump() const { return neighborJump_; }
    void SetNeighborJump(bool on) { neighborJump_ = on; }
    bool AutoResize() const { return autoResize_; }
    void SetAutoResize(bool on);
    bool FirstRowFirstDay() const { return firstRowFirstDay_; }
    void SetFirstRowFirstDay(bool on);
    bool LastRowLastDay() const { return lastRowLastDay_; }
    void SetLastRowLastDay(bool on);
    ColorValue DayOfWeekBkColor() const { return dayOfWeekBkColor_; }
    void SetDayOfWeekBkColor(ColorValue color);
    bool ShowRokuyo() const { return showRokuyo_; }
    void SetShowRokuyo(bool on);

    // The day number in the first cell of the first week row.
    virtual std::int32_t FirstCellDay() const;
    // Rows including the header row.
    virtual int RowCount() const;
    virtual void CellFromPoint(int x, int y, int& row, int& column) const;

    void UpdateCalendar() override;

    // The header label of a column: the Japanese short weekday name.
    QString WeekdayLabel(int column) const;
    // The rectangle of a cell in client coordinates.
    QRect CellRect(int column, int row) const;

protected:
    virtual void DrawCell(int column, int row, const QRect& rect);
    // How the rokuyō label below the day number is coloured.
    enum class RokuyoStyle {
        Plain,        // the Rokuyo font's colour
        Pale,         // paled like the text of a neighbouring month
        OnFill,       // on a cell filled in the font colour: the label in the background colour
        InverseStrip  // its strip filled in the text colour, the label in the background colour
    };
    // Day text, and the rokuyō label below it when shown.
    void DrawDayText(const QRect& rect, std::int32_t date, const CalendarFont& font,
                     const QColor& textColor, RokuyoStyle style);
    // The palette-resolved font colour paled by NeighborColor.
    QColor NeighborTextColor(ColorValue fontColor) const;

    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Weekday firstDayOfWeek_ = dowSun;
    bool showNeighbor_ = false;
    ColorValue neighborColor_ = ColorValue(0xC0C0C0);
    bool neighborJump_ = false;
    bool autoResize_ = true;
    bool firstRowFirstDay_ = false;
    bool lastRowLastDay_ = false;
    ColorValue dayOfWeekBkColor_ = ColorValue(0x800000);
    bool showRokuyo_ = false;
};

}  // namespace korvane
