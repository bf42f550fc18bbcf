// Start-up time as a user meets it: from the start of the process to the first paint of the month
// page (with the shipped sample data), beside a minimal Qt window showing one Japanese label, each
// measured as a whole new process, alternately, in the same run.
//
//   startup_bench [RUNS]     RUNS starts of each (default 15); prints the medians and the ratio
//
// The Korvane child is this program again ("--probe T0"); the minimal one is startup_minimal
// beside it, a program that links Qt Widgets alone. Each prints the milliseconds from T0, the
// parent's monotonic clock just before it started the child, to its first paint. Without a
// display the offscreen platform is used for both.
#include "app/mainwindow.h"
#include "calendar/monthgrid.h"
#include "core/fonts.h"
#include "firstpaint.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int probe(int argc, char** argv, double t0) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QTemporaryDir settings;  // a new user's start: no settings yet
    const QString program = QDir(QApplication::applicationDirPath()).absolutePath() + u'/';
    korvane::SetApplicationFont();
    korvane::MainWindow window({program, settings.path() + u'/'}, {});
    window.ShowInfoHook = [] { return false; };  // the reminder comes after the first paint
    FirstPaint watch(window.Grid(), t0);
    window.show();
    return app.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--probe")
        return probe(argc, argv, QByteArray(argv[2]).toDouble());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const QString self = QString::fromLocal8Bit(argv[0]);
    const QString minimalProgram =
        QFileInfo(self).absolutePath() + QStringLiteral("/startup_minimal");
    std::vector<double> times[2];
    const char* names[2] = {"minimal", "korvane"};
    for (int r = 0; r < runs + 1; ++r) {
        for (int k = 0; k < 2; ++k) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            const double t0 = nowMs();
            const QString stamp = QString::number(t0, 'f', 3);
            if (k == 0)
                child.start(minimalProgram, {stamp});
            else
                child.start(self, {QStringLiteral("--probe"), stamp});
            if (!child.waitForFinished(60000) || child.exitCode() != 0) {
                std::fprintf(stderr, "startup_bench: the %s start failed\n", names[k]);
                return 1;
            }
            const double ms = child.readAllStandardOutput().trimmed().toDouble();
            if (r > 0) times[k].push_back(ms);  // the first round warms the caches
        }
    }
    const double minimal = median(times[0]);
    const double korvane = median(times[1]);
    std::printf(
        "first paint, median of %d starts: minimal Qt window %.1f ms, Korvane month page "
        "%.1f ms (%.2f x)\n",
        runs, minimal, korvane, korvane / minimal);
    return 0;
}
