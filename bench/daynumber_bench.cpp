#include "calendar/daynumber.h"

#include <benchmark/benchmark.h>

namespace {

using namespace korvane;

void BM_EncodeDayNumber(benchmark::State& state) {
    std::int32_t year = 1900;
    std::uint8_t month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeDayNumber(year, month, 15));
        if (++month > 12) {
            month = 1;
            if (++year > 2100) year = 1900;
        }
    }
}
BENCHMARK(BM_EncodeDayNumber);

void BM_DecodeDayNumber(benchmark::State& state) {
    std::int32_t jd = EncodeDayNumber(1900, 1, 1);
    const std::int32_t last = EncodeDayNumber(2100, 12, 31);
    std::int32_t y;
    std::uint8_t m, d;
    for (auto _ : state) {
        DecodeDayNumber(jd, y, m, d);
        benchmark::DoNotOptimize(d);
        if (++jd > last) jd = EncodeDayNumber(1900, 1, 1);
    }
}
BENCHMARK(BM_DecodeDayNumber);

// One date there and back: the goal is under 50 ns for the pair.
void BM_EncodeDecodeRoundTrip(benchmark::State& state) {
    std::int32_t year = 1900;
    std::uint8_t month = 1, day = 1;
    std::int32_t y;
    std::uint8_t m, d;
    for (auto _ : state) {
        DecodeDayNumber(EncodeDayNumber(year, month, day), y, m, d);
        benchmark::DoNotOptimize(d);
        if (++day > 28) {
            day = 1;
            if (++month > 12) {
                month = 1;
                if (++year > 2100) year = 1900;
            }
        }
    }
}
BENCHMARK(BM_EncodeDecodeRoundTrip);

void BM_LastDay(benchmark::State& state) {
    std::int32_t year = 1900;
    std::uint8_t month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LastDayOfMonth(year, month));
        if (++month > 12) {
            month = 1;
            if (++year > 2100) year = 1900;
        }
    }
}
BENCHMARK(BM_LastDay);

}  // namespace
