// Checked arithmetic on the program's 16-bit integers. Every addition,
// subtraction, multiplication and narrowing goes through these; a result
// outside -32768..32767 raises the overflow error (6). Division and
// remainder are C++'s own: they truncate toward zero and the remainder takes
// the dividend's sign, which is what the computations want.
#pragma once

#include <cstdint>

namespace velmora {

using Int16 = std::int16_t;

// The runtime's boolean: true is -1 (all bits set), false is 0.
using Boolean = std::int16_t;
inline constexpr Boolean kTrue = -1;
inline constexpr Boolean kFalse = 0;

Int16 Narrow16(long long value);
Int16 Add16(Int16 a, Int16 b);
Int16 Sub16(Int16 a, Int16 b);
Int16 Mul16(Int16 a, Int16 b);

}  // namespace velmora
