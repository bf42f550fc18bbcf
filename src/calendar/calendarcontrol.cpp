#include "calendarcontrol.h"

#include "calendar/daynumber.h"
#include "calendar/qtcolor.h"

#include <QPainter>
#include <QResizeEvent>

#include <exception>

namespace korvane {

CalendarControl::CalendarControl(QWidget* parent)
    : QFrame(parent), dayNumber_(TodayDayNumber()), rules_(this) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // The buffer covers the whole client area; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fonts_.OnChange = [this] { Refresh(); };
}

CalendarControl::~CalendarControl() { fonts_.OnChange = nullptr; }

std::int32_t CalendarControl::Year() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(dayNumber_, y, m, d);
    return y;
}

std::uint8_t CalendarControl::Month() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(dayNumber_, y, m, d);
    return m;
}

std::uint8_t CalendarControl::Day() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeDayNumber(dayNumber_, y, m, d);
    return d;
}

void CalendarControl::SetDayNumber(std::int32_t day) {
    if (day == dayNumber_) return;
    dayNumber_ = day;
    Refresh();
    DoDayChange();
}

void CalendarControl::SetYear(std::int32_t year) {
    if (IsValidDate(year, Month(), Day())) SetDayNumber(EncodeDayNumber(year, Month(), Day()));
}

void CalendarControl::SetMonth(std::uint8_t month) {
    if (IsValidDate(Year(), month, Day())) SetDayNumber(EncodeDayNumber(Year(), month, Day()));
}

void CalendarControl::SetDay(std::uint8_t day) {
    if (IsValidDate(Year(), Month(), day)) SetDayNumber(EncodeDayNumber(Year(), Month(), day));
}

void CalendarControl::NextMonth() {
    std::int32_t y = Year();
    std::uint8_t m = Month();
    if (m >= 12) {
        m = 1;
        ++y;
    } else {
        ++m;
    }
    const std::uint8_t d = std::min(Day(), DaysInMonth(y, m));
    SetDayNumber(EncodeDayNumber(y, m, d));
}

void CalendarControl::PrevMonth() {
    std::int32_t y = Year();
    std::uint8_t m = Month();
    if (m <= 1) {
        m = 12;
        --y;
    } else {
        --m;
    }
    const std::uint8_t d = std::min(Day(), DaysInMonth(y, m));
    SetDayNumber(EncodeDayNumber(y, m, d));
}

void CalendarControl::SetFonts(const CalendarFonts& fonts) { fonts_.Assign(fonts); }

RuleLineProblems CalendarControl::SetHolidayList(const QStringList& lines) {
    RuleLineProblems problems = rules_.SetHolidayList(lines);
    Refresh();
    return problems;
}

RuleLineProblems CalendarControl::SetSpecialDayList(const QStringList& lines) {
    RuleLineProblems problems = rules_.SetSpecialDayList(lines);
    Refresh();
    return problems;
}

void CalendarControl::SetColor(ColorValue color) { SetAndRefresh(color_, color); }

void CalendarControl::SetAutoEquinox(bool on) { SetAndRefresh(rules_.AutoEquinox, on); }

void CalendarControl::SetAutoFurikae(bool on) { SetAndRefresh(rules_.AutoFurikae, on); }

void CalendarControl::DrawCellGridLines(const QRect& cell) {
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    const QSize size = buffer_.size();
    if (right < size.width() - 4) canvas_->drawLine(right - 1, cell.top(), right - 1, bottom - 2);
    if (bottom < size.height() - 4) canvas_->drawLine(cell.left(), bottom - 1, right - 2, bottom - 1);
}

void CalendarControl::DoDayChange() {
    if (OnDayChange) OnDayChange(this, Year(), Month(), Day());
}

void CalendarControl::RebuildDayLists() { rules_.RebuildDayLists(); }

DayKind CalendarControl::GetDayKind(std::int32_t year, std::uint8_t month,
                                       std::uint8_t day) const {
    return rules_.BaseDayKind(year, month, day);
}

CalendarFonts::Index CalendarControl::FontIndexOf(DayKind kind, bool specialDayFont) {
    CalendarFonts::Index i = CalendarFonts::Weekday;
    if (kind & dkSaturday)
        i = CalendarFonts::Saturday;
    else if (kind & dkSunday)
        i = CalendarFonts::Sunday;
    if (kind & (dkHoliday | dkFurikae)) i = CalendarFonts::Holiday;
    if (specialDayFont && (kind & dkSpecialDay)) i = CalendarFonts::SpecialDay;
    return i;
}

const CalendarFont& CalendarControl::GetDayFont(std::int32_t year, std::uint8_t month,
                                              std::uint8_t day) const {
    return fonts_.Font(FontIndexOf(GetDayKind(year, month, day), true));
}

QString CalendarControl::GetDayNames(std::int32_t year, std::uint8_t month,
                                       std::uint8_t day) const {
    return rules_.GetDayNames(year, month, day);
}

void CalendarControl::ResolveRuleLine(const QString& line, std::int32_t year, QString& name,
                                        std::uint8_t& day, std::uint8_t& month) const {
    rules_.ResolveRuleLine(line, year, name, day, month);
}

QColor CalendarControl::ScreenColor(ColorValue color) const { return ToQColor(color, palette()); }

CalendarControl::CanvasScope::CanvasScope(CalendarControl* calendar) : calendar_(calendar) {
    if (calendar_->canvas_) return;
    const QSize size = calendar_->contentsRect().size().expandedTo(QSize(1, 1));
    if (calendar_->buffer_.size() != size)
        calendar_->buffer_ = QImage(size, QImage::Format_RGB32);
    painter_ = std::make_unique<QPainter>(&calendar_->buffer_);
    calendar_->canvas_ = painter_.get();
}

CalendarControl::CanvasScope::~CanvasScope() {
    if (!painter_) return;
    painter_->end();
    calendar_->canvas_ = nullptr;
    calendar_->update();
}

void CalendarControl::UpdateCalendar() {
    CanvasScope scope(this);
    Canvas()->fillRect(buffer_.rect(), ScreenColor(color_));
}

void CalendarControl::Refresh() {
    // Nothing may escape a redraw: a failure leaves the part drawn so far.
    try {
        UpdateCalendar();
    } catch (const std::exception&) {
    }
}

void CalendarControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), buffer_);
    drawFrame(&p);
}

void CalendarControl::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Refresh();
}

}  // namespace korvane
