#pragma once

#include "app/mainsettings.h"
#include "app/siblinglink.h"
#include "calendar/monthgrid.h"
#include "print/printhost.h"

#include <QString>
#include <QStringList>

namespace korvane {

// A grid made ready as the main window's: the holiday and special-day files (a missing Hday.dat
// is said), the sibling's tab and item options and, with schedules, the period file.
void PrepareSiblingGrid(SiblingLink& link, MonthGrid& grid, bool schedules);
// The month on page 1 between its neighbours, their schedule files read when schedules.
void LoadMonthAround(SiblingLink& link, MonthGrid& grid, std::int32_t year, int month,
                     bool schedules);

// The month grid as the main window would hold it, without a window: the same settings (only
// read), sibling files and layout. The command line's agenda and printing use it.
class HeadlessCalendar : public PrintHost {
public:
    // schedules false: the schedule and period files are not read (for pages that never show them).
    HeadlessCalendar(const QString& programFolder, const QString& settingsFolder,
                     const QStringList& switches, bool schedules = true);

    // Shows a month with its neighbours loaded, as the window holds them.
    void ShowMonth(std::int32_t year, int month);
    const SiblingLink& Link() const { return link_; }
    void SetWeekStartsMonday(bool monday);

    std::int32_t ShownYear() const override { return year_; }
    int ShownMonth() const override { return month_; }
    void PreviousMonth() override;
    void NextMonth() override;
    void GoToMonth(const QString& yyyymm) override;
    bool WeekStartsMonday() const override;
    int SiblingKind() const override { return link_.SiblingKind; }
    MonthGrid& ShownGrid() override { return grid_; }
    bool RokuyoDisplay() const override { return rokuyo_; }
    void ApplyRokuyoDisplay(bool on) override { rokuyo_ = on; }

private:
    SiblingLink link_;
    KorvaneIni settings_;
    MonthGrid grid_;
    std::int32_t year_ = 0;
    int month_ = 0;
    bool rokuyo_ = false;
    bool schedules_ = true;
};

}  // namespace korvane
