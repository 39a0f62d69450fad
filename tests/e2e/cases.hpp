// The driver's cases (each a ctest test of its own) and its pose mode.
#pragma once

#include <string>
#include <vector>

#include "target.hpp"

namespace e2e {

struct Args {
  std::wstring exe;      // velmora.exe, as a Windows path
  std::wstring alt_exe;  // the same program with file version 2.3.0.4 (only some cases)
};

struct Case {
  const char* name;
  void (*run)(const Args&);
};

const std::vector<Case>& AllCases();

// Start-up outcomes by command line.
void YearAhead(const Args& args);
void YearBehind(const Args& args);
void YearBehindFromOutside(const Args& args);
void YearNotListed(const Args& args);
void YearOverflow(const Args& args);
void NoNumber(const Args& args);
// The user's language: the driver's own locale.
void Language(const Args& args);
// The choice of Easter: by keyboard, heard, remembered, a corrupt one.
void EasterChoice(const Args& args);
// The About entry of the system menu.
void About(const Args& args);
void AboutAltVersion(const Args& args);
void AboutByKeyboard(const Args& args);
void AboutNearIds(const Args& args);
// Many picks, and command lines no user would type.
void Soak(const Args& args);
void HostileDigits(const Args& args);
void HostileBlanks(const Args& args);
void HostileTabs(const Args& args);
void HostileQuotes(const Args& args);
void HostileNonAscii(const Args& args);
void HostileMinus(const Args& args);
void HostileDoubleMinus(const Args& args);

// ---- Steps the cases share ------------------------------------------------

// The box is the program's own kind: the given title and text, one OK button
// and, where the icon can be told from the screen, the given icon.
void ExpectBox(const Box& box, const std::wstring& title, const std::wstring& text, BoxIcon icon);
// No message box of the program exists, shown or hidden.
void ExpectNoBox(const Target& target, const char* when);
// Posts the key to the list and waits until it selects `index`.
void Pick(HWND combo, WPARAM key, int index);
// Closes the main window and expects the program to end with exit code 0.
void CloseAndExpectExit0(Target& target, HWND main_window);
// After an error box: the program ends with exit code 1 and never shows its
// window.
void ExpectExit1WithoutWindow(Target& target);
// The whole outcome of an error at start-up: the critical box titled
// Velmora with the error's description, the window never shown, the end
// with exit code 1. kNone: the error comes before the window is created.
enum class WindowAtReport { kNone, kHidden };
void ExpectErrorReportThenExit1(Target& target, const std::wstring& description,
                                WindowAtReport window);
// Waits for the window of a start-up that shows no box (a past year's).
HWND WaitForWindowWithoutBox(Target& target);
// The main window shows the year selected, its sentence and, unless the
// calendar is not to be read, its Easter date.
void ExpectYearShown(Target& target, HWND main_window, int year, bool read_calendar = true);

// Waits until the program's focus, as GetGUIThreadInfo reads it, is on the
// control.
void ExpectFocusOn(HWND control, const char* when);
// A screen reader's reading of a list: its name ("Year" for the year list),
// its role and value the standard control's.
void ExpectListNamed(HWND list, const std::wstring& name);
// Picks the list's entry with `key` (Down, Up) and hears, out of context
// as a screen reader would, the label raise a name change and a live-region
// change.
void PickAndHearTheLabel(const Target& target, HWND list, HWND label, int index,
                         WPARAM key = VK_DOWN);

// The whole outcome of a command line whose year lies outside 1583..4099:
// the range message, then the window with nothing selected; closes it.
void ExpectRangeMessageThenEmptyWindow(Target& target);
// The whole outcome of an empty command line: the present year.
void ExpectPresentYear(Target& target);

// Pose mode: leaves the program in a state for a screenshot.
int Pose(const std::wstring& state, const std::wstring& exe, const std::wstring& payload);

}  // namespace e2e
