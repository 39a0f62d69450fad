#include "target.hpp"

#include <commctrl.h>

#include "e2e.hpp"
#include "screen.hpp"

namespace e2e {

// ---- Paths and command lines ----------------------------------------------

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  using ToDos = WCHAR*(CDECL*)(const char*);
  const auto to_dos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (to_dos != nullptr) {
    if (WCHAR* dos = to_dos(Utf8(path).c_str())) {
      std::wstring result(dos);
      HeapFree(GetProcessHeap(), 0, dos);
      return result;
    }
  }
  // Wine maps the Unix root to drive Z: in every new prefix.
  std::wstring result = L"Z:" + path;
  for (wchar_t& c : result) {
    if (c == L'/') c = L'\\';
  }
  return result;
}

std::wstring CommandLineFor(const std::wstring& exe, const std::wstring& payload) {
  std::wstring line = L"\"" + exe + L"\"";
  if (!payload.empty()) line += L" " + payload;
  return line;
}

std::wstring LongestCommandLine(const std::wstring& exe, const std::wstring& unit) {
  std::wstring line = CommandLineFor(exe, L"");
  line += L' ';
  while (line.size() < kMaxCommandLine) line += unit;
  line.resize(kMaxCommandLine);
  return line;
}

const char* IconName(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kNone:
      return "none";
    case BoxIcon::kInformation:
      return "information";
    case BoxIcon::kExclamation:
      return "exclamation";
    case BoxIcon::kError:
      return "error";
    case BoxIcon::kUnknown:
      break;
  }
  return "unknown";
}

// ---- The process ----------------------------------------------------------

Target::Target(const std::wstring& command_line) {
  std::wstring writable = command_line;  // CreateProcessW may write into it
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi_)) {
    Fail(__FILE__, __LINE__,
         "CreateProcessW failed with error " + std::to_string(GetLastError()) + " for " +
             Quoted(command_line.substr(0, 200)));
  }
  pid_ = pi_.dwProcessId;
  remote_ = VirtualAllocEx(pi_.hProcess, nullptr, sizeof(SYSTEMTIME), MEM_COMMIT | MEM_RESERVE,
                           PAGE_READWRITE);
}

Target::~Target() {
  if (Running()) {
    Note("the program still runs: ending it");
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, kPatience);
  }
  CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
}

bool Target::Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

namespace {

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid) search->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> Target::Windows() const {
  WindowSearch search{pid_, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Target::Find(const wchar_t* window_class, bool visible) const {
  for (HWND hwnd : Windows()) {
    if (ClassOf(hwnd) == window_class && (!visible || IsWindowVisible(hwnd))) return hwnd;
  }
  return nullptr;
}

HWND Target::WaitFor(const wchar_t* window_class, const char* what) {
  HWND found = nullptr;
  const bool seen = PollUntil([&] {
    found = Find(window_class, true);
    return found != nullptr || !Running();
  });
  E2E_CHECK(seen && found != nullptr,
            std::string("no ") + what + (Running() ? " appeared in time" : ": the program ended"));
  return found;
}

Box Target::WaitForBox() { return ReadBox(WaitFor(kBoxClass, "message box")); }

Box Target::ReadBox(HWND hwnd) const {
  Box box;
  box.hwnd = hwnd;
  box.title = TextOf(hwnd);
  // The message text is the static control with the id 0xFFFF.
  HWND text = GetDlgItem(hwnd, 0xFFFF);
  E2E_CHECK(text != nullptr, "the message box has no text control");
  box.text = TextOf(text);
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) box.buttons.push_back(TextOf(child));
  }
  box.icon = IdentifyBoxIcon(hwnd);
  return box;
}

void Target::PressOk(const Box& box) {
  HWND ok = GetDlgItem(box.hwnd, IDOK);
  E2E_CHECK(ok != nullptr, "the message box has no OK button");
  DWORD_PTR ignored = 0;
  // The box's button reports the click to the box, which ends.
  E2E_CHECK(SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kPatience, &ignored) != 0,
            "the OK button does not answer");
  E2E_CHECK(PollUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); }),
            "the message box stays open after OK");
}

