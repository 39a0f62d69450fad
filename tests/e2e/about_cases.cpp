// The About entry of the main window's system menu, reached by its command,
// by the keyboard, and not reached by commands next to its id.
#include <cstdio>

#include "cases.hpp"
#include "e2e.hpp"
#include "easter.hpp"
#include "screen.hpp"
#include "velmora_version.h"

namespace e2e {
namespace {

constexpr UINT kAboutId = 1004;

struct MenuEntry {
  UINT id;
  bool separator;
  std::wstring text;
};

// The system menu read from this process. Wine keeps a menu in the process
// that made it and answers GetSystemMenu for another process's window with
// nothing; false then.
bool ReadSystemMenu(HWND main_window, std::vector<MenuEntry>& entries) {
  const HMENU menu = GetSystemMenu(main_window, FALSE);
  if (menu == nullptr) return false;
  const int count = GetMenuItemCount(menu);
  if (count <= 0) return false;
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) return false;
    entries.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, text});
  }
  return true;
}

// Opens the About box through its system command and checks it.
void ExpectAboutBox(Target& target, HWND main_window, const std::wstring& version) {
  PostMessageW(main_window, WM_SYSCOMMAND, kAboutId, 0);
  const Box box = target.WaitForBox();
  ExpectBox(box, L"About", AboutText(version), BoxIcon::kInformation);
  E2E_CHECK(IsWindowVisible(main_window), "the window hides behind the About box");
  target.PressOk(box);
}

void AboutOf(const std::wstring& exe, const std::wstring& version) {
  Target target(CommandLineFor(exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);

  std::vector<MenuEntry> entries;
  if (ReadSystemMenu(main_window, entries)) {
    const std::size_t n = entries.size();
    E2E_CHECK(n >= 2, "the system menu has fewer than two entries");
    E2E_CHECK(entries[n - 2].separator, "no separator before the last entry");
    E2E_EQ(entries[n - 1].id, kAboutId, "id of the last entry");
    E2E_EQ(entries[n - 1].text, std::wstring(L"About..."), "text of the last entry");
  } else {
    Note("the system menu of another process cannot be read here; e2e.about_keyboard walks it");
  }

  // The focus comes back to the control that had it: after the About box,
  // after minimising and restoring.
  const MainControls controls = ControlsOf(main_window);
  ExpectFocusOn(controls.combo, "at start-up");
  ExpectAboutBox(target, main_window, version);
  ExpectFocusOn(controls.combo, "after the About box");
  // The window carries on: a pick still updates it.
  Pick(controls.combo, VK_DOWN, 1991 - kFirstListedYear);
  ExpectYearShown(target, main_window, 1991);
  ExpectNoBox(target, "after a pick following the About box");
  for (WPARAM command : {SC_MINIMIZE, SC_RESTORE}) {
    PostMessageW(main_window, WM_SYSCOMMAND, command, 0);
    E2E_CHECK(PollUntil([&] { return (IsIconic(main_window) != 0) == (command == SC_MINIMIZE); }),
              "the window is not minimised and restored");
  }
  ExpectFocusOn(controls.combo, "after minimise and restore");
  // And the About box opens again, the calendar keeping the focus over it.
  PostKey(controls.combo, VK_TAB);
  ExpectFocusOn(controls.calendar, "after Tab");
  ExpectAboutBox(target, main_window, version);
  ExpectFocusOn(controls.calendar, "after the About box");
  CloseAndExpectExit0(target, main_window);
}

// Opens the system menu with Alt+Space; returns its popup window.
HWND OpenSystemMenu(Target& target, HWND main_window) {
  const UINT scan = MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC);
  PostMessageW(main_window, WM_SYSKEYDOWN, VK_SPACE, 1 | (scan << 16) | (KF_ALTDOWN << 16));
  PostMessageW(main_window, WM_SYSKEYUP, VK_SPACE,
               1 | (scan << 16) | (KF_ALTDOWN << 16) | (KF_REPEAT << 16) | (KF_UP << 16));
  return target.WaitFor(Target::kMenuClass, "system menu");
}

// The rows of the open menu's highlighted entry.
struct Band {
  int top = -1;
  int bottom = -1;
  int height() const { return bottom - top + 1; }
};

