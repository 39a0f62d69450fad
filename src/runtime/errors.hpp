// Runtime errors: one exception type carrying an error number and the
// runtime's standard description of it. Only the error trap
// (runtime/error_trap.hpp), around start-up and the handlers the message loop
// runs, catches them; everywhere else they travel to the caller.
#pragma once

#include <exception>
#include <string>

namespace velmora {

enum ErrorNumber : int {
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrInvalidPropertyValue = 380,
  // A window or control cannot be created; the description says which.
  kErrCannotCreateObject = 429,
};

// The standard description of an error number ("Overflow" for 6, "Invalid
// property value" for 380), in the user's language; unknown numbers get
// "Application-defined or object-defined error".
std::wstring ErrorDescription(int number);

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number);
  // An error whose description says more than the number's standard one.
  RuntimeError(int number, std::wstring description);
  int Number() const { return number_; }
  const std::wstring& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int number_;
  std::wstring description_;
  std::string what_;
};

[[noreturn]] void RaiseError(int number);
[[noreturn]] void RaiseError(int number, std::wstring description);

}  // namespace velmora
