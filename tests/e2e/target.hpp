// A velmora.exe started by the driver, and what a user can see of it: its
// top-level windows, its message boxes, the main window's controls. Every
// read goes through messages the window system carries between processes
// (WM_GETTEXT, CB_GETCURSEL, ...) or, for the month calendar, through a
// buffer in the program's own memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The longest command line CreateProcessW accepts: 32,767 characters with
// the terminating null. Windows refuses a longer one, so a program can never
// be handed, say, a 1 MB command line; this is the hostile maximum. (Wine 8
// passes longer ones on, but no Windows user could.)
constexpr std::size_t kMaxCommandLine = 32767 - 1;

// A Unix path as Wine hands it over (ctest passes build paths) made a
// Windows path; a Windows path stays as it is.
std::wstring WindowsPath(const std::wstring& path);

// "EXE" followed by a blank and `payload`, as a user's shell would build it;
// just "EXE" when `payload` is empty.
std::wstring CommandLineFor(const std::wstring& exe, const std::wstring& payload);
// "EXE" and a blank, then `unit` repeated (cut at the end) up to the longest
// command line there is.
std::wstring LongestCommandLine(const std::wstring& exe, const std::wstring& unit);

// The icon of a message box, as far as it can be told from outside.
enum class BoxIcon { kUnknown, kNone, kInformation, kExclamation, kError };
const char* IconName(BoxIcon icon);

struct Box {
  HWND hwnd = nullptr;
  std::wstring title;
  std::wstring text;
  // The buttons the box shows, by their texts.
  std::vector<std::wstring> buttons;
  BoxIcon icon = BoxIcon::kUnknown;
};

class Target {
 public:
  // Starts the program with the command line as given.
  explicit Target(const std::wstring& command_line);
  // Ends the program if it still runs: no case leaves a process behind.
  ~Target();
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  DWORD pid() const { return pid_; }
  bool Running() const;

  // The process's top-level windows, hidden ones too.
  std::vector<HWND> Windows() const;
  // The first of its top-level windows of the class; only a visible one when
  // `visible`; nullptr if there is none.
  HWND Find(const wchar_t* window_class, bool visible) const;
  // Waits for a visible top-level window of the class; fails the case when
  // none appears within the patience.
  HWND WaitFor(const wchar_t* window_class, const char* what);

  // Waits for a message box and reads it.
  Box WaitForBox();
  // Reads a message box now.
  Box ReadBox(HWND box) const;
  // Presses the box's OK button and waits until the box is gone.
  void PressOk(const Box& box);

  HWND WaitForMainWindow() { return WaitFor(kMainClass, "the main window"); }
  // Waits for either a message box or the visible main window, whichever
  // comes first; the other is nullptr.
  void WaitForBoxOrWindow(HWND& box, HWND& main_window);

  // Waits for the process to end and returns its exit code; fails the case
  // if it runs past the patience.
  DWORD WaitExit();

  // The month calendar's selected date as year*10000 + month*100 + day (0
  // when nothing is selected). The message is not carried between processes,
  // so the date is written into a buffer in the program's memory.
  int CalendarDate(HWND calendar);

  static constexpr const wchar_t* kMainClass = L"VelmoraFmain";
  static constexpr const wchar_t* kBoxClass = L"#32770";
  static constexpr const wchar_t* kMenuClass = L"#32768";

 private:
  PROCESS_INFORMATION pi_{};
  DWORD pid_ = 0;
  void* remote_ = nullptr;
};

// ---- Controls, read and driven from outside the program -------------------

std::wstring ClassOf(HWND hwnd);
// WM_GETTEXT, with a timeout; fails the case when the window does not answer.
std::wstring TextOf(HWND hwnd);
// The window answers a sent message within the patience.
bool Answers(HWND hwnd);
// CB_GETCURSEL (-1 when nothing is selected).
int ComboSelection(HWND combo);
// CB_GETLBTEXT of an entry.
std::wstring ComboEntry(HWND combo, int index);

// The main window's controls.
struct MainControls {
  HWND window, combo, calendar, label;
  HWND easter;  // the list of Easters
};
MainControls ControlsOf(HWND main_window);

// A picture of the main window the way the user sees it.
struct MainView {
  std::wstring caption;
  int selection;            // CB_GETCURSEL
  std::wstring combo_text;  // what the closed list shows (WM_GETTEXT)
  std::wstring label;
  int calendar;  // year*10000 + month*100 + day
};
// The calendar's date is read in the program's memory; without
// `read_calendar` it is left at 0.
MainView ViewOf(Target& target, HWND main_window, bool read_calendar = true);

// Posts a key press (WM_KEYDOWN and WM_KEYUP) to a window.
void PostKey(HWND hwnd, WPARAM key);

}  // namespace e2e
