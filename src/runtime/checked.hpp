// Checked arithmetic on the program's 16-bit integers. Every addition,
// subtraction, multiplication and narrowing goes through these; a result
// outside -32768..32767 raises the overflow error (6). Division and
// remainder are C++'s own: they truncate toward zero and the remainder takes
// the dividend's sign, which is what the computations want.
#pragma once

#include <limits>

#include "runtime/types.hpp"

namespace velmora {

namespace detail {
// Raises the overflow error; out of line, so the checks below stay small
// enough to inline into the computations that are made of them.
[[noreturn]] void RaiseOverflow();
}  // namespace detail

inline Int16 Narrow16(long long value) {
  if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
    detail::RaiseOverflow();
  }
  return static_cast<Int16>(value);
}

#if defined(__GNUC__) || defined(__clang__)
// The compiler's checked operations on the 16-bit type itself: one
// instruction and a jump on its overflow flag.
inline Int16 Add16(Int16 a, Int16 b) {
  Int16 r;
  if (__builtin_add_overflow(a, b, &r)) detail::RaiseOverflow();
  return r;
}
inline Int16 Sub16(Int16 a, Int16 b) {
  Int16 r;
  if (__builtin_sub_overflow(a, b, &r)) detail::RaiseOverflow();
  return r;
}
inline Int16 Mul16(Int16 a, Int16 b) {
  Int16 r;
  if (__builtin_mul_overflow(a, b, &r)) detail::RaiseOverflow();
  return r;
}
#else
// The operands are widened first, so the wide operation itself cannot overflow.
inline Int16 Add16(Int16 a, Int16 b) { return Narrow16(static_cast<long>(a) + b); }
inline Int16 Sub16(Int16 a, Int16 b) { return Narrow16(static_cast<long>(a) - b); }
inline Int16 Mul16(Int16 a, Int16 b) { return Narrow16(static_cast<long>(a) * b); }
#endif

}  // namespace velmora
