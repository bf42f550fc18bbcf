#include "monthcalendar.h"

#include "calendar/lunisolar.h"
#include "calendar/monthlayout.h"
#include "core/qtcolor.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace korvane {

MonthCalendar::MonthCalendar(QWidget* parent) : CalendarControl(parent) {}

void MonthCalendar::SetFirstDayOfWeek(Weekday day) { SetAndRefresh(firstDayOfWeek_, day); }

void MonthCalendar::SetShowNeighbor(bool on) { SetAndRefresh(showNeighbor_, on); }
void MonthCalendar::SetNeighborColor(ColorValue color) { SetAndRefresh(neighborColor_, color); }
void MonthCalendar::SetAutoResize(bool on) { SetAndRefresh(autoResize_, on); }
void MonthCalendar::SetFirstRowFirstDay(bool on) { SetAndRefresh(firstRowFirstDay_, on); }
void MonthCalendar::SetLastRowLastDay(bool on) { SetAndRefresh(lastRowLastDay_, on); }
void MonthCalendar::SetDayOfWeekBkColor(ColorValue color) {
    SetAndRefresh(dayOfWeekBkColor_, color);
}
void MonthCalendar::SetShowRokuyo(bool on) { SetAndRefresh(showRokuyo_, on); }

std::int32_t MonthCalendar::FirstCellDay() const {
    return GridFirstCellDay(Year(), Month(), int(firstDayOfWeek_), firstRowFirstDay_);
}

int MonthCalendar::RowCount() const {
    return GridRowCount(Year(), Month(), FirstCellDay(), autoResize_, lastRowLastDay_);
}

void MonthCalendar::CellFromPoint(int x, int y, int& row, int& column) const {
    const QSize size = contentsRect().size();
    const int cw = std::max(1, size.width() / 7);
    const int ch = std::max(1, size.height() / RowCount());
    column = x / cw;
    row = y / ch;
}

QRect MonthCalendar::CellRect(int column, int row) const {
    const std::int64_t w = contentsRect().width();
    const std::int64_t h = contentsRect().height();
    const int rows = RowCount();
    const int left = int(w * column / 7);
    const int top = int(h * row / rows);
    const int right = int(w * (column + 1) / 7);
    const int bottom = int(h * (row + 1) / rows);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QString MonthCalendar::WeekdayLabel(int column) const {
    const int weekday = (int(firstDayOfWeek_) + column) % 7;  // 0 = Sunday
    // Korvane speaks Japanese whatever the system locale; Qt counts Monday as 1, Sunday as 7.
    return QLocale(QLocale::Japanese, QLocale::Japan)
        .dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
}

void MonthCalendar::UpdateCalendar() {
    CanvasScope scope(this);
    CalendarControl::UpdateCalendar();
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 7; ++column) DrawCell(column, row, CellRect(column, row));
}

QColor MonthCalendar::NeighborTextColor(ColorValue fontColor) const {
    // System colours are resolved before the arithmetic.
    return ToQColor(
        OrColor(FromQColor(ScreenColor(fontColor)), FromQColor(ScreenColor(neighborColor_))),
        palette());
}

void MonthCalendar::DrawDayText(const QRect& rect, std::int32_t date, const CalendarFont& font,
                                const QColor& textColor, RokuyoStyle style) {
    QPainter& p = *Canvas();
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(date, y, m, d);
    const std::uint8_t rokuyo = showRokuyo_ ? RokuyoOf(date) : 0;
    QRect dayRect = rect;
    if (rokuyo != 0) {
        const CalendarFont& rf = Fonts().Font(CalendarFonts::Rokuyo);
        const int h = QFontMetrics(rf.Font).height();
        dayRect.setBottom(rect.bottom() - h);
        const QRect strip(rect.left(), dayRect.bottom() + 1, rect.width(), h);
        p.setFont(rf.Font);
        switch (style) {
            case RokuyoStyle::Plain:
                p.setPen(ScreenColor(rf.Color));
                break;
            case RokuyoStyle::Pale:
                p.setPen(NeighborTextColor(rf.Color));
                break;
            case RokuyoStyle::OnFill:
                p.setPen(ScreenColor(Color()));
                break;
            case RokuyoStyle::InverseStrip:
                p.fillRect(strip, textColor);
                p.setPen(ScreenColor(Color()));
                break;
        }
        p.drawText(strip, Qt::AlignCenter | Qt::TextSingleLine, RokuyoNames[rokuyo]);
    }
    p.setFont(font.Font);
    p.setPen(textColor);
    p.drawText(dayRect, Qt::AlignCenter | Qt::TextSingleLine, QString::number(d));
}

void MonthCalendar::DrawCell(int column, int row, const QRect& rect) {
    QPainter& p = *Canvas();
    if (row == 0) {
        const CalendarFont& f = Fonts().Font(CalendarFonts::DayOfWeek);
        p.fillRect(rect, ScreenColor(dayOfWeekBkColor_));
        p.setFont(f.Font);
        p.setPen(ScreenColor(f.Color));
        p.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, WeekdayLabel(column));
        return;
    }
    const std::int32_t date = FirstCellDay() + (row - 1) * 7 + column;
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(date, y, m, d);
    const CalendarFont& font = GetDayFont(y, m, d);
    if (date == DayNumber()) {
        const QColor fill = ScreenColor(font.Color);
        p.fillRect(rect, fill);
        DrawDayText(rect, date, font, ScreenColor(Color()), RokuyoStyle::OnFill);
        return;
    }
    if (m != Month() || y != Year()) {
        if (!showNeighbor_) return;
        DrawDayText(rect, date, font, NeighborTextColor(font.Color), RokuyoStyle::Pale);
        return;
    }
    DrawDayText(rect, date, font, ScreenColor(font.Color), RokuyoStyle::Plain);
}

void MonthCalendar::mousePressEvent(QMouseEvent* event) {
    CalendarControl::mousePressEvent(event);
    const QPoint at = event->position().toPoint() - contentsRect().topLeft();
    int row, column;
    CellFromPoint(at.x(), at.y(), row, column);
    if (row < 1 || column < 0 || column > 6 || row >= RowCount()) return;
    const std::int32_t date = FirstCellDay() + column + (row - 1) * 7;
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(date, y, m, d);
    if (m != Month() && !neighborJump_) return;
    SetDayNumber(date);
    if (event->button() == Qt::LeftButton) emit dayClicked(Year(), Month(), Day());
}

void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    // Alt and Ctrl with a key belong to the window (page changes, menu shortcuts).
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Right:
            NextDay();
            break;
        case Qt::Key_Left:
            PrevDay();
            break;
        case Qt::Key_Up:
            SetDayNumber(DayNumber() - 7);
            break;
        case Qt::Key_Down:
            SetDayNumber(DayNumber() + 7);
            break;
        case Qt::Key_PageUp:
            PrevMonth();
            break;
        case Qt::Key_PageDown:
            NextMonth();
            break;
        default:
            CalendarControl::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace korvane
