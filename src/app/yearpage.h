#pragma once

#include "calendar/daynumber.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace korvane {

class CalendarControl;
class MiniCalendar;

// The year page: twelve mini calendars from a first month, the year controls and the display
// mode (標準 from January, 年度 from April, 特別 from a month of the user's choice).
class YearPage : public QWidget {
    Q_OBJECT

public:
    explicit YearPage(QWidget* parent = nullptr);

    // The current year and month the page's own year is reckoned from.
    void SetCurrentMonth(std::int32_t year, int month);
    void LayOutYear(std::int32_t year, int firstMonth);
    // rgYFirstMonth and btnTokubetu: a changed first month lays the page out again.
    void YearModeClicked();
    // A click on a day: asks, then hands the month to MonthChosen.
    void MiniCalendarClicked(CalendarControl* calendar);
    // The year for the mode into udYear (at start, after the settings).
    void ShowYearOfMode();

    int Mode() const;  // 0 標準, 1 年度, 2 特別
    void SetMode(int mode);
    int SpecialFirstMonth() const;
    void SetSpecialFirstMonth(int month);
    int YearFirstMonth() const { return yearFirstMonth_; }
    void SetFirstDayOfWeek(Weekday day);
    // The same holiday rules in every calendar; false when a line was bad.
    bool SetHolidayList(const QStringList& lines);
    MiniCalendar* Mini(int tag) const { return minis_[std::size_t(tag - 1)]; }

    // The window takes the month page's size and this page is laid out within it when shown:
    // a start does not measure every caption of a page nobody sees yet.
    QSize sizeHint() const override { return {}; }
    QSize minimumSizeHint() const override { return {}; }

signals:
    // A day was clicked and the user chose to see its month.
    void MonthChosen(std::int32_t year, int month);

private:
    void updateModeControls();
    std::int32_t yearOfMode(int mode) const;

    std::int32_t currentYear_ = 0;
    int currentMonth_ = 1;
    int yearFirstMonth_ = 0;
    std::array<MiniCalendar*, 12> minis_{};
    std::array<QLabel*, 12> monthLabels_{};
    QLabel* lblYM_ = nullptr;
    QSpinBox* udYear_ = nullptr;
    QPushButton* btnApplyYear_ = nullptr;
    std::array<QRadioButton*, 3> rgYFirstMonth_{};
    QSpinBox* spHajimariTuki_ = nullptr;
    QPushButton* btnTokubetu_ = nullptr;
    QLabel* lblTokubetu_ = nullptr;
};

}  // namespace korvane
