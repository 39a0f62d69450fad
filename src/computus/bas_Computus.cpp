#include "computus/bas_Computus.hpp"

#include <array>
#include <cstdint>

#include "runtime/runtime.hpp"

namespace velmora::bas_Computus {
namespace {

// Lunar-table corrections of the Gregorian reckoning, for the centuries
// 15..40 of the valid years: 1 for 21, 24, 25, 27..32, 34, 35 and 38; 2 for
// 33, 36, 37, 39 and 40; none for the others. A table, as the centuries
// follow no rule a branch predictor or a formula would catch cheaply.
// clang-format off
constexpr std::array<Int16, 26> kCenturyCorrection = {
//  15 16 17 18 19 20
    0, 0, 0, 0, 0, 0,
//  21 22 23 24 25 26
    1, 0, 0, 1, 1, 0,
//  27 28 29 30 31 32
    1, 1, 1, 1, 1, 1,
//  33 34 35 36 37 38
    2, 1, 1, 2, 2, 1,
//  39 40
    2, 2,
};
// clang-format on
constexpr Int16 kFirstCentury = 15;

// The part of the Gregorian reckoning's P that depends on the century alone:
// (C - 15) \ 2 + 202 less the correction, for the centuries 15..40.
constexpr std::array<Int16, 26> kCenturyTerm = [] {
  std::array<Int16, 26> term{};
  for (std::size_t i = 0; i < term.size(); ++i) {
    term[i] = static_cast<Int16>(static_cast<int>(i) / 2 + 202 - kCenturyCorrection[i]);
  }
  return term;
}();

// Day and month of each day number N counted from the end of February
// (1..31 March, 32..61 April, 62.. May), for every N the reckonings can
// give: A is at most 50, E at most 7 and the calendar difference K at most
// 28 (in 4099), so N is at most 85.
struct DayMonth {
  Int16 day, month;
};
constexpr std::array<DayMonth, 86> kDayMonth = [] {
  std::array<DayMonth, 86> table{};
  for (int n = 1; n < static_cast<int>(table.size()); ++n) {
    if (n > 61) {
      table[n] = {static_cast<Int16>(n - 61), 5};
    } else if (n > 31) {
      table[n] = {static_cast<Int16>(n - 31), 4};
    } else {
      table[n] = {static_cast<Int16>(n), 3};
    }
  }
  return table;
}();

// Quotient and remainder of a dividend that the reckoning keeps at zero or
// above over the valid years (each use says why), taken unsigned: the values
// of the truncating signed operations without their sign corrections. A
// dividend gone negative would give a wrong date, which the whole-range
// tests would see.
constexpr Int16 Quot(Int16 dividend, std::uint16_t divisor) {
  return static_cast<Int16>(static_cast<std::uint16_t>(dividend) / divisor);
}
constexpr Int16 Rem(Int16 dividend, std::uint16_t divisor) {
  return static_cast<Int16>(static_cast<std::uint16_t>(dividend) % divisor);
}

// Shows why a call is refused. Out of line and cold, so that building the
// message text costs the computation nothing when it goes ahead.
[[gnu::cold, gnu::noinline]] Boolean Refuse(const wchar_t* message) {
  MsgBox(message, MsgIcon::kExclamation);
  return kFalse;
}

}  // namespace

Boolean GetEasterDay(Int16& day, Int16& month, Int16 year, Int16 method) {
  day = 0;
  month = 0;

  if (method < kMethodJulian || method > kMethodGregorian) {
    return Refuse(L"Method must be 1, 2 or 3.");
  }
  if (method == kMethodJulian && year < 326) {
    return Refuse(L"The original calculation applies to all years from 326 AD.");
  }
  if (method != kMethodJulian && (year < 1583 || year > 4099)) {
    return Refuse(L"Gregorian calendar Easters apply for years 1583 to 4099 only.");
  }

  // The year is 326 or more from here on.
  const Int16 C = Quot(year, 100);  // century number
  const Int16 G = Rem(year, 19);    // golden number - 1
  const Int16 T = Rem(year, 100);
  // The weekday terms B, Cc and Dd below are remainders mod 7 that are only
  // ever summed into E = ((20 - B - Cc - Dd) mod 7) + 1. E is taken mod 7
  // once, from their dividends (B = (A - 19) mod 7, Cc = (40 - C) mod 7 in
  // the Julian reckoning, Dd = (T + T \ 4) mod 7) plus a multiple of 7 that
  // keeps the dividend positive over the whole valid range: the same E with
  // two or three divisions fewer, which is most of the routine's time.
  const Int16 DdSum = Add16(T, Quot(T, 4));  // 0..123

  // N counts days from the end of February: 1..31 March, 32..61 April, 62.. May.
  Int16 N;
  if (method != kMethodGregorian) {
    // The paschal full moon, 21..50; 225 - 11 * 18 is 27.
    const Int16 A = Add16(Rem(Sub16(225, Mul16(11, G)), 30), 21);
    // A - 19 is 2..31; 40 - C is 37 down to -287 (negative from 4100 on,
    // where it adds to the dividend); 20 + 175 - 31 - 37 - 123 leaves the
    // dividend at 4 or more. E: days to the next Sunday, 1..7.
    const Int16 E =
        Add16(Rem(Sub16(Sub16(Sub16(Add16(20, 7 * 25), Sub16(A, 19)), Sub16(40, C)), DdSum), 7), 1);
    N = Add16(A, E);
    if (method == kMethodJulianInGregorian) {
      // The calendars are 10 days apart until 1600; one day more for each
      // later century year that is a Julian leap year but not a Gregorian one.
      Int16 K = 10;
      if (year > 1600) K = Sub16(Sub16(Add16(10, C), 16), Quot(Sub16(C, 16), 4));
      N = Add16(N, K);
    }
  } else {
    // P = ((C - 15) \ 2 + 202 - correction - 11 G) mod 30; the dividend is
    // 2 or more (202 - 2 - 11 * 18).
    const Int16 P =
        Rem(Sub16(kCenturyTerm[static_cast<std::size_t>(C - kFirstCentury)], Mul16(11, G)), 30);
    // A = P + 21, one less when P is 29, one less when P is 28 and G > 10.
    // Both tests are on P, so their corrections add up; taken without a
    // branch, as they hold for one year in eighteen, at no pattern a branch
    // predictor could learn.
    const Int16 A = Sub16(Add16(P, 21), static_cast<Int16>((P == 29) + ((P == 28) & (G > 10))));
    // Cc = (40 - C) mod 4, then 3 becomes 4, then anything above 1 grows
    // by one: 0, 1, 2, 3 become 0, 1, 3, 5, which is 2 Cc - 1 for all but 0.
    const Int16 CcMod = Rem(Sub16(40, C), 4);  // C is at most 40
    const Int16 Cc = Sub16(Mul16(2, CcMod), static_cast<Int16>(CcMod > 0));
    // A - 19 is 2..30 and Cc at most 5: 20 + 140 - 30 - 5 - 123 is 2.
    const Int16 E =
        Add16(Rem(Sub16(Sub16(Sub16(Add16(20, 7 * 20), Sub16(A, 19)), Cc), DdSum), 7), 1);
    N = Add16(A, E);
  }

  // N to a date by the table above: no branch on whether Easter falls in
  // March or April, which is as good as random from one year to the next.
  const DayMonth date = kDayMonth[static_cast<std::size_t>(N)];
  day = date.day;
  month = date.month;
  return kTrue;
}

}  // namespace velmora::bas_Computus
