#include "calendar/julius.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

void BM_EncodeJulius(benchmark::State& state) {
    std::int32_t year = 1900;
    std::uint8_t month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeJulius(year, month, 15));
        if (++month > 12) {
            month = 1;
            if (++year > 2100) year = 1900;
        }
    }
}
BENCHMARK(BM_EncodeJulius);

void BM_DecodeJulius(benchmark::State& state) {
    std::int32_t jd = EncodeJulius(1900, 1, 1);
    const std::int32_t last = EncodeJulius(2100, 12, 31);
    std::int32_t y;
    std::uint8_t m, d;
    for (auto _ : state) {
        DecodeJulius(jd, y, m, d);
        benchmark::DoNotOptimize(d);
        if (++jd > last) jd = EncodeJulius(1900, 1, 1);
    }
}
BENCHMARK(BM_DecodeJulius);

void BM_LastDay(benchmark::State& state) {
    std::int32_t year = 1900;
    std::uint8_t month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JuliusLastDay(year, month));
        if (++month > 12) {
            month = 1;
            if (++year > 2100) year = 1900;
        }
    }
}
BENCHMARK(BM_LastDay);

}  // namespace
