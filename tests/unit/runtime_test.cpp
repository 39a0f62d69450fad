#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/console_runtime.hpp"
#include "runtime/error_trap.hpp"
#include "runtime/errors.hpp"
#include "runtime/recording_runtime.hpp"
#include "velmora_version.h"

namespace velmora {
namespace {

TEST(RecordingRuntime, BoxWithoutTitleShowsTheApplicationTitle) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  MsgBox(L"hello", MsgIcon::kExclamation);
  Rt().MsgBox(L"about", MsgIcon::kInformation, L"About");
  ASSERT_EQ(rt.boxes.size(), 2u);
  EXPECT_FALSE(rt.boxes[0].title.has_value());
  EXPECT_EQ(rt.boxes[0].shown_title, L"Velmora");
  EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kExclamation);
  EXPECT_EQ(rt.boxes[1].shown_title, L"About");
}

TEST(ErrorTrap, ReportsAnythingThrownInTheCriticalBoxAndReturns) {
  struct Case {
    void (*handler)();
    const wchar_t* report;
  };
  const Case cases[] = {
      {[] { RaiseError(kErrOverflow); }, L"Overflow"},
      {[] { throw std::bad_alloc(); }, L"Out of memory"},
      {[] { throw std::length_error("basic_string::_M_create"); },
       L"Unexpected error: basic_string::_M_create"},
      // The containers' own errors, their numbers written into the message
      // (in unit_tests.exe by the shipped programs' small_cxx_runtime.cpp);
      // a size that no container can hold is no shortage of memory.
      {[] { (void)std::string("ab").at(5); },
       L"Unexpected error: basic_string::at: __n (which is 5) >= this->size() (which is 2)"},
      {[] { (void)std::string("ab").substr(3); },
       L"Unexpected error: basic_string::substr: __pos (which is 3) > this->size() (which is 2)"},
      {[] { std::vector<char>().reserve(std::vector<char>().max_size() + 1); },
       L"Unexpected error: vector::reserve"},
      {[] { throw 42; }, L"Unexpected error"},
  };
  for (const Case& c : cases) {
    RecordingRuntime rt;
    ScopedRuntime installed(rt);
    RunTrapped(c.handler);
    ASSERT_EQ(rt.boxes.size(), 1u);
    EXPECT_EQ(rt.boxes[0].text, c.report);
    EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kCritical);
    EXPECT_EQ(rt.boxes[0].title, std::optional<std::wstring>(L"Velmora"));
  }
  // A report that cannot be shown either stays inside the trap too.
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  rt.on_box = [](const RecordedBox&) { throw std::bad_alloc(); };
  RunTrapped([] { throw std::bad_alloc(); });
  EXPECT_EQ(rt.boxes.size(), 1u);
}

// Reads back what the console backend wrote to a temporary file.
std::string Written(const std::function<void(ConsoleRuntime&)>& use) {
  std::FILE* f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  ConsoleRuntime rt(L"2030", f);
  use(rt);
  std::rewind(f);
  std::string out;
  char buf[256];
  while (std::fgets(buf, sizeof buf, f) != nullptr) out += buf;
  std::fclose(f);
  return out;
}

TEST(ConsoleRuntime, WritesBoxesAsLinesNamingIconAndTitle) {
  EXPECT_EQ(Written([](ConsoleRuntime& rt) { rt.MsgBox(L"Overflow", MsgIcon::kCritical, {}); }),
            "Velmora (critical): Overflow\n");
  EXPECT_EQ(Written([](ConsoleRuntime& rt) {
              rt.MsgBox(L"one\rtwo \u00A9", MsgIcon::kInformation, L"About");
            }),
            "About (information): one\ntwo \xC2\xA9\n");
}

TEST(ConsoleRuntime, ReportsTheBuildsVersionCommandAndAPlausibleClock) {
  ConsoleRuntime rt(L"2030");
  EXPECT_EQ(rt.Version(), (AppVersion{VELMORA_FV_MAJOR, VELMORA_FV_MINOR, VELMORA_FV_REVISION}));
  EXPECT_EQ(rt.Command(), L"2030");
  EXPECT_EQ(rt.AppTitle(), L"Velmora");
  const DateTime now = rt.Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, 31);
}

// The include fence: a module sees the headers of the modules it links, and
// not their win32/ folders, which are modules of their own. This program
// links velmora_app and sees what its sources see.
TEST(IncludeFence, AModuleSeesItsDependenciesButNotTheirWindowsFolders) {
#ifndef VELMORA_UNFENCED
#if !__has_include("ui/Fmain.hpp") || !__has_include("runtime/runtime.hpp")
  ADD_FAILURE() << "the headers of the modules linked are out of sight";
#endif
#if __has_include("ui/win32/accessibility.hpp") ||                                    \
                  __has_include("runtime/win32/ansi.hpp") ||                          \
                                __has_include("sysmenu/win32/bas_SysMenuHook.hpp") || \
                                              __has_include("cli/cli.hpp")
  ADD_FAILURE() << "a header of a module not linked is in sight";
#endif
#endif
}

}  // namespace
}  // namespace velmora
