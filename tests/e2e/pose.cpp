// Pose mode: starts velmora.exe, dismisses a start-up box, leaves the program
// in the state asked for, prints READY and waits until the file named by
// VELMORA_POSE_DONE exists; then closes everything.
//   e2e_driver pose window|menu|about VELMORA_EXE [ARGS...]
#include <cstdio>
#include <cstdlib>

#include "cases.hpp"
#include "e2e.hpp"
#include "screen.hpp"

namespace e2e {
namespace {

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int Pose(const std::wstring& state, const std::wstring& exe, const std::wstring& payload) {
  if (state != L"window" && state != L"menu" && state != L"about") {
    std::fprintf(stderr, "pose: the state is window, menu or about\n");
    return 2;
  }
  const wchar_t* done_env = _wgetenv(L"VELMORA_POSE_DONE");
  if (done_env == nullptr || *done_env == L'\0') {
    std::fprintf(stderr, "pose: set VELMORA_POSE_DONE to the file that ends the pose\n");
    return 2;
  }
  const std::wstring done = WindowsPath(done_env);

  try {
    Target target(CommandLineFor(exe, payload));
    HWND box = nullptr;
    HWND main_window = nullptr;
    target.WaitForBoxOrWindow(box, main_window);
    if (box != nullptr) {
      target.PressOk(target.ReadBox(box));
      main_window = target.WaitForMainWindow();
    }
    WaitUntilDrawn(main_window);

    HWND shown = main_window;
    if (state == L"menu") {
      PostMessageW(main_window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
      shown = target.WaitFor(Target::kMenuClass, "system menu");
      WaitUntilDrawn(shown);
      // From the first entry, Up wraps round to the last one: About.
      PostKey(main_window, VK_UP);
    } else if (state == L"about") {
      PostMessageW(main_window, WM_SYSCOMMAND, 1004, 0);
      shown = target.WaitFor(Target::kBoxClass, "About box");
    }
    WaitUntilDrawn(shown);

    std::printf("READY\n");
    std::fflush(stdout);
    while (!FileExists(done)) {
      E2E_CHECK(target.Running(), "the program ended during the pose");
      Sleep(50);
    }

    if (state == L"menu") {
      // Escape leaves the menu, a second one the menu mode.
      PostKey(main_window, VK_ESCAPE);
      PostKey(main_window, VK_ESCAPE);
      E2E_CHECK(PollUntil([&] { return target.Find(Target::kMenuClass, true) == nullptr; }),
                "the system menu stays open");
    } else if (state == L"about") {
      target.PressOk(target.ReadBox(shown));
    }
    CloseAndExpectExit0(target, main_window);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "pose: %s\n", failure.what());
    return 1;
  }
  return 0;
}

}  // namespace e2e
