// GetEasterDay, one call per iteration, the year stepping through the whole
// range of the method so every branch of the computation is taken; and the
// library's three reckonings, which it computes through, over theirs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <velmora/easter.hpp>

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

// One of the library's reckonings, inlined as a program that includes the
// header gets it.
template <auto kEaster>
void BM_Library(benchmark::State& state) {
  const auto first = static_cast<int>(state.range(0));
  const auto last = static_cast<int>(state.range(1));
  int year = first;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kEaster(std::chrono::year{year}));
    year = year == last ? first : year + 1;
  }
}

BENCHMARK(BM_Library<western_easter>)->ArgNames({"from", "to"})->Args({1583, 32767});
BENCHMARK(BM_Library<orthodox_easter>)->ArgNames({"from", "to"})->Args({1583, 32767});
BENCHMARK(BM_Library<julian_easter>)->ArgNames({"from", "to"})->Args({326, 32767});

}  // namespace
}  // namespace velmora
