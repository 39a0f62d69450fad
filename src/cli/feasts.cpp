#include "cli/feasts.hpp"

namespace velmora::cli {
namespace {

// Lengths of the months from March on, the same in every year of either
// calendar.
constexpr std::array<Int16, 10> kMonthDays = {31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Every fourth year is a leap year in the Julian calendar; the Gregorian
// calendar leaves out the century years not divisible by 400.
bool IsLeapYear(Int16 year, bool julian) {
  return year % 4 == 0 && (julian || year % 100 != 0 || year % 400 == 0);
}

}  // namespace

DayMonth DaysFromEaster(Int16 year, DayMonth easter, Int16 offset, bool julian) {
  // Days are counted from the end of February (1 is 1 March), as the
  // computation counts them: the length of February then matters only for a
  // date that falls in it.
  Int16 n = easter.day;
  for (Int16 m = 3; m < easter.month; ++m) n = Add16(n, kMonthDays[m - 3]);
  n = Add16(n, offset);
  if (n < 1) return {Add16(n, IsLeapYear(year, julian) ? 29 : 28), 2};
  Int16 month = 3;
  for (const Int16 length : kMonthDays) {
    if (n <= length) break;
    n = Sub16(n, length);
    ++month;
  }
  return {n, month};
}

}  // namespace velmora::cli
