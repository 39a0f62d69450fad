// The end-to-end driver: starts velmora.exe with a command line and checks
// what a user sees, through the window system alone.
//   e2e_driver CASE VELMORA_EXE [VELMORA_ALT_VERSION_EXE]
//   e2e_driver pose window|menu|about VELMORA_EXE [ARGS...]
// Exit code 0 when the case passes, 1 when it fails, 2 on a usage error.
#include <objbase.h>

#include <cstdio>
#include <string>

#include "cases.hpp"
#include "e2e.hpp"

namespace e2e {

const std::vector<Case>& AllCases() {
  static const std::vector<Case> cases = {
      {"year_ahead", YearAhead},
      {"year_behind", YearBehind},
      {"year_behind_from_outside", YearBehindFromOutside},
      {"year_not_listed", YearNotListed},
      {"year_overflow", YearOverflow},
      {"no_number", NoNumber},
      {"language", Language},
      {"easter_choice", EasterChoice},
      {"about", About},
      {"about_alt_version", AboutAltVersion},
      {"about_keyboard", AboutByKeyboard},
      {"about_near_ids", AboutNearIds},
      {"soak", Soak},
      {"hostile_digits", HostileDigits},
      {"hostile_blanks", HostileBlanks},
      {"hostile_tabs", HostileTabs},
      {"hostile_quotes", HostileQuotes},
      {"hostile_non_ascii", HostileNonAscii},
      {"hostile_minus", HostileMinus},
      {"hostile_double_minus", HostileDoubleMinus},
  };
  return cases;
}

}  // namespace e2e

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: e2e_driver CASE VELMORA_EXE [VELMORA_ALT_VERSION_EXE]\n"
               "       e2e_driver pose window|menu|about VELMORA_EXE [ARGS...]\ncases:");
  for (const e2e::Case& c : e2e::AllCases()) std::fprintf(stderr, " %s", c.name);
  std::fprintf(stderr, "\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"pose") {
    std::wstring payload;
    for (int i = 4; i < argc; ++i) payload += (i > 4 ? L" " : L"") + std::wstring(argv[i]);
    return e2e::Pose(argv[2], e2e::WindowsPath(argv[3]), payload);
  }
  if (argc < 3) return Usage();
  // Accessible objects of the program reach the driver through COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  const std::string name = e2e::Utf8(argv[1]);
  for (const e2e::Case& c : e2e::AllCases()) {
    if (name != c.name) continue;
    const e2e::Args args{e2e::WindowsPath(argv[2]), argc > 3 ? e2e::WindowsPath(argv[3]) : L""};
    std::printf("e2e %s: %s\n", c.name, e2e::Utf8(args.exe).c_str());
    std::fflush(stdout);
    try {
      c.run(args);
    } catch (const e2e::Failure& failure) {
      std::printf("FAILED: %s\n", failure.what());
      return 1;
    }
    std::printf("passed\n");
    return 0;
  }
  return Usage();
}
