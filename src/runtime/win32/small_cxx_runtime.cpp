// Two pieces of the C++ runtime, replaced for the statically linked Windows
// programs because the library's own are far larger than what they do here.
// Each program compiles this file itself (not through a library), so that
// the linker takes these definitions before it looks in the C++ library.
//
// - The terminate handler (an exception that nothing catches, which the
//   handlers' traps are there to prevent): the library's default names the
//   exception's type through its demangler, about 50 KB.
// - The functions the standard containers call to throw on misuse or on a
//   size they cannot hold. The library's versions throw std::length_error
//   and its relatives, whose message strings bring in the whole
//   copy-on-write string and the library's other explicit string
//   instantiations, about 80 KB. Here a size beyond what can be allocated
//   throws std::bad_alloc (reported as "Out of memory", which it is), and
//   misuse throws a plain std::exception-derived error carrying the same
//   message. Nothing in the programs catches the specific types.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::fputs("terminate called: an exception was not caught\n", stderr);
  std::abort();
}

}  // namespace __gnu_cxx

namespace {

// A misuse of a standard container or function; what() is the library's
// message.
class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* message) : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
[[noreturn]] void __throw_length_error(const char*) { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_cast() { throw std::bad_cast(); }
[[noreturn]] void __throw_bad_typeid() { throw std::bad_typeid(); }
[[noreturn]] void __throw_bad_exception() { throw std::bad_exception(); }
[[noreturn]] void __throw_logic_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_domain_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_out_of_range(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
[[noreturn]] void __throw_runtime_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_range_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_overflow_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_underflow_error(const char* message) { throw LibraryError(message); }

}  // namespace std
