// Settings files at the sizes that were slow: a stored list of 3,000 lines cut to one, and a
// 3 MB Korvane.ini read at start.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/mainsettings.h"
#include "settings/inifile.h"
#include "settings/settingsstore.h"

namespace {

using namespace korvane;

void ShrinkAStoredList(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Printers.ini"));
    SettingsStore store;
    store.RegType = rtIni;
    store.IniFileName = path;
    store.RegItems.Add(
        {QStringLiteral("btnC0"), QStringLiteral("Printer"), QStringLiteral("btnC0"), {}});
    QStringList many;
    for (int i = 0; i < int(state.range(0)); ++i) many << QStringLiteral("項目%1").arg(i);
    for (auto _ : state) {
        state.PauseTiming();
        store.Items(QStringLiteral("btnC0")).WriteStrings(many);
        state.ResumeTiming();
        store.Items(QStringLiteral("btnC0")).WriteStrings({QStringLiteral("一つ")});
    }
}
BENCHMARK(ShrinkAStoredList)->Arg(3000)->Unit(benchmark::kMillisecond);

void ReadALargeKorvaneIni(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Korvane.ini"));
    QByteArray bytes = "[Settei]\r\ncb24ji=1\r\n[Filler]\r\n";
    while (bytes.size() < 3 * 1024 * 1024)
        bytes += "k" + QByteArray::number(bytes.size()) + "=value\r\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    for (auto _ : state) {
        KorvaneIni k;
        k.Read(IniFile(path));
        benchmark::DoNotOptimize(k);
    }
}
BENCHMARK(ReadALargeKorvaneIni)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
