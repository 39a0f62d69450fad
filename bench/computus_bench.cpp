// GetEasterDay, one call per iteration, the year stepping through the whole
// range of the method so every branch of the computation is taken.
#include <benchmark/benchmark.h>

#include "computus/bas_Computus.hpp"
#include "runtime/recording_runtime.hpp"

namespace velmora {
namespace {

void BM_GetEasterDay(benchmark::State& state) {
  const auto method = static_cast<Int16>(state.range(0));
  const auto first = static_cast<Int16>(state.range(1));
  const auto last = static_cast<Int16>(state.range(2));
  // Valid years never show a box, but the runtime must be there.
  RecordingRuntime rt;
  ScopedRuntime installed(rt);

  Int16 year = first;
  for (auto _ : state) {
    Int16 day, month;
    benchmark::DoNotOptimize(bas_Computus::GetEasterDay(day, month, year, method));
    benchmark::DoNotOptimize(day);
    benchmark::DoNotOptimize(month);
    year = year == last ? first : static_cast<Int16>(year + 1);
  }
  if (!rt.boxes.empty()) state.SkipWithError("a valid year was refused");
}

BENCHMARK(BM_GetEasterDay)
    ->ArgNames({"method", "from", "to"})
    ->Args({bas_Computus::kMethodJulian, 326, 32767})
    ->Args({bas_Computus::kMethodJulianInGregorian, 1583, 4099})
    ->Args({bas_Computus::kMethodGregorian, 1583, 4099});

}  // namespace
}  // namespace velmora
