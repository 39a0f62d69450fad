#include "runtime/checked.hpp"

#include "runtime/errors.hpp"

namespace velmora::detail {

void RaiseOverflow() { RaiseError(kErrOverflow); }

}  // namespace velmora::detail
