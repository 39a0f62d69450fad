#include "runtime/checked.hpp"

#include <limits>

#include "runtime/errors.hpp"

namespace velmora {

Int16 Narrow16(long long value) {
  if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max()) {
    RaiseError(kErrOverflow);
  }
  return static_cast<Int16>(value);
}

// The operands are widened first, so the wide operation itself cannot overflow.
Int16 Add16(Int16 a, Int16 b) { return Narrow16(static_cast<long long>(a) + b); }
Int16 Sub16(Int16 a, Int16 b) { return Narrow16(static_cast<long long>(a) - b); }
Int16 Mul16(Int16 a, Int16 b) { return Narrow16(static_cast<long long>(a) * b); }

}  // namespace velmora
