#include "calendar/daynumber.h"
#include "calendar/holidayrules.h"
#include "calendar/lunisolar.h"
#include "calendar/textlines.h"
#include "core/codec.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace korvane {
namespace {

// A month file as the sibling program writes it: day, colour, text, in CP932.
QByteArray monthFile(int lines) {
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("%1,$000000FF,%2:00 営業会議（第%3会議室）\r\n")
                    .arg(i % 31 + 1)
                    .arg(9 + i % 9)
                    .arg(i % 5 + 1);
    return *Cp932::encode(text);
}

void loadFile(benchmark::State& state, const QByteArray& content) {
    QTemporaryDir dir;
    QFile f(dir.filePath("Ca202612.vlm"));
    f.open(QIODevice::WriteOnly);
    f.write(content);
    f.close();
    QStringList lines;
    for (auto _ : state) {
        LoadTextLines(lines, f.fileName());
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetBytesProcessed(state.iterations() * content.size());
    state.counters["lines"] = double(lines.size());
}

void BM_LoadTextLines_MonthFile10000(benchmark::State& state) { loadFile(state, monthFile(10000)); }
BENCHMARK(BM_LoadTextLines_MonthFile10000)->Unit(benchmark::kMillisecond);

void BM_LoadTextLines_50MB(benchmark::State& state) {
    QByteArray content = monthFile(10000);
    while (content.size() < 50 * 1024 * 1024) content += content;
    content.truncate(50 * 1024 * 1024);
    loadFile(state, content);
}
BENCHMARK(BM_LoadTextLines_50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GetDayKind_1900to2100(benchmark::State& state) {
    HolidayRules rules;
    QStringList lines;
    LoadTextLines(lines, KORVANE_SHIPPED_DATA "/Hday.dat");
    rules.SetHolidayList(lines);
    const std::int32_t first = EncodeDayNumber(1900, 1, 1);
    const std::int32_t last = EncodeDayNumber(2100, 12, 31);
    std::vector<std::array<std::int32_t, 3>> days;
    for (std::int32_t jd = first; jd <= last; ++jd) {
        std::int32_t y;
        std::uint8_t m, d;
        DecodeDayNumber(jd, y, m, d);
        days.push_back({y, m, d});
    }
    for (auto _ : state) {
        unsigned sum = 0;
        for (const auto& d : days)
            sum += rules.GetDayKind(d[0], std::uint8_t(d[1]), std::uint8_t(d[2]));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(days.size()));
}
BENCHMARK(BM_GetDayKind_1900to2100)->Unit(benchmark::kMillisecond);

void BM_Rokuyo_TableRange(benchmark::State& state) {
    const std::int32_t first = LunisolarTable().front().start;
    const std::int32_t last = LunisolarTable().back().start;
    for (auto _ : state) {
        unsigned sum = 0;
        for (std::int32_t jd = first; jd <= last; ++jd) sum += RokuyoOf(jd);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_Rokuyo_TableRange)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane
