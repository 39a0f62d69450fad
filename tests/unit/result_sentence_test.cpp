#include "sentence/result_sentence.hpp"

#include <gtest/gtest.h>

#include "computus/bas_Computus.hpp"
#include "runtime/recording_runtime.hpp"

namespace velmora {
namespace {

TEST(ResultSentence, ReadsAsTheProgramStatesIt) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  struct Case {
    Int16 year;
    const wchar_t* sentence;
  };
  const Case cases[] = {
      {2026, L"In the year 2026, Easter holiday occurs in day 5, month 4."},
      {2024, L"In the year 2024, Easter holiday occurs in day 31, month 3."},
      {2025, L"In the year 2025, Easter holiday occurs in day 20, month 4."},
      {2038, L"In the year 2038, Easter holiday occurs in day 25, month 4."},
      {1900, L"In the year 1900, Easter holiday occurs in day 15, month 4."},
      {2100, L"In the year 2100, Easter holiday occurs in day 28, month 3."},
  };
  for (const auto& c : cases) {
    Int16 day = 0, month = 0;
    ASSERT_EQ(bas_Computus::GetEasterDay(day, month, c.year, 3), kTrue);
    EXPECT_EQ(ResultSentence(c.year, day, month), c.sentence);
  }
}

}  // namespace
}  // namespace velmora
