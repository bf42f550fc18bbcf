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

void TNbMCalendar::SetKeisen(bool on) {
    if (on == keisen_) return;
    keisen_ = on;
    Refresh();
}

void TNbMCalendar::SetIsCursor(bool on) {
    if (on == isCursor_) return;
    isCursor_ = on;
    Refresh();
}

void TNbMCalendar::UpdateCalendar() {
    if (!Suspended) TMonthlyCalendar::UpdateCalendar();
}

void TNbMCalendar::drawGridLines(const QRect& rect) {
    if (!keisen_) return;
    QPainter& p = *Canvas();
    const int right = rect.right() + 1;  // exclusive edges, as the cell rectangle is given
    const int bottom = rect.bottom() + 1;
    const QSize size = contentsRect().size();
    // The end points stay out, as a line to (x, y) stops short of it.
    if (right < size.width() - 4) p.drawLine(right - 1, rect.top(), right - 1, bottom - 2);
    if (bottom < size.height() - 4) p.drawLine(rect.left(), bottom - 1, right - 2, bottom - 1);
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
        drawGridLines(rect);
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
    drawGridLines(rect);
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
