// Number reading: the texts the year list and the command line hand to it.
#include <benchmark/benchmark.h>

#include <string>

#include "runtime/text.hpp"

namespace velmora {
namespace {

void ReadNumber(benchmark::State& state, const std::wstring& text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Val16(text));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size() * sizeof(wchar_t)));
}

// A long text read to its end: blanks between the digits and a fraction
// whose last digit decides the rounding.
std::wstring LongText() {
  std::wstring text(1000, L' ');
  text += L"2 0 2 4.5";
  text += std::wstring(4000, L'0');
  text += L"1";
  return text;
}

BENCHMARK_CAPTURE(ReadNumber, year, std::wstring(L"2026"));
BENCHMARK_CAPTURE(ReadNumber, blanks_and_tie, std::wstring(L"  2024.5"));
BENCHMARK_CAPTURE(ReadNumber, negative, std::wstring(L"-32768"));
BENCHMARK_CAPTURE(ReadNumber, long_text_5k, LongText());

}  // namespace
}  // namespace velmora
