#include "minicalendar.h"

#include "core/fonts.h"

#include <QPainter>

namespace korvane {

MiniCalendar::MiniCalendar(QWidget* parent) : MonthCalendar(parent) {
    Suspended = true;  // one redraw once the defaults are in
    SetDayOfWeekBkColor(ColorValue(0xE1E1E1));
    SetShowNeighbor(true);
    SetAutoResize(false);
    Fonts().SetSizeExceptRokuyo(12);
    Suspended = false;
    Refresh();
}

void MiniCalendar::SetKeisen(bool on) { SetAndRefresh(keisen_, on); }

void MiniCalendar::SetIsCursor(bool on) { SetAndRefresh(isCursor_, on); }

void MiniCalendar::UpdateCalendar() {
    // The twelve of the year page cost the start nothing until the page is shown.
    if (Suspended || DeferWhileHidden()) return;
    MonthCalendar::UpdateCalendar();
}

void MiniCalendar::DrawCell(int column, int row, const QRect& rect) {
    QPainter& p = *Canvas();
    if (row == 0) {
        const CalendarFont& f = Fonts().Font(CalendarFonts::DayOfWeek);
        const QString label = WeekdayLabel(column);
        ColorValue text = clWindowText;
        if (label == u"日") text = clRed;
        if (label == u"土") text = clBlue;
        p.fillRect(QRect(QPoint(rect.left() + 1, rect.top() + 1), rect.bottomRight()),
                   ScreenColor(DayOfWeekBkColor()));
        p.setFont(f.Font);
        p.setPen(ScreenColor(text));
        p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, label);
        p.setPen(ScreenColor(clBtnShadow));
        if (keisen_) DrawCellGridLines(rect);
        return;
    }
    const std::int32_t date = FirstCellDay() + (row - 1) * 7 + column;
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(date, y, m, d);
    const CalendarFont& font = GetDayFont(y, m, d);
    if (m == Month() && y == Year()) {
        if (date == DayNumber() && isCursor_)
            p.fillRect(rect, ScreenColor(kCursorColor));
        else if (date == Today())
            p.fillRect(rect, ScreenColor(colorToDay_));
        const QColor text = ScreenColor(font.Color);
        DrawDayText(rect, date, font, text,
                    date == DayNumber() ? RokuyoStyle::InverseStrip : RokuyoStyle::Plain);
    } else if (ShowNeighbor()) {
        DrawDayText(rect, date, font, NeighborTextColor(font.Color), RokuyoStyle::Pale);
    }
    p.setPen(ScreenColor(kGridColor));
    if (keisen_) DrawCellGridLines(rect);
}

void ApplyYearPageStyle(MiniCalendar& calendar) {
    calendar.SetColorToDay(ColorValue(8519306));
    CalendarFonts fonts = calendar.Fonts();
    fonts.Synchronize = true;
    fonts.SetFont(CalendarFonts::Weekday, {FontWithHeight(kFacePGothic, -12), clBlack});
    fonts.Synchronize = false;
    const ColorValue colours[] = {clBlack, clBlue, clRed, clBlack, clRed, clGreen, clBlack};
    for (int f = 0; f < CalendarFonts::Count; ++f)
        fonts.SetColor(CalendarFonts::Index(f), colours[f]);
    CalendarFont dow = fonts.Font(CalendarFonts::DayOfWeek);
    dow.Font = FontWithHeight(kFacePGothic, -15);
    fonts.SetFont(CalendarFonts::DayOfWeek, dow);
    CalendarFont special = fonts.Font(CalendarFonts::SpecialDay);
    special.Font = FontWithHeight(kFaceGothic, -12);
    fonts.SetFont(CalendarFonts::SpecialDay, special);
    // The page's calendars keep their fonts together from here on.
    fonts.Synchronize = true;
    calendar.SetFonts(fonts);
}

}  // namespace korvane
