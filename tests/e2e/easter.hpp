// What the program must show, worked out here independently of its own code:
// Easter Sunday by the anonymous Gregorian reckoning (a different one from
// the program's, shared with the other tests), and the sentence and About
// text as a user reads them.
#pragma once

#include <string>

#include "common/calendar_oracle.hpp"

namespace e2e {

struct Date {
  int year, month, day;
  // year*10000 + month*100 + day, the form the driver reads calendars in.
  int Packed() const { return year * 10000 + month * 100 + day; }
};

inline Date GregorianEaster(int year) {
  const int packed = velmora::test::MeeusGregorian(year);
  return {year, packed / 100, packed % 100};
}

inline std::wstring Sentence(int year) {
  const Date e = GregorianEaster(year);
  return L"In the year " + std::to_wstring(year) + L", Easter holiday occurs in day " +
         std::to_wstring(e.day) + L", month " + std::to_wstring(e.month) + L".";
}

// The About box's text for a version line such as L"1.1" or L"2.3.4"; the
// lines are separated by lone carriage returns.
inline std::wstring AboutText(const std::wstring& version) {
  return L"Velmora  -  version " + version +
         L"\r\rCopyright \u00A9 2026, Velmora developers\rMade on planet Earth\r\r"
         L"Email: velmora@example.org\rWeb: https://www.example.org/velmora/about";
}

inline const wchar_t* const kRangeMessage =
    L"Gregorian calendar Easters apply for years 1583 to 4099 only.";

// The list holds the years 1900..2100; an entry's index is year - 1900.
constexpr int kFirstListedYear = 1900;
constexpr int kLastListedYear = 2100;

}  // namespace e2e
