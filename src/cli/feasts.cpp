#include "cli/feasts.hpp"

#include <chrono>

#include "computus/bas_Computus.hpp"

namespace velmora::cli {

DayMonth AddDays(Int16 year, DayMonth date, Int16 days, CalendarKind calendar) {
  namespace chrono = std::chrono;
  const chrono::year y{year};
  const chrono::month m{static_cast<unsigned>(date.month)};
  const chrono::day d{static_cast<unsigned>(date.day)};
  const auto day_month = [](const auto& later) -> DayMonth {
    return {Narrow16(static_cast<unsigned>(later.day())),
            Narrow16(static_cast<unsigned>(later.month()))};
  };
  if (calendar == CalendarKind::kJulian) {
    return day_month(julian_date{chrono::sys_days{julian_date{y, m, d}} + chrono::days{days}});
  }
  return day_month(chrono::year_month_day{chrono::sys_days{y / m / d} + chrono::days{days}});
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
