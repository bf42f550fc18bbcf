#pragma once

#include "calendar/calendarfonts.h"
#include "calendar/daykind.h"
#include "calendar/holidayrules.h"
#include "core/colortext.h"

#include <QFrame>
#include <QImage>
#include <QStringList>

#include <cstdint>
#include <memory>

class QPainter;
class QTimer;

namespace korvane {

// The base of every calendar view: one current day, the holiday and special-day rules, seven
// fonts and an off-screen buffer that paint copies to the screen.
class CalendarControl : public QFrame {
    Q_OBJECT

public:
    explicit CalendarControl(QWidget* parent = nullptr);
    ~CalendarControl() override;

    std::int32_t DayNumber() const { return dayNumber_; }
    void SetDayNumber(std::int32_t day);
    std::int32_t Year() const;
    std::uint8_t Month() const;
    std::uint8_t Day() const;
    // Invalid combinations are ignored; a date in the 1582 gap raises DayNumberError.
    void SetYear(std::int32_t year);
    void SetMonth(std::uint8_t month);
    void SetDay(std::uint8_t day);

    CalendarFonts& Fonts() { return fonts_; }
    const CalendarFonts& Fonts() const { return fonts_; }
    void SetFonts(const CalendarFonts& fonts);

    const QStringList& HolidayList() const { return rules_.HolidayList(); }
    const QStringList& SpecialDayList() const { return rules_.SpecialDayList(); }
    // A bad rule line is left out, the rest is read and drawn; the answer lists what was left out.
    RuleLineProblems SetHolidayList(const QStringList& lines);
    RuleLineProblems SetSpecialDayList(const QStringList& lines);

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);
    bool AutoEquinox() const { return rules_.AutoEquinox; }
    void SetAutoEquinox(bool on);
    bool AutoFurikae() const { return rules_.AutoFurikae; }
    void SetAutoFurikae(bool on);

    // Today's day number; it moves on by itself at midnight (CheckToday).
    std::int32_t Today() const { return today_; }
    // Takes today from the clock and redraws when it has changed; the midnight timer calls it.
    void CheckToday();
    // Milliseconds until the timer looks at the date again (just after the next midnight).
    int MsecsToNextDay() const;

    void NextDay() { SetDayNumber(dayNumber_ + 1); }
    void PrevDay() { SetDayNumber(dayNumber_ - 1); }
    void NextMonth();
    void PrevMonth();

    virtual void UpdateCalendar();
    virtual void DoDayChange();
    virtual void RebuildDayLists();
    virtual DayKind GetDayKind(std::int32_t year, std::uint8_t month, std::uint8_t day) const;
    virtual const CalendarFont& GetDayFont(std::int32_t year, std::uint8_t month,
                                           std::uint8_t day) const;
    virtual QString GetDayNames(std::int32_t year, std::uint8_t month, std::uint8_t day) const;
    virtual void ResolveRuleLine(const QString& line, std::int32_t year, QString& name,
                                 std::uint8_t& day, std::uint8_t& month) const;

    // The names of a day with one letter each, "S" special day or "H" holiday.
    QStringList DayNameList(std::int32_t year, std::uint8_t month, std::uint8_t day,
                            QString* kinds = nullptr) const {
        return rules_.DayNameList(year, month, day, kinds);
    }

    // The buffer as last drawn (tests and picture output read it). It has the screen's device
    // pixel ratio, so its pixel size is the widget's size times that ratio.
    // The drawn picture (drawn now when its drawing was put off while hidden).
    const QImage& Buffer() const;
    // A colour of this calendar as the screen shows it (system colours through the palette).
    QColor ScreenColor(ColorValue color) const;

protected:
    // Weekday, then Saturday or Sunday, then Holiday for holidays and substitutes, then (when
    // asked) SpecialDay: the last rule that applies wins.
    static CalendarFonts::Index FontIndexOf(DayKind kind, bool specialDayFont);

    // Opens the painter on the buffer for the length of a redraw (the outermost scope owns it)
    // and schedules a repaint when it closes. Every UpdateCalendar begins with one, so a redraw
    // asked for from outside works as well as one from Refresh.
    class CanvasScope {
    public:
        explicit CanvasScope(CalendarControl* calendar);
        ~CanvasScope();
        CanvasScope(const CanvasScope&) = delete;
        CanvasScope& operator=(const CanvasScope&) = delete;

    private:
        CalendarControl* calendar_;
        std::unique_ptr<QPainter> painter_;
    };

    // Valid inside a CanvasScope.
    QPainter* Canvas() const { return canvas_; }
    // Redraws the buffer and schedules a repaint.
    void Refresh();
    // For controls that put their drawing off while not on screen: true, and the drawing marked
    // as owed, when the control is hidden; the owed drawing is done when it is painted or its
    // picture is asked for.
    bool DeferWhileHidden();
    // A property setter: stores a changed value and redraws.
    template <typename T>
    void SetAndRefresh(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Refresh();
    }
    // The ruled lines of a cell (exclusive right and bottom edges), none on the control's outer
    // sides; a line to (x, y) stops short of its end point.
    void DrawCellGridLines(const QRect& cell);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

signals:
    // The current day changed (by a click, a key or a setter).
    void dayChanged(std::int32_t year, int month, int day);
    // A click on a day of the shown month, also on the selected one (keys do not send it).
    void dayClicked(std::int32_t year, int month, int day);

private:
    void startMidnightTimer();

    // The rules call back into the calendar so that an override of GetDayKind also decides
    // whether the Sunday before a Monday was a holiday.
    class Rules : public HolidayRules {
    public:
        explicit Rules(const CalendarControl* owner) : owner_(owner) {}
        DayKind GetDayKind(std::int32_t y, std::uint8_t m, std::uint8_t d) const override {
            return owner_->GetDayKind(y, m, d);
        }
        DayKind BaseDayKind(std::int32_t y, std::uint8_t m, std::uint8_t d) const {
            return HolidayRules::GetDayKind(y, m, d);
        }

    private:
        const CalendarControl* owner_;
    };

    std::int32_t dayNumber_;
    ColorValue color_ = clWindow;
    CalendarFonts fonts_;
    Rules rules_;
    QImage buffer_;
    QPainter* canvas_ = nullptr;
    bool drawingOwed_ = false;
    bool drawNow_ = false;
    void payDrawing();
    std::int32_t today_;
    QTimer* midnight_ = nullptr;
    bool redrawFailureReported_ = false;
};

}  // namespace korvane
