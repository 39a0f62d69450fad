#include "cli/feasts.hpp"

#include "computus/bas_Computus.hpp"

namespace velmora::cli {

DayMonth AddDays(Int16 year, DayMonth date, Int16 days, CalendarKind calendar) {
  // Days are counted from the end of February (1 is 1 March), as the
  // computation counts them: the length of February then matters only for a
  // date that falls in it.
  const Int16 february = DaysInMonth(year, 2, calendar);
  Int16 n = date.month == 2 ? Sub16(date.day, february) : date.day;
  for (Int16 m = 3; m < date.month; ++m) n = Add16(n, DaysInMonth(year, m, calendar));
  n = Add16(n, days);
  if (n < 1) return {Add16(n, february), 2};
  Int16 month = 3;
  while (month < 12 && n > DaysInMonth(year, month, calendar)) {
    n = Sub16(n, DaysInMonth(year, month, calendar));
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
  switch (method) {
    case bas_Computus::kMethodJulian:
      return "the Julian reckoning, in the Julian calendar";
    case bas_Computus::kMethodJulianInGregorian:
      return "the Julian reckoning, in the Gregorian calendar";
    default:
      return "the Gregorian reckoning";
  }
}

}  // namespace velmora::cli
