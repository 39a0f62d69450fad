// The feasts that hang on Easter: each lies a fixed number of days from
// Easter Sunday (the library's velmora::offset), counted in the calendar of
// the method's result (the Julian calendar for method 1, the Gregorian
// calendar for methods 2 and 3).
//
// The table is here, in the header, so that the argument parser needs no
// more than this file; the day arithmetic is in feasts.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <velmora/easter.hpp>

#include "computus/calendar.hpp"
#include "runtime/checked.hpp"
#include "runtime/messages.hpp"

namespace velmora::cli {

struct FeastInfo {
  // On the command line, in csv and json: never translated. The library's
  // enumerator, with _ for -.
  std::string_view name;
  feast which;
  Int16 offset;  // days from Easter Sunday: offset(which)
  // In sentences and calendar entries, in the user's language (Tr); --help
  // gives the English name.
  Msg display;
};

constexpr FeastInfo Feast(std::string_view name, feast which, Msg display) {
  return {name, which, static_cast<Int16>(offset(which).count()), display};
}

// In calendar order, the library's.
inline constexpr std::array<FeastInfo, 13> kFeasts = {{
    // TRANSLATORS: the feasts' names, this one and those below: each the
    // established name in your language, as calendars and churches write it.
    // Clean Monday is the first day of Great Lent in the Eastern churches.
    Feast("clean-monday", feast::clean_monday, Msg(L"Clean Monday")),
    Feast("ash-wednesday", feast::ash_wednesday, Msg(L"Ash Wednesday")),
    Feast("palm-sunday", feast::palm_sunday, Msg(L"Palm Sunday")),
    Feast("maundy-thursday", feast::maundy_thursday, Msg(L"Maundy Thursday")),
    Feast("good-friday", feast::good_friday, Msg(L"Good Friday")),
    Feast("holy-saturday", feast::holy_saturday, Msg(L"Holy Saturday")),
    Feast("easter", feast::easter, Msg(L"Easter Sunday")),
    Feast("easter-monday", feast::easter_monday, Msg(L"Easter Monday")),
    Feast("ascension", feast::ascension, Msg(L"Ascension Day")),
    Feast("pentecost", feast::pentecost, Msg(L"Pentecost")),
    Feast("whit-monday", feast::whit_monday, Msg(L"Whit Monday")),
    Feast("trinity-sunday", feast::trinity_sunday, Msg(L"Trinity Sunday")),
    Feast("corpus-christi", feast::corpus_christi, Msg(L"Corpus Christi")),
}};

// Index of Easter Sunday itself in kFeasts.
inline constexpr std::size_t kEaster = 6;
static_assert(kFeasts[kEaster].which == feast::easter);

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
// `calendar`, by the library's calendars. Both dates must lie within the
// year, as the feasts of kFeasts and the days after them do.
DayMonth AddDays(Int16 year, DayMonth date, Int16 days, CalendarKind calendar);

// "48 days before Easter Sunday", "1 day after Easter Sunday"; for Easter
// Sunday itself its own name.
std::string DaysFromEasterText(Int16 offset);

// The name of the reckoning of method 1, 2 or 3, as --help and a calendar's
// events give it: "the Gregorian reckoning" for method 3.
const char* ReckoningName(Int16 method);

}  // namespace velmora::cli