void Target::WaitForBoxOrWindow(HWND& box, HWND& main_window) {
  box = nullptr;
  main_window = nullptr;
  PollUntil([&] {
    box = Find(kBoxClass, true);
    main_window = box == nullptr ? Find(kMainClass, true) : nullptr;
    return box != nullptr || main_window != nullptr || !Running();
  });
  E2E_CHECK(box != nullptr || main_window != nullptr,
            Running() ? "neither a box nor the window appeared in time"
                      : "the program ended without a box or a window");
}

DWORD Target::WaitExit() {
  E2E_CHECK(WaitForSingleObject(pi_.hProcess, kPatience) == WAIT_OBJECT_0,
            "the program does not end");
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

int Target::CalendarDate(HWND calendar) {
  E2E_CHECK(remote_ != nullptr, "no buffer in the program's memory");
  const SYSTEMTIME blank{};
  SIZE_T done = 0;
  E2E_CHECK(WriteProcessMemory(pi_.hProcess, remote_, &blank, sizeof blank, &done),
            "cannot write the program's memory");
  DWORD_PTR selected = 0;
  E2E_CHECK(SendMessageTimeoutW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(remote_),
                                SMTO_ABORTIFHUNG, kPatience, &selected) != 0,
            "the calendar does not answer");
  if (selected == 0) return 0;
  SYSTEMTIME st{};
  E2E_CHECK(ReadProcessMemory(pi_.hProcess, remote_, &st, sizeof st, &done) && done == sizeof st,
            "cannot read the program's memory");
  return st.wYear * 10000 + st.wMonth * 100 + st.wDay;
}

// ---- Controls -------------------------------------------------------------

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  E2E_CHECK(
      SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatience, &length) != 0,
      "a window does not answer WM_GETTEXTLENGTH");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  E2E_CHECK(
      SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, kPatience, &copied) != 0,
      "a window does not answer WM_GETTEXT");
  text.resize(copied);
  return text;
}

bool Answers(HWND hwnd) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatience, &ignored) != 0;
}

int ComboSelection(HWND combo) {
  DWORD_PTR index = 0;
  E2E_CHECK(
      SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kPatience, &index) != 0,
      "the list does not answer CB_GETCURSEL");
  return static_cast<int>(static_cast<LRESULT>(index));
}

std::wstring ComboEntry(HWND combo, int index) {
  DWORD_PTR length = 0;
  E2E_CHECK(SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0,
                                SMTO_ABORTIFHUNG, kPatience, &length) != 0,
            "the list does not answer CB_GETLBTEXTLEN");
  if (static_cast<LRESULT>(length) == CB_ERR) return L"<no entry>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  E2E_CHECK(SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, kPatience,
                                &copied) != 0,
            "the list does not answer CB_GETLBTEXT");
  if (static_cast<LRESULT>(copied) == CB_ERR) return L"<no entry>";
  text.resize(copied);
  return text;
}

MainControls ControlsOf(HWND main_window) {
  MainControls c{main_window, GetDlgItem(main_window, 101), GetDlgItem(main_window, 102),
                 GetDlgItem(main_window, 103), GetDlgItem(main_window, 104)};
  E2E_CHECK(c.combo != nullptr && ClassOf(c.combo) == L"ComboBox", "no year list (id 101)");
  E2E_CHECK(c.calendar != nullptr && ClassOf(c.calendar) == L"SysMonthCal32",
            "no month calendar (id 102)");
  E2E_CHECK(c.label != nullptr && ClassOf(c.label) == L"Static", "no label (id 103)");
  E2E_CHECK(c.easter != nullptr && ClassOf(c.easter) == L"ComboBox", "no list of Easters (id 104)");
  return c;
}

MainView ViewOf(Target& target, HWND main_window, bool read_calendar) {
  const MainControls c = ControlsOf(main_window);
  MainView view;
  view.caption = TextOf(c.window);
  view.selection = ComboSelection(c.combo);
  view.combo_text = TextOf(c.combo);
  view.label = TextOf(c.label);
  view.calendar = read_calendar ? target.CalendarDate(c.calendar) : 0;
  return view;
}

void PostKey(HWND hwnd, WPARAM key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(hwnd, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(hwnd, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

}  // namespace e2e
