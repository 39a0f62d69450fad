// The one sentence in which the program states a result, built the same way
// by start-up and by the year list's click handler.
#pragma once

#include <string>

#include "runtime/checked.hpp"

namespace velmora {

// "In the year 2026, Easter holiday occurs in day 5, month 4."
std::wstring ResultSentence(Int16 year, Int16 day, Int16 month);

}  // namespace velmora
