#include "runtime/errors.hpp"

#include <utility>

#include "runtime/messages.hpp"
#include "runtime/text.hpp"

namespace velmora {

std::wstring ErrorDescription(int number) {
  switch (number) {
    case kErrOverflow:
      return Tr(L"Overflow");
    case kErrOutOfMemory:
      return Tr(L"Out of memory");
    case kErrInvalidPropertyValue:
      return Tr(L"Invalid property value");
    default:
      return Tr(L"Application-defined or object-defined error");
  }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, std::wstring description)
    : number_(number),
      description_(std::move(description)),
      what_("error " + std::to_string(number) + ": " + ToUtf8(description_)) {}

void RaiseError(int number) { throw RuntimeError(number); }

void RaiseError(int number, std::wstring description) {
  throw RuntimeError(number, std::move(description));
}

}  // namespace velmora
