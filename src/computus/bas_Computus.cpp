#include "computus/bas_Computus.hpp"

#include "runtime/runtime.hpp"

namespace velmora::bas_Computus {
namespace {

// Lunar-table corrections of the Gregorian reckoning, by century number.
Int16 CenturyCorrection(Int16 century) {
  switch (century) {
    case 21:
    case 24:
    case 25:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 32:
    case 34:
    case 35:
    case 38:
      return 1;
    case 33:
    case 36:
    case 37:
    case 39:
    case 40:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

Boolean GetEasterDay(Int16& day, Int16& month, Int16 year, Int16 method) {
  day = 0;
  month = 0;

  if (method < kMethodJulian || method > kMethodGregorian) {
    MsgBox(L"Method must be 1, 2 or 3.", MsgIcon::kExclamation);
    return kFalse;
  }
  if (method == kMethodJulian && year < 326) {
    MsgBox(L"The original calculation applies to all years from 326 AD.", MsgIcon::kExclamation);
    return kFalse;
  }
  if (method != kMethodJulian && (year < 1583 || year > 4099)) {
    MsgBox(L"Gregorian calendar Easters apply for years 1583 to 4099 only.", MsgIcon::kExclamation);
    return kFalse;
  }

  const Int16 C = year / 100;  // century number
  const Int16 G = year % 19;   // golden number - 1
  const Int16 T = year % 100;
  const Int16 Dd = Add16(T, T / 4) % 7;

  // N counts days from the end of February: 1..31 March, 32..61 April, 62.. May.
  Int16 N;
  if (method != kMethodGregorian) {
    const Int16 A = Add16(Sub16(225, Mul16(11, G)) % 30, 21);  // paschal full moon, 21..50
    const Int16 B = Sub16(A, 19) % 7;
    // For years from 4100 on (40 - C) is negative and so is its remainder;
    // the final result is the same as with the non-negative remainder.
    const Int16 Cc = Sub16(40, C) % 7;
    const Int16 E = Add16(Sub16(Sub16(Sub16(20, B), Cc), Dd) % 7, 1);  // to the next Sunday
    N = Add16(A, E);
    if (method == kMethodJulianInGregorian) {
      // The calendars are 10 days apart until 1600; one day more for each
      // later century year that is a Julian leap year but not a Gregorian one.
      Int16 K = 10;
      if (year > 1600) K = Sub16(Sub16(Add16(10, C), 16), Sub16(C, 16) / 4);
      N = Add16(N, K);
    }
  } else {
    Int16 P = Sub16(Add16(Sub16(C, 15) / 2, 202), Mul16(11, G));
    P = Sub16(P, CenturyCorrection(C));
    P = P % 30;
    Int16 A = Add16(P, 21);
    if (P == 29) A = Sub16(A, 1);
    if (P == 28 && G > 10) A = Sub16(A, 1);
    const Int16 B = Sub16(A, 19) % 7;
    Int16 Cc = Sub16(40, C) % 4;
    if (Cc == 3) Cc = Add16(Cc, 1);
    if (Cc > 1) Cc = Add16(Cc, 1);
    const Int16 E = Add16(Sub16(Sub16(Sub16(20, B), Cc), Dd) % 7, 1);
    N = Add16(A, E);
  }

  if (N > 61) {
    day = Sub16(N, 61);
    month = 5;
  } else if (N > 31) {
    day = Sub16(N, 31);
    month = 4;
  } else {
    day = N;
    month = 3;
  }
  return kTrue;
}

}  // namespace velmora::bas_Computus
