#include "computus/bas_Computus.hpp"

#include <array>
#include <cstdint>
#include <string>

#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"

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

// Quotient and remainder taken unsigned: the values of C++'s truncating
// operations for a dividend that is zero or above, without their sign
// corrections. Every use below names the dividend's range.
constexpr Int16 Quot(Int16 dividend, std::uint16_t divisor) {
  return static_cast<Int16>(static_cast<std::uint16_t>(dividend) / divisor);
}
constexpr Int16 Rem(Int16 dividend, std::uint16_t divisor) {
  return static_cast<Int16>(static_cast<std::uint16_t>(dividend) % divisor);
}

// Why a call is refused.
enum class Refusal { kMethod, kJulianYear, kGregorianYear };

// Shows why a call is refused. Out of line and cold: composing the message
// in the user's language costs the computation nothing when it goes ahead.
[[gnu::cold, gnu::noinline]] Boolean Refuse(Refusal why) {
  std::wstring message;
  switch (why) {
    case Refusal::kMethod:
      message = Tr(L"Method must be 1, 2 or 3.");
      break;
    case Refusal::kJulianYear:
      // TRANSLATORS: %1 is the first year of the Julian reckoning, 326.
      message = Fill(Tr(L"The original calculation applies to all years from %1 AD."),
                     {DecimalText(kFirstJulianYear)});
      break;
    case Refusal::kGregorianYear:
      // TRANSLATORS: %1 and %2 are the first and the last year, 1583 and 4099.
      message = Fill(Tr(L"Gregorian calendar Easters apply for years %1 to %2 only."),
                     {DecimalText(kFirstGregorianYear), DecimalText(kLastGregorianYear)});
      break;
  }
  MsgBox(message, MsgIcon::kExclamation);
  return kFalse;
}

}  // namespace

Boolean GetEasterDay(Int16& day, Int16& month, Int16 year, Int16 method) {
  day = 0;
  month = 0;

  if (method < kMethodJulian || method > kMethodGregorian) return Refuse(Refusal::kMethod);
  if (method == kMethodJulian && year < kFirstJulianYear) return Refuse(Refusal::kJulianYear);
  if (method != kMethodJulian && (year < kFirstGregorianYear || year > kLastGregorianYear)) {
    return Refuse(Refusal::kGregorianYear);
  }

  // The year is 326..32767 from here on (1583..4099 for methods 2 and 3).
  // The weekday terms B, Cc and Dd are remainders mod 7 that are only ever
  // summed into E = ((20 - B - Cc - Dd) mod 7) + 1, so each is kept as its
  // dividend and E is taken mod 7 once, a multiple of 7 keeping the sum
  // above zero.
  const Int16 C = Quot(year, 100);        // century: 3..327 (15..40 for methods 2, 3)
  const Int16 G = Rem(year, 19);          // golden number less one: 0..18
  const Int16 T = Rem(year, 100);         // year of the century: 0..99
  const Int16 Dd = Add16(T, Quot(T, 4));  // Dd's dividend T + T \ 4: 0..123
  Int16 N;                                // days after the end of February

  if (method != kMethodGregorian) {
    // Julian reckoning.
    const Int16 A = Add16(Rem(Sub16(225, Mul16(11, G)), 30), 21);  // full moon: 21..50
    const Int16 B = Sub16(A, 19);                                  // B's dividend: 2..31
    const Int16 Cc = Sub16(40, C);  // Cc's dividend: 37 down to -287, adding to the sum from 4100
    // E, days from the full moon to the Sunday after: 1..7. Its sum is at
    // least 20 + 7 * 25 - 31 - 37 - 123 = 4.
    const Int16 E = Add16(Rem(Sub16(Sub16(Sub16(Add16(20, 7 * 25), B), Cc), Dd), 7), 1);
    N = Add16(A, E);  // 22..57
    if (method == kMethodJulianInGregorian) {
      // K, days between the calendars: 10 until 1600, then one more for
      // each century year that is a Julian leap year but not a Gregorian
      // one; 28 in 4099.
      Int16 K = 10;
      if (year > 1600) K = Sub16(Sub16(Add16(10, C), 16), Quot(Sub16(C, 16), 4));
      N = Add16(N, K);  // 32..85
    }
  } else {
    // Gregorian reckoning. P = ((C - 15) \ 2 + 202 - correction - 11 G)
    // mod 30: 0..29, its century part from the table; the dividend is 2 or
    // more (202 - 2 - 11 * 18).
    const Int16 century_term = kCenturyTerm[static_cast<std::size_t>(C - kFirstCentury)];
    const Int16 P = Rem(Sub16(century_term, Mul16(11, G)), 30);
    // A = P + 21, one less when P = 29, one less when P = 28 and G > 10; the
    // tests hold for one year in eighteen at no pattern, so no branch. 21..49.
    const Int16 A = Sub16(Add16(P, 21), static_cast<Int16>((P == 29) + ((P == 28) & (G > 10))));
    const Int16 B = Sub16(A, 19);              // B's dividend: 2..30
    const Int16 CcMod = Rem(Sub16(40, C), 4);  // 0..3
    // 0, 1, 2, 3 become 0, 1, 3, 5: twice less one, but for 0.
    const Int16 Cc = Sub16(Mul16(2, CcMod), static_cast<Int16>(CcMod > 0));  // 0..5
    // E: 1..7. Its sum is at least 20 + 7 * 20 - 30 - 5 - 123 = 2.
    const Int16 E = Add16(Rem(Sub16(Sub16(Sub16(Add16(20, 7 * 20), B), Cc), Dd), 7), 1);
    N = Add16(A, E);  // 22..56
  }

  // N to a date by the table: no branch on March or April, which is as good
  // as random from one year to the next.
  const DayMonth date = kDayMonth[static_cast<std::size_t>(N)];
  day = date.day;
  month = date.month;
  return kTrue;
}

}  // namespace velmora::bas_Computus
