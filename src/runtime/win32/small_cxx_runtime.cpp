// Two pieces of the C++ runtime, replaced for the statically linked Windows
// programs because the library's own are far larger than what they do here.
// Each program compiles this file itself (not through a library), so that
// the linker takes these definitions before it looks in the C++ library.
// unit_tests.exe does the same, so that they are tested as they ship.
//
// - The terminate handler (an exception that nothing catches, which the
//   handlers' traps are there to prevent): the library's default names the
//   exception's type through its demangler, about 50 KB.
// - The functions the standard containers call to throw on misuse or on a
//   size they cannot hold. The library's versions throw std::length_error
//   and its relatives, whose message strings bring in the whole
//   copy-on-write string and the library's other explicit string
//   instantiations, about 80 KB. Here they throw a plain
//   std::exception-derived error that carries the library's message, its
//   numbers written in ("basic_string::at: __n (which is 5) >=
//   this->size() (which is 2)"): reported as an unexpected error with that
//   text, as the library's own types would be. Nothing in the programs
//   catches the specific types. A size beyond what can be allocated is such
//   a misuse too, not a shortage of memory. Allocation failures stay
//   std::bad_alloc.
#include <cstdarg>
#include <cstddef>
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
// message, shortened if it does not fit.
class LibraryError final : public std::exception {
 public:
  explicit LibraryError(const char* message) { Put(message); }

  // `format` with its arguments written in, as the library writes them:
  // %s, %% and the decimal %d, %i and %u, also with the length z or l (the
  // library's own messages use %zu and %s). Any other directive stays as it
  // is, its argument unread. Numbers are as wide as std::size_t at most,
  // which needs no division helper from libgcc on 32-bit x86.
  LibraryError(const char* format, std::va_list args) {
    for (const char* p = format; *p != '\0'; ++p) {
      if (*p != '%') {
        Put(*p);
        continue;
      }
      const char* directive = p++;
      const char length = *p == 'z' || *p == 'l' ? *p++ : 0;
      if (*p == '%') {
        Put('%');
      } else if (*p == 's') {
        const char* text = va_arg(args, const char*);
        Put(text != nullptr ? text : "(null)");
      } else if (*p == 'u') {
        PutNumber(false, length == 'z'   ? va_arg(args, std::size_t)
                         : length == 'l' ? va_arg(args, unsigned long)
                                         : va_arg(args, unsigned));
      } else if (*p == 'd' || *p == 'i') {
        const std::ptrdiff_t value = length == 'z'   ? va_arg(args, std::ptrdiff_t)
                                     : length == 'l' ? va_arg(args, long)
                                                     : va_arg(args, int);
        PutNumber(value < 0, value < 0 ? 0 - static_cast<std::size_t>(value)
                                       : static_cast<std::size_t>(value));
      } else {
        while (directive < p) Put(*directive++);
        if (*p == '\0') break;
        Put(*p);
      }
    }
  }

  const char* what() const noexcept override { return text_; }

 private:
  void Put(char c) {
    if (length_ + 1 < sizeof text_) text_[length_++] = c;
  }
  void Put(const char* text) {
    while (*text != '\0') Put(*text++);
  }
  void PutNumber(bool negative, std::size_t magnitude) {
    char digits[20];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (negative) Put('-');
    while (n > 0) Put(digits[--n]);
  }

  char text_[256] = {};  // always ends in a NUL: Put keeps the last byte
  std::size_t length_ = 0;
};

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
[[noreturn]] void __throw_length_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_bad_cast() { throw std::bad_cast(); }
[[noreturn]] void __throw_bad_typeid() { throw std::bad_typeid(); }
[[noreturn]] void __throw_bad_exception() { throw std::bad_exception(); }
[[noreturn]] void __throw_logic_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_domain_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_invalid_argument(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_out_of_range(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const LibraryError error(format, args);
  va_end(args);
  throw error;
}
[[noreturn]] void __throw_runtime_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_range_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_overflow_error(const char* message) { throw LibraryError(message); }
[[noreturn]] void __throw_underflow_error(const char* message) { throw LibraryError(message); }

}  // namespace std
