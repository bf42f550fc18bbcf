// Redraw and layout speed of the month grid, with a busy month at the main window's size. The
// grid is shown, so that a redraw paints (a hidden grid defers its drawing); the run repeats itself
// in a child process at 200 % scaling, which doubles the pixels painted.
#include "calendar/daynumber.h"
#include "calendar/monthgrid.h"

#include <QApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

void configure(MonthGrid& grid) {
    ApplyMainWindowLayout(grid, false);
    grid.SetShowRokuyo(true);
}

// 200 day items over the shown month and its neighbours, 30 periods.
void fill(MonthGrid& grid) {
    grid.Suspended = true;
    grid.SetHolidayList({"1,1,元日", "11,3,文化の日", "11,23,勤労感謝の日"});
    grid.SetSpecialDayList({"12,24,記念日"});
    for (int i = 0; i < 5; ++i) {
        const int month = 10 + i;
        grid.MonthPages()[std::size_t(i)].Year = month > 12 ? 2027 : 2026;
        grid.MonthPages()[std::size_t(i)].Month = month > 12 ? month - 12 : month;
    }
    grid.CurrentPage() = 2;
    for (int i = 0; i < 200; ++i) {
        const int page = 1 + i % 3;
        grid.MonthPages()[std::size_t(page)].Lines
            << QStringLiteral("%1,,,<B>予定</B>%2\t会議室,clRed,x").arg(i % 28 + 1).arg(i);
    }
    for (int i = 0; i < 30; ++i)
        grid.PeriodList() << QStringLiteral("2026,12,%1,M,2026,12,%2,A,,12,%1,1,clBlue,期間%3")
                                 .arg(i % 25 + 1)
                                 .arg(i % 25 + 4)
                                 .arg(i);
    grid.SetDayNumber(EncodeDayNumber(2026, 12, 15));
    grid.Suspended = false;
}

QString scaleLabel() { return QStringLiteral("%1 %").arg(qRound(qApp->devicePixelRatio() * 100)); }

// A redraw as the user sees it: the items laid out, the picture drawn and put on screen.
void BM_UpdateCalendar_BusyMonth(benchmark::State& state) {
    MonthGrid grid;
    configure(grid);
    fill(grid);
    grid.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        grid.UpdateCalendar();
        grid.repaint();
    }
    state.SetLabel(scaleLabel().toStdString());
}
BENCHMARK(BM_UpdateCalendar_BusyMonth)->Unit(benchmark::kMillisecond);

void BM_LayoutItems_200Items30Periods(benchmark::State& state) {
    MonthGrid grid;
    configure(grid);
    fill(grid);
    for (auto _ : state) grid.LayoutItems(4, false);
}
BENCHMARK(BM_LayoutItems_200Items30Periods)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool child = qEnvironmentVariableIsSet("KORVANE_GRID_BENCH_CHILD");
    if (!child) qputenv("QT_SCALE_FACTOR", "1");
    int status = 0;
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        if (child) return 0;
        // The same again at 200 %, in a process of its own: the scale is fixed at start.
        QProcess again;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        env.insert(QStringLiteral("KORVANE_GRID_BENCH_CHILD"), QStringLiteral("1"));
        again.setProcessEnvironment(env);
        again.setProcessChannelMode(QProcess::ForwardedChannels);
        again.start(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
        if (!again.waitForFinished(-1) || again.exitCode() != 0) status = 1;
    }
    return status;
}
