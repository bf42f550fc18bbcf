#include "headlesscalendar.h"

#include "core/scopedflag.h"
#include "settings/inifile.h"

namespace korvane {

HeadlessCalendar::HeadlessCalendar(const QString& programFolder, const QString& settingsFolder,
                                   const QStringList& switches)
    : link_(programFolder) {
    link_.LoadOptions(settingsFolder + QStringLiteral("Printers.ini"));
    link_.Resolve(switches);
    settings_.Read(IniFile(settingsFolder + QString::fromLatin1(KorvaneIni::kFileName)));
    rokuyo_ = settings_.Settei.visRokuyou;
    const ScopedFlag suspended(grid_.Suspended);
    ApplyMainWindowLayout(grid_, false);
    link_.LoadRuleFiles(grid_);
    grid_.SetTabMojiSuu(std::uint8_t(link_.TabMojiSuu));
    grid_.SetTabChousei(std::uint8_t(link_.TabChousei));
    grid_.SetUeTume(link_.Options.cbUetume);
    grid_.SetFirstDayOfWeek(settings_.Settei.rgStYoubi == 1 ? dowMon : dowSun);
    grid_.ItemColor = link_.ItemColor;
    link_.LoadPeriodFile(grid_.PeriodList());
}

void HeadlessCalendar::ShowMonth(std::int32_t year, int month) {
    MonthGrid::NormalizeMonth(year, month);
    const ScopedFlag suspended(grid_.Suspended);
    // The shown month on page 1 between its neighbours.
    for (int i = 0; i < 3; ++i) {
        MonthPage& page = grid_.MonthPages()[std::size_t(i)];
        page = MonthPage();
        std::int32_t y = year;
        int m = month + i - 1;
        MonthGrid::NormalizeMonth(y, m);
        if (y >= 1 && y <= 9999) link_.LoadMonthSlot(page, y, m);
    }
    grid_.CurrentPage() = 1;
    grid_.GoToDate(year, month, 1);
    year_ = year;
    month_ = month;
}

void HeadlessCalendar::SetWeekStartsMonday(bool monday) {
    grid_.SetFirstDayOfWeek(monday ? dowMon : dowSun);
    if (month_ != 0) ShowMonth(year_, month_);
}

void HeadlessCalendar::PreviousMonth() { ShowMonth(year_, month_ - 1); }
void HeadlessCalendar::NextMonth() { ShowMonth(year_, month_ + 1); }

void HeadlessCalendar::GoToMonth(const QString& yyyymm) {
    bool yearOk = false, monthOk = false;
    const int y = yyyymm.left(4).toInt(&yearOk);
    const int m = yyyymm.mid(4, 2).toInt(&monthOk);
    // The month already shown keeps its pages as they are.
    if (y == year_ && m == month_) return;
    if (yyyymm.size() == 6 && yearOk && monthOk && m >= 1 && m <= 12) ShowMonth(y, m);
}

bool HeadlessCalendar::WeekStartsMonday() const { return grid_.FirstDayOfWeek() == dowMon; }

}  // namespace korvane
