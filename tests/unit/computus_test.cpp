#include "computus/bas_Computus.hpp"

#include <gtest/gtest.h>

#include "common/calendar_oracle.hpp"
#include "runtime/recording_runtime.hpp"

namespace velmora {
namespace {

using bas_Computus::GetEasterDay;
using namespace velmora::test;

class Computus : public ::testing::Test {
 protected:
  RecordingRuntime rt;
  ScopedRuntime installed{rt};
};

TEST_F(Computus, KnownDatesForAllThreeMethods) {
  struct Case {
    int method, year, day, month;
  };
  const Case cases[] = {
      {3, 2026, 5, 4},  {3, 2025, 20, 4}, {3, 2024, 31, 3}, {3, 2021, 4, 4},
      {3, 2017, 16, 4}, {3, 2000, 23, 4}, {3, 1900, 15, 4}, {3, 2100, 28, 3},
      {3, 1583, 10, 4}, {3, 4099, 19, 4}, {3, 2285, 22, 3}, {3, 2038, 25, 4},
      {3, 1818, 22, 3}, {3, 1943, 25, 4}, {3, 1981, 19, 4},  // century-table and P=28 cases
      {2, 2024, 5, 5},  {2, 2026, 12, 4}, {2, 1600, 2, 4},  {2, 1601, 22, 4},
      {2, 1700, 11, 4}, {2, 4099, 3, 5},  {1, 326, 3, 4},   {1, 2026, 30, 3},
      {1, 1582, 15, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "method " << c.method << ", year " << c.year);
    Int16 day = -1, month = -1;
    EXPECT_EQ(GetEasterDay(day, month, static_cast<Int16>(c.year), static_cast<Int16>(c.method)),
              kTrue);
    EXPECT_EQ(day, c.day);
    EXPECT_EQ(month, c.month);
  }
  EXPECT_TRUE(rt.boxes.empty());
  Int16 day = 0, month = 0;
  EXPECT_EQ(GetEasterDay(day, month, 25000, 1), kTrue);
}

TEST_F(Computus, GregorianMethodGivesTheSundayOfAnotherReckoning) {
  for (int year = 1583; year <= 4099; ++year) {
    Int16 day = 0, month = 0;
    ASSERT_EQ(GetEasterDay(day, month, static_cast<Int16>(year), 3), kTrue) << year;
    const long long jdn = JdnGregorian(year, month, day);
    ASSERT_TRUE(IsSunday(jdn)) << year;
    ASSERT_GE(jdn, JdnGregorian(year, 3, 22)) << year;
    ASSERT_LE(jdn, JdnGregorian(year, 4, 25)) << year;
    ASSERT_EQ(month * 100 + day, MeeusGregorian(year)) << year;
  }
}

TEST_F(Computus, JulianMethodGivesTheJulianSundayOfAnotherReckoning) {
  for (int year = 326; year <= 32767; ++year) {
    Int16 day = 0, month = 0;
    ASSERT_EQ(GetEasterDay(day, month, static_cast<Int16>(year), 1), kTrue) << year;
    const long long jdn = JdnJulian(year, month, day);
    ASSERT_TRUE(IsSunday(jdn)) << year;
    ASSERT_GE(jdn, JdnJulian(year, 3, 22)) << year;
    ASSERT_LE(jdn, JdnJulian(year, 4, 25)) << year;
    ASSERT_EQ(month * 100 + day, MeeusJulian(year)) << year;
  }
}

TEST_F(Computus, ConvertedMethodIsTheJulianDateInTheGregorianCalendar) {
  for (int year = 1583; year <= 4099; ++year) {
    Int16 jd = 0, jm = 0, gd = 0, gm = 0;
    ASSERT_EQ(GetEasterDay(jd, jm, static_cast<Int16>(year), 1), kTrue);
    ASSERT_EQ(GetEasterDay(gd, gm, static_cast<Int16>(year), 2), kTrue);
    const CivilDate expected = GregorianFromJdn(JdnJulian(year, jm, jd));
    ASSERT_EQ(expected.year, year);
    ASSERT_EQ(gm, expected.month) << year;
    ASSERT_EQ(gd, expected.day) << year;
    ASSERT_TRUE(gm == 4 || (gm == 5 && gd <= 22)) << year;
  }
  EXPECT_TRUE(rt.boxes.empty());
}

TEST_F(Computus, RefusalsShowTheirMessageAndLeaveZeroes) {
  const std::wstring kMethod = L"Method must be 1, 2 or 3.";
  const std::wstring kJulian = L"The original calculation applies to all years from 326 AD.";
  const std::wstring kGregorian = L"Gregorian calendar Easters apply for years 1583 to 4099 only.";
  struct Case {
    int method, year;
    const std::wstring& message;
  };
  const Case cases[] = {
      {0, 2026, kMethod},     {4, 2026, kMethod},    {0, 100, kMethod},     {4, -5, kMethod},
      {-1, 2026, kMethod},    {32767, 0, kMethod},   {1, 325, kJulian},     {1, 0, kJulian},
      {1, -1, kJulian},       {1, -32768, kJulian},  {2, 1582, kGregorian}, {2, 4100, kGregorian},
      {3, 1582, kGregorian},  {3, 4100, kGregorian}, {3, 0, kGregorian},    {3, -2026, kGregorian},
      {2, 32767, kGregorian},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "method " << c.method << ", year " << c.year);
    rt.boxes.clear();
    Int16 day = 7, month = 7;
    EXPECT_EQ(GetEasterDay(day, month, static_cast<Int16>(c.year), static_cast<Int16>(c.method)),
              kFalse);
    EXPECT_EQ(day, 0);
    EXPECT_EQ(month, 0);
    ASSERT_EQ(rt.boxes.size(), 1u);
    EXPECT_EQ(rt.boxes[0].text, c.message);
    EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kExclamation);
    EXPECT_FALSE(rt.boxes[0].title.has_value());
    EXPECT_EQ(rt.boxes[0].shown_title, L"Velmora");
  }
}

}  // namespace
}  // namespace velmora
