// The end-to-end driver's small checking kit: a failed check throws, the
// case ends there (its program is killed by the Target's destructor) and the
// driver exits non-zero with the message.
#pragma once

#include <windows.h>

#include <cwchar>
#include <sstream>
#include <stdexcept>
#include <string>

namespace e2e {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Utf8(const std::wstring& text);
// Text shown in a message: printable ASCII as is, the rest as \r, \t or \uXXXX.
std::string Quoted(const std::wstring& text);
inline std::string Quoted(const std::string& text) { return '"' + text + '"'; }
inline std::string Show(const std::wstring& v) { return Quoted(v); }
inline std::string Show(const wchar_t* v) { return Quoted(std::wstring(v)); }
inline std::string Show(const std::string& v) { return Quoted(v); }
inline std::string Show(const char* v) { return Quoted(std::string(v)); }
template <typename T>
std::string Show(const T& v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

[[noreturn]] void Fail(const char* file, int line, const std::string& what);
void Note(const std::string& text);

// How long any wait for the program may take before the case fails, in ms:
// the program answers in well under a second, Wine's first start in a cold
// prefix can take several. VELMORA_E2E_PATIENCE (seconds) gives a longer
// one, for a Wine that runs under a processor emulator.
inline DWORD PatienceFromEnvironment() {
  wchar_t text[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"VELMORA_E2E_PATIENCE", text, 16);
  const unsigned long seconds = length > 0 && length < 16 ? std::wcstoul(text, nullptr, 10) : 0;
  return seconds > 20 && seconds < 3600 ? static_cast<DWORD>(seconds * 1000) : 20000;
}
inline const DWORD kPatience = PatienceFromEnvironment();

// A deadline for polling: Sleep(5) between looks, never a fixed sleep alone.
class Deadline {
 public:
  explicit Deadline(DWORD ms = kPatience) : end_(GetTickCount64() + ms) {}
  bool Passed() const { return GetTickCount64() >= end_; }

 private:
  ULONGLONG end_;
};

// Polls `ready` until it returns true; false when the deadline passes first.
template <typename F>
bool PollUntil(F ready, DWORD ms = kPatience) {
  const Deadline deadline(ms);
  for (;;) {
    if (ready()) return true;
    if (deadline.Passed()) return false;
    Sleep(5);
  }
}

}  // namespace e2e

#define E2E_CHECK(cond, what)                                                         \
  do {                                                                                \
    if (!(cond)) ::e2e::Fail(__FILE__, __LINE__, std::string(#cond) + ": " + (what)); \
  } while (0)

#define E2E_EQ(actual, expected, what)                                                             \
  do {                                                                                             \
    const auto& e2e_a = (actual);                                                                  \
    const auto& e2e_e = (expected);                                                                \
    if (!(e2e_a == e2e_e)) {                                                                       \
      ::e2e::Fail(                                                                                 \
          __FILE__, __LINE__,                                                                      \
          std::string(what) + ": got " + ::e2e::Show(e2e_a) + ", expected " + ::e2e::Show(e2e_e)); \
    }                                                                                              \
  } while (0)