// Presses a key in the open menu and waits until the highlight shows where
// `expected` says it should be.
template <typename F>
Band PressInMenu(HWND main_window, HWND popup, WPARAM key, const char* what, F expected) {
  PostKey(main_window, key);
  Band band;
  E2E_CHECK(
      PollUntil([&] { return HighlightedRows(popup, band.top, band.bottom) && expected(band); }),
      std::string("the highlight does not move ") + what);
  return band;
}

}  // namespace

void About(const Args& args) { AboutOf(args.exe, L"" VELMORA_FV_SHOWN); }

// The version line comes from the file's own version resource.
void AboutAltVersion(const Args& args) { AboutOf(args.alt_exe, L"2.3.4"); }

// The system menu walked with the keyboard, its highlight read from the
// screen (another process's menu cannot be read here): the last entry is
// About, and between it and the entry above lies something thinner than an
// entry and wider than the gap between two entries: a separator.
void AboutByKeyboard(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);

  // Under Wine a menu opened the moment the window appears can end up
  // beneath it on the screen (the window is raised once more as it settles);
  // a user, too, sees the window before pressing keys.
  WaitUntilDrawn(main_window);
  const HWND popup = OpenSystemMenu(target, main_window);
  RECT client{};
  GetClientRect(popup, &client);
  const Band first = PressInMenu(main_window, popup, VK_HOME, "to the first entry",
                                 [](const Band& b) { return b.top < b.height(); });
  const Band second = PressInMenu(main_window, popup, VK_DOWN, "to the second entry",
                                  [&](const Band& b) { return b.top > first.bottom; });
  const int gap_between_entries = second.top - first.bottom - 1;
  PressInMenu(main_window, popup, VK_UP, "back to the first entry",
              [&](const Band& b) { return b.top == first.top; });
  // Up from the first entry wraps round to the last one.
  const Band last = PressInMenu(main_window, popup, VK_UP, "round to the last entry",
                                [&](const Band& b) { return b.top > second.bottom; });
  E2E_CHECK(client.bottom - 1 - last.bottom < last.height(),
            "the highlighted entry is not the last one");
  const Band before_last = PressInMenu(main_window, popup, VK_UP, "to the entry above",
                                       [&](const Band& b) { return b.bottom < last.top; });
  const int gap_above_last = last.top - before_last.bottom - 1;
  E2E_CHECK(gap_above_last > gap_between_entries && gap_above_last < last.height(),
            "no separator above the last entry: " + std::to_string(gap_above_last) +
                " rows between it and the entry above, " + std::to_string(gap_between_entries) +
                " between two entries, " + std::to_string(last.height()) + " rows an entry");
  PressInMenu(main_window, popup, VK_DOWN, "back to the last entry",
              [&](const Band& b) { return b.top == last.top; });

  PostKey(main_window, VK_RETURN);
  const Box box = target.WaitForBox();
  ExpectBox(box, L"About", AboutText(L"" VELMORA_FV_SHOWN), BoxIcon::kInformation);
  E2E_CHECK(PollUntil([&] { return target.Find(Target::kMenuClass, true) == nullptr; }),
            "the system menu stays open");
  target.PressOk(box);
  CloseAndExpectExit0(target, main_window);
}

// Commands whose ids differ from About's in one low bit open nothing; About
// itself, sent the same way afterwards, does.
void AboutNearIds(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);
  const HWND combo = ControlsOf(main_window).combo;

  const UINT near_ids[] = {kAboutId ^ 1u, kAboutId ^ 2u,  kAboutId ^ 4u,
                           kAboutId ^ 8u, kAboutId ^ 16u, kAboutId + 8u};
  int index = 1990 - kFirstListedYear;
  bool down = true;
  for (UINT id : near_ids) {
    PostMessageW(main_window, WM_SYSCOMMAND, id, 0);
    // Posted messages are handled in order: once the pick posted after the
    // command shows, the command has been handled (and a box it opened
    // would exist).
    index += down ? 1 : -1;
    Pick(combo, down ? VK_DOWN : VK_UP, index);
    down = !down;
    char when[64];
    std::snprintf(when, sizeof when, "for system command %u", id);
    ExpectNoBox(target, when);
  }
  ExpectYearShown(target, main_window, kFirstListedYear + index);
  ExpectAboutBox(target, main_window, L"" VELMORA_FV_SHOWN);
  CloseAndExpectExit0(target, main_window);
}

}  // namespace e2e
