#include "cli/feasts.hpp"

#include "computus/bas_Computus.hpp"

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

DayMonth AddDays(Int16 year, DayMonth date, Int16 days, bool julian) {
  // Days are counted from the end of February (1 is 1 March), as the
  // computation counts them: the length of February then matters only for a
  // date that falls in it.
  const Int16 february = IsLeapYear(year, julian) ? 29 : 28;
  Int16 n = date.month == 2 ? Sub16(date.day, february) : date.day;
  for (Int16 m = 3; m < date.month; ++m) n = Add16(n, kMonthDays[m - 3]);
  n = Add16(n, days);
  if (n < 1) return {Add16(n, february), 2};
  Int16 month = 3;
  for (const Int16 length : kMonthDays) {
    if (n <= length) break;
    n = Sub16(n, length);
    ++month;
  }
  return {n, month};
}

std::string DaysFromEasterText(Int16 offset) {
  if (offset == 0) return "Easter Sunday";
  const int days = offset < 0 ? -offset : offset;
  return std::to_string(days) + (days == 1 ? " day " : " days ") +
         (offset < 0 ? "before" : "after") + " Easter Sunday";
}

const char* ReckoningName(Int16 method) {
  return method == bas_Computus::kMethodJulianInGregorian
             ? "the Julian reckoning, in the Gregorian calendar"
             : "the Gregorian reckoning";
}

}  // namespace velmora::cli
