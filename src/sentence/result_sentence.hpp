// The one sentence in which the program states a result, built the same way
// by start-up, by the year list's click handler and by velmora-cli.
#pragma once

#include <string>
#include <string_view>

#include "runtime/types.hpp"

namespace velmora {

// "In the year 2026, Easter holiday occurs in day 5, month 4."
std::wstring ResultSentence(Int16 year, Int16 day, Int16 month);

// The same sentence for a day named otherwise:
// "In the year 2026, Good Friday occurs in day 3, month 4."
std::wstring ResultSentence(Int16 year, Int16 day, Int16 month, std::wstring_view name);

}  // namespace velmora
