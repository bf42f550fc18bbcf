#include "headlesscalendar.h"

#include "core/prompt.h"
#include "core/scopedflag.h"
#include "settings/inifile.h"

namespace korvane {

HeadlessCalendar::HeadlessCalendar(const QString& programFolder, const QString& settingsFolder,
                                   const QStringList& switches, bool schedules)
    : link_(programFolder), schedules_(schedules) {
    link_.LoadOptions(settingsFolder + QStringLiteral("Printers.ini"));
    link_.Resolve(switches);
    settings_.Read(IniFile(settingsFolder + QString::fromLatin1(KorvaneIni::kFileName)));
    rokuyo_ = settings_.Settei.visRokuyou;
    const ScopedFlag suspended(grid_.Suspended);
    ApplyMainWindowLayout(grid_, false);
    PrepareSiblingGrid(link_, grid_, schedules_);
    grid_.SetFirstDayOfWeek(settings_.Settei.rgStYoubi == 1 ? dowMon : dowSun);
}

void PrepareSiblingGrid(SiblingLink& link, MonthGrid& grid, bool schedules) {
    // A calendar without holidays looks right at a glance: it must not pass unnoticed.
    if (!link.LoadRuleFiles(grid))
        Prompt::current().message(
            QStringLiteral("祝日ファイル %1Hday.dat がありません。祝日なしで続けます。")
                .arg(link.StartFolderPath),
            QStringLiteral("確認 -Korvane-"), Prompt::Kind::Warning);
    grid.SetTabMojiSuu(std::uint8_t(link.TabMojiSuu));
    grid.SetTabChousei(std::uint8_t(link.TabChousei));
    grid.SetUeTume(link.Options.cbUetume);
    grid.ItemColor = link.ItemColor;
    if (schedules) link.LoadPeriodFile(grid.PeriodList());
}

void LoadMonthAround(SiblingLink& link, MonthGrid& grid, std::int32_t year, int month,
                     bool schedules) {
    MonthGrid::NormalizeMonth(year, month);
    const ScopedFlag suspended(grid.Suspended);
    // The shown month on page 1 between its neighbours.
    for (int i = 0; i < 3; ++i) {
        MonthPage& page = grid.MonthPages()[std::size_t(i)];
        page = MonthPage();
        std::int32_t y = year;
        int m = month + i - 1;
        MonthGrid::NormalizeMonth(y, m);
        if (y < 1 || y > 9999) continue;
        if (schedules) {
            link.LoadMonthSlot(page, y, m);
        } else {
            page.Year = y;
            page.Month = m;
        }
    }
    grid.CurrentPage() = 1;
    grid.GoToDate(year, month, 1);
}

void HeadlessCalendar::ShowMonth(std::int32_t year, int month) {
    MonthGrid::NormalizeMonth(year, month);
    LoadMonthAround(link_, grid_, year, month, schedules_);
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
