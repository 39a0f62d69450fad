// The feasts that hang on Easter: each lies a fixed number of days from
// Easter Sunday, counted in the calendar of the method's result (the Julian
// calendar for method 1, the Gregorian calendar for methods 2 and 3).
//
// The table is here, in the header, so that the argument parser needs no
// more than this file; the day arithmetic is in feasts.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "computus/calendar.hpp"
#include "runtime/checked.hpp"
#include "runtime/messages.hpp"

namespace velmora::cli {

struct FeastInfo {
  std::string_view name;  // on the command line, in csv and json: never translated
  Int16 offset;           // days from Easter Sunday
  // In sentences and calendar entries, in the user's language (Tr); --help
  // gives the English name.
  Msg display;
};

// In calendar order.
inline constexpr std::array<FeastInfo, 13> kFeasts = {{
    // TRANSLATORS: the feasts' names, this one and those below: each the
    // established name in your language, as calendars and churches write it.
    // Clean Monday is the first day of Great Lent in the Eastern churches.
    {"clean-monday", -48, Msg(L"Clean Monday")},
    {"ash-wednesday", -46, Msg(L"Ash Wednesday")},
    {"palm-sunday", -7, Msg(L"Palm Sunday")},
    {"maundy-thursday", -3, Msg(L"Maundy Thursday")},
    {"good-friday", -2, Msg(L"Good Friday")},
    {"holy-saturday", -1, Msg(L"Holy Saturday")},
    {"easter", 0, Msg(L"Easter Sunday")},
    {"easter-monday", 1, Msg(L"Easter Monday")},
    {"ascension", 39, Msg(L"Ascension Day")},
    {"pentecost", 49, Msg(L"Pentecost")},
    {"whit-monday", 50, Msg(L"Whit Monday")},
    {"trinity-sunday", 56, Msg(L"Trinity Sunday")},
    {"corpus-christi", 60, Msg(L"Corpus Christi")},
}};

// Index of Easter Sunday itself in kFeasts.
inline constexpr std::size_t kEaster = 6;
static_assert(kFeasts[kEaster].offset == 0);

// The index in kFeasts of the feast called `name`, or kFeasts.size().
constexpr std::size_t FindFeast(std::string_view name) {
  std::size_t i = 0;
  while (i < kFeasts.size() && kFeasts[i].name != name) ++i;
  return i;
}

struct DayMonth {
  Int16 day = 0;
  Int16 month = 0;
  bool operator==(const DayMonth&) const = default;
};

// The date `days` days after `date` (before it when negative) in `year` of
// `calendar`. Both dates must lie within February to December of the year,
// as the feasts of kFeasts and the days after them do.
DayMonth AddDays(Int16 year, DayMonth date, Int16 days, CalendarKind calendar);

// "48 days before Easter Sunday", "1 day after Easter Sunday"; for Easter
// Sunday itself its own name.
std::string DaysFromEasterText(Int16 offset);

// The name of the reckoning of method 1, 2 or 3, as --help and a calendar's
// events give it: "the Gregorian reckoning" for method 3.
const char* ReckoningName(Int16 method);

}  // namespace velmora::cli
