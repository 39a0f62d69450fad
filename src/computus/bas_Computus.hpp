// The Easter computation as the program knows it: turns a year and a method
// number into the day and month of Easter Sunday, in 16-bit integers. A face
// over the public library (include/velmora/easter.hpp), which computes; its
// only side effect is the message box shown when the input is outside the
// range of the chosen method, which is narrower here than the library's.
//
//   method 1: Julian reckoning, date in the Julian calendar, years 326 and later
//   method 2: Julian reckoning converted to the Gregorian calendar, 1583..4099
//   method 3: Gregorian reckoning, 1583..4099
#pragma once

#include "runtime/checked.hpp"

namespace velmora::bas_Computus {

inline constexpr Int16 kMethodJulian = 1;
inline constexpr Int16 kMethodJulianInGregorian = 2;
inline constexpr Int16 kMethodGregorian = 3;

// The years each method accepts: the Julian reckoning from 326 on, the two
// Gregorian ones from 1583 to 4099.
inline constexpr Int16 kFirstJulianYear = 326;
inline constexpr Int16 kFirstGregorianYear = 1583;
inline constexpr Int16 kLastGregorianYear = 4099;

// Sets day and month (3, 4 or 5) and returns kTrue, or shows the exclamation
// box with the reason, leaves day and month at 0 and returns kFalse.
Boolean GetEasterDay(Int16& day, Int16& month, Int16 year, Int16 method);

}  // namespace velmora::bas_Computus
