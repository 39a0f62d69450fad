#include "computus/bas_Computus.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <velmora/easter.hpp>

#include "common/calendar_oracle.hpp"
#include "runtime/recording_runtime.hpp"

namespace velmora {
namespace {

using bas_Computus::GetEasterDay;
using namespace velmora::test;
using namespace std::chrono;

// The library's edges, each the other reckoning's date (Meeus), computed as
// this file compiles, where undefined behaviour would not compile.
static_assert(western_easter(1583y) == 1583y / April / 10);
static_assert(western_easter(year::max()) == 32767y / April / 2);
static_assert(orthodox_easter(1583y) == 1583y / April / 10);
static_assert(orthodox_easter(year::max()) == 32767y / December / 10);
static_assert(julian_easter(326y) == julian_date{326y, April, 3d});
static_assert(julian_easter(year::max()) == julian_date{32767y, April, 10d});
static_assert(year_month_day{sys_days{*julian_easter(2026y)}} == orthodox_easter(2026y));

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

// Each reckoning of the library over its whole range, against another
// reckoning and day numbers, and GetEasterDay's method over its own.
TEST_F(Computus, GregorianReckoningGivesTheSundayOfAnotherReckoning) {
  for (int y = 1583; y <= 32767; ++y) {
    const auto easter = western_easter(year{y});
    ASSERT_TRUE(easter) << y;
    const auto month = static_cast<Int16>(static_cast<unsigned>(easter->month()));
    const auto day = static_cast<Int16>(static_cast<unsigned>(easter->day()));
    const long long jdn = JdnGregorian(y, month, day);
    ASSERT_TRUE(IsSunday(jdn)) << y;
    ASSERT_GE(jdn, JdnGregorian(y, 3, 22)) << y;
    ASSERT_LE(jdn, JdnGregorian(y, 4, 25)) << y;
    ASSERT_EQ(month * 100 + day, MeeusGregorian(y)) << y;
    if (y > 4099) continue;
    Int16 d = 0, m = 0;
    ASSERT_EQ(GetEasterDay(d, m, static_cast<Int16>(y), 3), kTrue) << y;
    ASSERT_EQ(m * 100 + d, month * 100 + day) << y;
  }
}

TEST_F(Computus, JulianReckoningGivesTheJulianSundayOfAnotherReckoning) {
  for (int y = 326; y <= 32767; ++y) {
    const auto easter = julian_easter(year{y});
    ASSERT_TRUE(easter) << y;
    ASSERT_TRUE(easter->ok()) << y;
    const auto month = static_cast<Int16>(static_cast<unsigned>(easter->month()));
    const auto day = static_cast<Int16>(static_cast<unsigned>(easter->day()));
    const long long jdn = JdnJulian(y, month, day);
    ASSERT_TRUE(IsSunday(jdn)) << y;
    ASSERT_GE(jdn, JdnJulian(y, 3, 22)) << y;
    ASSERT_LE(jdn, JdnJulian(y, 4, 25)) << y;
    ASSERT_EQ(month * 100 + day, MeeusJulian(y)) << y;
    // The day it names, both ways: 2440588 is the day number of 1970-01-01.
    ASSERT_EQ(sys_days{*easter}.time_since_epoch().count(), jdn - 2440588) << y;
    ASSERT_EQ(julian_date{sys_days{*easter}}, *easter) << y;
    Int16 d = 0, m = 0;
    ASSERT_EQ(GetEasterDay(d, m, static_cast<Int16>(y), 1), kTrue) << y;
    ASSERT_EQ(m * 100 + d, month * 100 + day) << y;
  }
}

TEST_F(Computus, ConvertedReckoningIsTheJulianDateInTheGregorianCalendar) {
  for (int y = 1583; y <= 32767; ++y) {
    const auto easter = orthodox_easter(year{y});
    ASSERT_TRUE(easter) << y;
    const int julian = MeeusJulian(y);
    const CivilDate expected = GregorianFromJdn(JdnJulian(y, julian / 100, julian % 100));
    ASSERT_EQ(expected.year, y);
    ASSERT_EQ(*easter, year{y} / expected.month / expected.day) << y;
    if (y > 4099) continue;
    ASSERT_TRUE(expected.month == 4 || (expected.month == 5 && expected.day <= 22)) << y;
    Int16 d = 0, m = 0;
    ASSERT_EQ(GetEasterDay(d, m, static_cast<Int16>(y), 2), kTrue) << y;
    ASSERT_EQ(m * 100 + d, expected.month * 100 + expected.day) << y;
  }
  EXPECT_TRUE(rt.boxes.empty());
}

// Outside each range nothing, at std::chrono's first year too, with no
// overflow on the way (the sanitized run; the loops above reach the last).
TEST(EasterLibrary, EachReckoningEndsWhereItsRangeDoes) {
  struct Case {
    year y;
    bool western, orthodox, julian;
  };
  const Case cases[] = {
      {year::min(), false, false, false}, {year{-32768}, false, false, false},
      {325y, false, false, false},        {326y, false, false, true},
      {1582y, false, false, true},        {1583y, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.y));
    EXPECT_EQ(western_easter(c.y).has_value(), c.western);
    EXPECT_EQ(orthodox_easter(c.y).has_value(), c.orthodox);
    EXPECT_EQ(julian_easter(c.y).has_value(), c.julian);
  }
}

// Julian dates and the days they name, at the ends of the years a Julian
// date can hold and past them (days by floor division from 1 March of the
// year 0, 719470 days before 1970-01-01).
TEST(EasterLibrary, JulianDatesNameTheirDaysAndOnlyTheirs) {
  struct Case {
    julian_date date;
    long long days;
    bool ok;
  };
  const Case cases[] = {
      {{1969y, December, 19d}, 0, true},         {{1900y, February, 29d}, -25496, true},
      {{-32767y, January, 1d}, -12687676, true}, {{32767y, December, 31d}, 11248981, true},
      {{0y, February, 29d}, -719471, true},      {{1901y, February, 29d}, -25130, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.days);
    EXPECT_EQ(c.date.ok(), c.ok);
    EXPECT_EQ(sys_days{c.date}.time_since_epoch().count(), c.days);
    if (c.ok) {
      EXPECT_EQ(julian_date{sys_days{days{c.days}}}, c.date);
    }
  }
  for (const sys_days far :
       {sys_days::min(), sys_days{days{-12687677}}, sys_days{days{11248982}}, sys_days::max()}) {
    EXPECT_FALSE(julian_date{far}.ok()) << far.time_since_epoch().count();
  }
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
