#include "computus/bas_Computus.hpp"

#include <chrono>
#include <string>

#include <velmora/easter.hpp>

#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"

namespace velmora::bas_Computus {
namespace {

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

// Sets day and month from the library's date.
template <typename Date>
Boolean Put(Int16& day, Int16& month, const Date& date) {
  // The day (1..31) and the month (3, 4 or 5) go through the checked
  // narrowing, which costs nothing here.
  day = Narrow16(static_cast<unsigned>(date.day()));
  month = Narrow16(static_cast<unsigned>(date.month()));
  return kTrue;
}

}  // namespace

Boolean GetEasterDay(Int16& day, Int16& month, Int16 year, Int16 method) {
  day = 0;
  month = 0;

  // The method first, then its years; within them the library's result is
  // there (its ranges are wider) and its arithmetic cannot overflow.
  const std::chrono::year y{year};
  switch (method) {
    case kMethodJulian:
      if (year < kFirstJulianYear) return Refuse(Refusal::kJulianYear);
      return Put(day, month, *julian_easter(y));
    case kMethodJulianInGregorian:
    case kMethodGregorian:
      if (year < kFirstGregorianYear || year > kLastGregorianYear) {
        return Refuse(Refusal::kGregorianYear);
      }
      if (method == kMethodGregorian) return Put(day, month, *western_easter(y));
      return Put(day, month, *orthodox_easter(y));
    default:
      return Refuse(Refusal::kMethod);
  }
}

}  // namespace velmora::bas_Computus
