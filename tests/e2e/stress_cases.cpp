// Many picks in one run, and command lines no user would type.
#include <cstdio>

#include "cases.hpp"
#include "e2e.hpp"
#include "easter.hpp"

namespace e2e {
namespace {

constexpr int kSoakPicks = 2000;
constexpr int kLastIndex = kLastListedYear - kFirstListedYear;

// A deterministic walk over the list: runs of Down or Up of varying length
// (turning at the ends), now and then Home or End.
class Walk {
 public:
  explicit Walk(int index) : index_(index) {}
  int index() const { return index_; }

  // The next key and the entry it selects.
  WPARAM Next() {
    const unsigned r = Random();
    if (r % 97 == 0 && index_ != 0) {
      index_ = 0;
      return VK_HOME;
    }
    if (r % 89 == 0 && index_ != kLastIndex) {
      index_ = kLastIndex;
      return VK_END;
    }
    if (run_ == 0) {
      run_ = 1 + static_cast<int>(r % 40);
      down_ = !down_;
    }
    if (index_ == 0) down_ = true;
    if (index_ == kLastIndex) down_ = false;
    --run_;
    index_ += down_ ? 1 : -1;
    return down_ ? VK_DOWN : VK_UP;
  }

 private:
  unsigned Random() {
    seed_ = seed_ * 1103515245u + 12345u;
    return seed_ >> 16;
  }
  int index_;
  int run_ = 0;
  bool down_ = false;
  unsigned seed_ = 20261207u;
};

double Seconds(const LARGE_INTEGER& from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

// 2,000 picks through the real list; the window keeps up, ends on the last
// pick's year and still answers. The time taken is printed, not judged.
void Soak(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);
  const HWND combo = ControlsOf(main_window).combo;

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  Walk walk(1990 - kFirstListedYear);
  int jumps = 0;
  for (int i = 1; i <= kSoakPicks; ++i) {
    const WPARAM key = walk.Next();
    if (key == VK_HOME || key == VK_END) ++jumps;
    Pick(combo, key, walk.index());
    if (i % 250 == 0) ExpectYearShown(target, main_window, kFirstListedYear + walk.index());
  }
  const double seconds = Seconds(start);

  const int year = kFirstListedYear + walk.index();
  ExpectYearShown(target, main_window, year);
  E2E_CHECK(Answers(main_window), "the window does not answer after the picks");
  ExpectNoBox(target, "during the picks");
  char line[160];
  std::snprintf(line, sizeof line,
                "%d picks (%d by Home/End) in %.2f s, %.2f ms a pick; ended on %d", kSoakPicks,
                jumps, seconds, seconds * 1000.0 / kSoakPicks, year);
  Note(line);
  CloseAndExpectExit0(target, main_window);
}

// The longest command line of digits: far beyond 16 bits, so the overflow
// box and exit code 1; no crash, no hang.
void HostileDigits(const Args& args) {
  const std::wstring line = LongestCommandLine(args.exe, L"9");
  Note("command line of " + std::to_string(line.size()) + " characters");
  Target target(line);
  ExpectErrorReportThenExit1(target, L"Overflow", WindowAtReport::kNone);
}

// Blanks and tabs after the program's name never reach the program (the C
// runtime strips them): the command line arrives empty, so the present year.
void HostileBlanks(const Args& args) {
  Target target(LongestCommandLine(args.exe, L" "));
  ExpectPresentYear(target);
}

void HostileTabs(const Args& args) {
  Target target(LongestCommandLine(args.exe, L"\t"));
  ExpectPresentYear(target);
}

// Text without a leading number reads as year 0: the range message, then the
// window with nothing selected.
void HostileQuotes(const Args& args) {
  Target target(LongestCommandLine(args.exe, L"\""));
  ExpectRangeMessageThenEmptyWindow(target);
}

void HostileNonAscii(const Args& args) {
  Target target(LongestCommandLine(args.exe, L"\u00C4\u00D6\u00DC \u00DF\u00E9 \u5E74 "));
  ExpectRangeMessageThenEmptyWindow(target);
}

void HostileMinus(const Args& args) {
  Target target(CommandLineFor(args.exe, L"-"));
  ExpectRangeMessageThenEmptyWindow(target);
}

void HostileDoubleMinus(const Args& args) {
  Target target(CommandLineFor(args.exe, L"--5"));
  ExpectRangeMessageThenEmptyWindow(target);
}

}  // namespace e2e
