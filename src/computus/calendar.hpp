// The facts of the two calendars the program counts days in: which years
// are leap years and how many days each month has. Years are counted from
// 1 AD, the year before it 0 (proleptic in both calendars).
#pragma once

#include <array>

#include "computus/bas_Computus.hpp"

namespace velmora {

enum class CalendarKind { kJulian, kGregorian };

// Every fourth year is a leap year in the Julian calendar; the Gregorian
// calendar leaves out the century years not divisible by 400.
constexpr bool IsLeapYear(int year, CalendarKind calendar) {
  return year % 4 == 0 && (calendar == CalendarKind::kJulian || year % 100 != 0 || year % 400 == 0);
}

// The days of `month` (1 to 12) in `year`.
constexpr Int16 DaysInMonth(int year, int month, CalendarKind calendar) {
  constexpr std::array<Int16, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year, calendar) ? 29 : kDays[month - 1];
}

// The calendar of a method's dates: the Julian one for method 1, the
// Gregorian one for methods 2 and 3.
constexpr CalendarKind CalendarOf(Int16 method) {
  return method == bas_Computus::kMethodJulian ? CalendarKind::kJulian : CalendarKind::kGregorian;
}

}  // namespace velmora
