// The program's basic value types: 16-bit integers for years, months, days
// and version numbers, and the runtime's boolean.
#pragma once

#include <cstdint>

namespace velmora {

using Int16 = std::int16_t;

// The runtime's boolean: true is -1 (all bits set), false is 0.
using Boolean = std::int16_t;
inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;

}  // namespace velmora
