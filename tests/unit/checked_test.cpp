#include "runtime/checked.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "runtime/errors.hpp"

namespace velmora {
namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

TEST(Checked, ResultsAtTheEdgesOfTheRange) {
  EXPECT_EQ(Add16(32766, 1), 32767);
  EXPECT_EQ(Add16(-32767, -1), -32768);
  EXPECT_EQ(Sub16(-32767, 1), -32768);
  EXPECT_EQ(Sub16(0, 32767), -32767);
  EXPECT_EQ(Mul16(-128, 256), -32768);
  EXPECT_EQ(Mul16(181, 181), 32761);
  EXPECT_EQ(Narrow16(-32768), -32768);
  EXPECT_EQ(Narrow16(32767), 32767);
}

TEST(Checked, EveryWayOutOfTheRangeRaisesOverflow) {
  const std::vector<std::function<void()>> cases = {
      [] { Add16(32767, 1); },   [] { Add16(-32768, -1); },   [] { Sub16(-32768, 1); },
      [] { Sub16(0, -32768); },  // negating the minimum
      [] { Mul16(-32768, -1); }, [] { Mul16(182, 181); },     [] { Narrow16(32768); },
      [] { Narrow16(-32769); },  [] { Narrow16(1LL << 40); },
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(ErrorOf(cases[i]), kErrOverflow) << "case " << i;
  }
}

TEST(Checked, ErrorsCarryTheirStandardDescriptions) {
  EXPECT_EQ(RuntimeError(6).Description(), L"Overflow");
  EXPECT_EQ(RuntimeError(380).Description(), L"Invalid property value");
  EXPECT_STREQ(RuntimeError(380).what(), "error 380: Invalid property value");
  EXPECT_EQ(ErrorOf([] { RaiseError(kErrInvalidPropertyValue); }), 380);
}

}  // namespace
}  // namespace velmora
