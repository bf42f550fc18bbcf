#include "customcalendarex.h"

#include "calendar/julius.h"
#include "calendar/qtcolor.h"

#include <QPainter>
#include <QResizeEvent>

#include <exception>

namespace korvane {

TCustomCalendarEx::TCustomCalendarEx(QWidget* parent)
    : QFrame(parent), julius_(JuliusToday()), rules_(this) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // The buffer covers the whole client area; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fonts_.OnChange = [this] { Refresh(); };
}

TCustomCalendarEx::~TCustomCalendarEx() { fonts_.OnChange = nullptr; }

std::int32_t TCustomCalendarEx::Year() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeJulius(julius_, y, m, d);
    return y;
}

std::uint8_t TCustomCalendarEx::Month() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeJulius(julius_, y, m, d);
    return m;
}

std::uint8_t TCustomCalendarEx::Day() const {
    std::int32_t y;
    std::uint8_t m, d;
    DecodeJulius(julius_, y, m, d);
    return d;
}

void TCustomCalendarEx::SetJuliusDay(std::int32_t day) {
    if (day == julius_) return;
    julius_ = day;
    Refresh();
    DoDayChange();
}

void TCustomCalendarEx::SetYear(std::int32_t year) {
    if (JuliusIsValidDate(year, Month(), Day())) SetJuliusDay(EncodeJulius(year, Month(), Day()));
}

void TCustomCalendarEx::SetMonth(std::uint8_t month) {
    if (JuliusIsValidDate(Year(), month, Day())) SetJuliusDay(EncodeJulius(Year(), month, Day()));
}

void TCustomCalendarEx::SetDay(std::uint8_t day) {
    if (JuliusIsValidDate(Year(), Month(), day)) SetJuliusDay(EncodeJulius(Year(), Month(), day));
}

void TCustomCalendarEx::NextMonth() {
    std::int32_t y = Year();
    std::uint8_t m = Month();
    if (m >= 12) {
        m = 1;
        ++y;
    } else {
        ++m;
    }
    const std::uint8_t d = std::min(Day(), JuliusDaysInMonth(y, m));
    SetJuliusDay(EncodeJulius(y, m, d));
}

void TCustomCalendarEx::PrevMonth() {
    std::int32_t y = Year();
    std::uint8_t m = Month();
    if (m <= 1) {
        m = 12;
        --y;
    } else {
        --m;
    }
    const std::uint8_t d = std::min(Day(), JuliusDaysInMonth(y, m));
    SetJuliusDay(EncodeJulius(y, m, d));
}

void TCustomCalendarEx::SetFonts(const TCalExFonts& fonts) { fonts_.Assign(fonts); }

void TCustomCalendarEx::SetHolidayList(const QStringList& lines) {
    std::exception_ptr failure;
    try {
        rules_.SetHolidayList(lines);
    } catch (...) {
        failure = std::current_exception();
    }
    Refresh();
    if (failure) std::rethrow_exception(failure);
}

void TCustomCalendarEx::SetSpecialDayList(const QStringList& lines) {
    std::exception_ptr failure;
    try {
        rules_.SetSpecialDayList(lines);
    } catch (...) {
        failure = std::current_exception();
    }
    Refresh();
    if (failure) std::rethrow_exception(failure);
}

void TCustomCalendarEx::SetColor(TColor color) { SetAndRefresh(color_, color); }

void TCustomCalendarEx::SetAutoEquinox(bool on) { SetAndRefresh(rules_.AutoEquinox, on); }

void TCustomCalendarEx::SetAutoFurikae(bool on) { SetAndRefresh(rules_.AutoFurikae, on); }

void TCustomCalendarEx::DrawCellGridLines(const QRect& cell) {
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    const QSize size = buffer_.size();
    if (right < size.width() - 4) canvas_->drawLine(right - 1, cell.top(), right - 1, bottom - 2);
    if (bottom < size.height() - 4) canvas_->drawLine(cell.left(), bottom - 1, right - 2, bottom - 1);
}

void TCustomCalendarEx::DoDayChange() {
    if (OnDayChange) OnDayChange(this, Year(), Month(), Day());
}

void TCustomCalendarEx::RebuildDayLists() { rules_.RebuildDayLists(); }

TDayKind TCustomCalendarEx::GetDayKind(std::int32_t year, std::uint8_t month,
                                       std::uint8_t day) const {
    return rules_.BaseDayKind(year, month, day);
}

TCalExFonts::Index TCustomCalendarEx::FontIndexOf(TDayKind kind, bool specialDayFont) {
    TCalExFonts::Index i = TCalExFonts::Weekday;
    if (kind & dkSaturday)
        i = TCalExFonts::Saturday;
    else if (kind & dkSunday)
        i = TCalExFonts::Sunday;
    if (kind & (dkHoliday | dkFurikae)) i = TCalExFonts::Holiday;
    if (specialDayFont && (kind & dkSpecialDay)) i = TCalExFonts::SpecialDay;
    return i;
}

const TCalFont& TCustomCalendarEx::GetDayFont(std::int32_t year, std::uint8_t month,
                                              std::uint8_t day) const {
    return fonts_.Font(FontIndexOf(GetDayKind(year, month, day), true));
}

QString TCustomCalendarEx::GetDayNames(std::int32_t year, std::uint8_t month,
                                       std::uint8_t day) const {
    return rules_.GetDayNames(year, month, day);
}

void TCustomCalendarEx::ResolveRuleLine(const QString& line, std::int32_t year, QString& name,
                                        std::uint8_t& day, std::uint8_t& month) const {
    rules_.ResolveRuleLine(line, year, name, day, month);
}

QColor TCustomCalendarEx::ScreenColor(TColor color) const { return ToQColor(color, palette()); }

TCustomCalendarEx::CanvasScope::CanvasScope(TCustomCalendarEx* calendar) : calendar_(calendar) {
    if (calendar_->canvas_) return;
    const QSize size = calendar_->contentsRect().size().expandedTo(QSize(1, 1));
    if (calendar_->buffer_.size() != size)
        calendar_->buffer_ = QImage(size, QImage::Format_RGB32);
    painter_ = std::make_unique<QPainter>(&calendar_->buffer_);
    calendar_->canvas_ = painter_.get();
}

TCustomCalendarEx::CanvasScope::~CanvasScope() {
    if (!painter_) return;
    painter_->end();
    calendar_->canvas_ = nullptr;
    calendar_->update();
}

void TCustomCalendarEx::UpdateCalendar() {
    CanvasScope scope(this);
    Canvas()->fillRect(buffer_.rect(), ScreenColor(color_));
}

void TCustomCalendarEx::Refresh() {
    // Nothing may escape a redraw: a failure leaves the part drawn so far.
    try {
        UpdateCalendar();
    } catch (const std::exception&) {
    }
}

void TCustomCalendarEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), buffer_);
    drawFrame(&p);
}

void TCustomCalendarEx::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Refresh();
}

}  // namespace korvane
