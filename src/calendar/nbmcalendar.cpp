#include "nbmcalendar.h"

#include "core/fonts.h"

#include <QPainter>

namespace korvane {

TNbMCalendar::TNbMCalendar(QWidget* parent) : TMonthlyCalendar(parent), today_(JuliusToday()) {
    Suspended = true;  // one redraw once the defaults are in
    SetDayOfWeekBkColor(TColor(0xE1E1E1));
    SetShowNeighbor(true);
    SetAutoResize(false);
    Fonts().SetSizeExceptRokuyo(12);
    Suspended = false;
    Refresh();
}

void TNbMCalendar::SetKeisen(bool on) { SetAndRefresh(keisen_, on); }

void TNbMCalendar::SetIsCursor(bool on) { SetAndRefresh(isCursor_, on); }

void TNbMCalendar::UpdateCalendar() {
    if (!Suspended) TMonthlyCalendar::UpdateCalendar();
}

void TNbMCalendar::DrawCell(int column, int row, const QRect& rect) {
    QPainter& p = *Canvas();
    if (row == 0) {
        const TCalFont& f = Fonts().Font(TCalExFonts::DayOfWeek);
        const QString label = WeekdayLabel(column);
        TColor text = clWindowText;
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
    DecodeJulius(date, y, m, d);
    const TCalFont& font = GetDayFont(y, m, d);
    if (m == Month() && y == Year()) {
        if (date == JuliusDay() && isCursor_)
            p.fillRect(rect, ScreenColor(kCursorColor));
        else if (date == today_)
            p.fillRect(rect, ScreenColor(colorToDay_));
        const QColor text = ScreenColor(font.Color);
        DrawDayText(rect, date, font, text,
                    date == JuliusDay() ? RokuyoStyle::InverseStrip : RokuyoStyle::Plain);
    } else if (ShowNeighbor()) {
        DrawDayText(rect, date, font, NeighborTextColor(font.Color), RokuyoStyle::Pale);
    }
    p.setPen(ScreenColor(kGridColor));
    if (keisen_) DrawCellGridLines(rect);
}

void ApplyYearPageStyle(TNbMCalendar& calendar) {
    calendar.SetColorToDay(TColor(8519306));
    TCalExFonts fonts = calendar.Fonts();
    fonts.Synchronize = true;
    fonts.SetFont(TCalExFonts::Weekday, {FontWithHeight(kFacePGothic, -12), clBlack});
    fonts.Synchronize = false;
    const TColor colours[] = {clBlack, clBlue, clRed, clBlack, clRed, clGreen, clBlack};
    for (int f = 0; f < TCalExFonts::Count; ++f)
        fonts.SetColor(TCalExFonts::Index(f), colours[f]);
    TCalFont dow = fonts.Font(TCalExFonts::DayOfWeek);
    dow.Font = FontWithHeight(kFacePGothic, -15);
    fonts.SetFont(TCalExFonts::DayOfWeek, dow);
    TCalFont special = fonts.Font(TCalExFonts::SpecialDay);
    special.Font = FontWithHeight(kFaceGothic, -12);
    fonts.SetFont(TCalExFonts::SpecialDay, special);
    calendar.SetFonts(fonts);
}

}  // namespace korvane
