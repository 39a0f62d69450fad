// The one sentence in which the program states a result, built the same way
// by start-up, by the year list's click handler and by velmora-cli. Each
// reckoning has a sentence of its own, so that a reader never takes one
// Easter for another: in each language the Easter its readers keep takes
// the plain word and the other is named, and a Julian date says it is one.
#pragma once

#include <string>
#include <string_view>

#include "computus/bas_Computus.hpp"
#include "runtime/types.hpp"

namespace velmora {

// Easter Sunday by the reckoning of `method` (1, 2 or 3):
// "In the year 2026, Easter holiday occurs in day 5, month 4." (3),
// "In the year 2026, Orthodox Easter occurs in day 12, month 4." (2).
std::wstring ResultSentence(Int16 year, Int16 day, Int16 month,
                            Int16 method = bas_Computus::kMethodGregorian);

// The same sentence for a day named otherwise:
// "In the year 2026, Good Friday occurs in day 3, month 4."
std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, std::wstring_view name,
                            Int16 method = bas_Computus::kMethodGregorian);

}  // namespace velmora
