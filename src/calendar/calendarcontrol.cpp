#include "calendarcontrol.h"

#include "calendar/daynumber.h"
#include "core/clock.h"
#include "core/prompt.h"
#include "core/qtcolor.h"
#include "core/scopedflag.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace korvane {
namespace {

// A clock set past the calendar's range leaves the control on the day before it; the owner
// finds out on its own reading of the date.
std::int32_t todayOr(std::int32_t fallback) {
    try {
        return TodayDayNumber();
    } catch (const DayNumberError&) {
        return fallback;
    }
}

}  // namespace

CalendarControl::CalendarControl(QWidget* parent)
    : QFrame(parent),
      dayNumber_(todayOr(EncodeDayNumber(2000, 1, 1))),
      rules_(this),
      today_(dayNumber_) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // The buffer covers the whole client area; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&fonts_, &CalendarFonts::Changed, this, &CalendarControl::Refresh);
    midnight_ = new QTimer(this);
    midnight_->setSingleShot(true);
    connect(midnight_, &QTimer::timeout, this, &CalendarControl::CheckToday);
    startMidnightTimer();
}

CalendarControl::~CalendarControl() { fonts_.disconnect(this); }

int CalendarControl::MsecsToNextDay() const {
    const QDateTime now = Clock::current().now();
    const QDateTime next(now.date().addDays(1), QTime(0, 0));
    // A second past midnight, so the new date is surely there; at least a second from now.
    return int(std::clamp<qint64>(now.msecsTo(next) + 1000, 1000, 25 * 3600 * 1000));
}

void CalendarControl::startMidnightTimer() { midnight_->start(MsecsToNextDay()); }

void CalendarControl::CheckToday() {
    const std::int32_t today = todayOr(today_);
    if (today != today_) {
        today_ = today;
        Refresh();
    }
    startMidnightTimer();
}

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
    const QSize size = buffer_.deviceIndependentSize().toSize();
    if (right < size.width() - 4) canvas_->drawLine(right - 1, cell.top(), right - 1, bottom - 2);
    if (bottom < size.height() - 4)
        canvas_->drawLine(cell.left(), bottom - 1, right - 2, bottom - 1);
}

void CalendarControl::DoDayChange() { emit dayChanged(Year(), Month(), Day()); }

void CalendarControl::RebuildDayLists() { rules_.RebuildDayLists(); }

DayKind CalendarControl::GetDayKind(std::int32_t year, std::uint8_t month, std::uint8_t day) const {
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
    // At the screen's pixel density, so 150 % and 200 % scaling stay sharp; drawing goes on in
    // the widget's own (logical) coordinates.
    const qreal ratio = calendar_->devicePixelRatioF();
    const QSize size = calendar_->contentsRect().size().expandedTo(QSize(1, 1));
    const QSize pixels = (QSizeF(size) * ratio).toSize().expandedTo(QSize(1, 1));
    QImage& buffer = calendar_->buffer_;
    if (buffer.size() != pixels || buffer.devicePixelRatio() != ratio) {
        buffer = QImage(pixels, QImage::Format_RGB32);
        buffer.setDevicePixelRatio(ratio);
    }
    painter_ = std::make_unique<QPainter>(&buffer);
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
    Canvas()->fillRect(QRect(QPoint(0, 0), buffer_.deviceIndependentSize().toSize()),
                       ScreenColor(color_));
}

void CalendarControl::Refresh() {
    // Nothing may escape a redraw: a failure leaves the part drawn so far and the control usable.
    // It is said once, after the redraw, not from inside it.
    QString failure;
    try {
        UpdateCalendar();
        return;
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("不明なエラー");
    }
    if (redrawFailureReported_) return;
    redrawFailureReported_ = true;
    QTimer::singleShot(0, this, [failure] {
        Prompt::current().message(QStringLiteral("カレンダーを描けませんでした。\r\n") + failure,
                                  QStringLiteral("確認 -Korvane-"), Prompt::Kind::Warning);
    });
}

bool CalendarControl::DeferWhileHidden() {
    if (isVisible() || drawNow_) {
        drawingOwed_ = false;
        return false;
    }
    drawingOwed_ = true;
    return true;
}

void CalendarControl::payDrawing() {
    if (!drawingOwed_) return;
    const ScopedFlag now(drawNow_);
    Refresh();
    drawingOwed_ = false;
}

const QImage& CalendarControl::Buffer() const {
    const_cast<CalendarControl*>(this)->payDrawing();
    return buffer_;
}

void CalendarControl::paintEvent(QPaintEvent*) {
    payDrawing();
    // Moved to a screen of another pixel density: draw the buffer anew at it.
    if (buffer_.devicePixelRatio() != devicePixelRatioF()) Refresh();
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), buffer_);
    drawFrame(&p);
}

void CalendarControl::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    Refresh();
}

}  // namespace korvane
