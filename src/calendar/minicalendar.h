#pragma once

#include "calendar/monthcalendar.h"

namespace korvane {

// The small month calendar of the year page: optional ruled lines, a tinted today cell and an
// optional cursor tint instead of the inverse current day.
class MiniCalendar : public MonthCalendar {
public:
    static constexpr ColorValue kCursorColor = ColorValue(0xFFFFB9);
    static constexpr ColorValue kGridColor = ColorValue(0xC0C0C0);

    explicit MiniCalendar(QWidget* parent = nullptr);

    bool Keisen() const { return keisen_; }
    void SetKeisen(bool on);
    bool IsCursor() const { return isCursor_; }
    void SetIsCursor(bool on);
    ColorValue ColorToDay() const { return colorToDay_; }
    // Takes effect at the next redraw.
    void SetColorToDay(ColorValue color) { colorToDay_ = color; }

    // While set, redraws are skipped (the year page sets it while it moves a calendar).
    bool Suspended = false;

    void UpdateCalendar() override;

protected:
    void DrawCell(int column, int row, const QRect& rect) override;

private:
    bool keisen_ = false;
    bool isCursor_ = false;
    ColorValue colorToDay_ = ColorValue(13696981);
};

// The year page's look: today in green, the fonts of the page (red Sundays, blue Saturdays,
// green special days) at its small sizes.
void ApplyYearPageStyle(MiniCalendar& calendar);

}  // namespace korvane
