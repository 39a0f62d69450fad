// The yardstick for velmora.exe's start-up: a GUI program that registers a
// window class, opens a window and runs a message loop, nothing more.
// For the benchmark's breakdown it can add, one at a time, what velmora.exe
// does on the way to its window (command-line switches, in any order):
//   --comctl    InitCommonControlsEx for the standard and date classes
//   --calendar  a month calendar child
//   --combo     a drop-down list filled with 201 years
//   --fonts     two Arial fonts set on the children
// comctl32.dll is loaded only when asked for, so the plain program does not
// pay for it.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool Has(const wchar_t* command_line, const wchar_t* option) {
  return command_line != nullptr && std::wcsstr(command_line, option) != nullptr;
}

void LoadCommonControls() {
  using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  const auto init = reinterpret_cast<Init>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  if (init != nullptr) init(&icc);
}

HFONT Arial(int height, int weight) {
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  const bool comctl = Has(command_line, L"--comctl");
  if (comctl) LoadCommonControls();

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"MinimalWindow";
  RegisterClassExW(&wc);
  const HWND hwnd = CreateWindowExW(
      0, wc.lpszClassName, L"Minimal", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 320, 270, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;

  HWND calendar = nullptr;
  HWND combo = nullptr;
  if (comctl && Has(command_line, L"--calendar")) {
    calendar = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE, 14, 58, 281, 171,
                               hwnd, nullptr, instance, nullptr);
  }
  if (Has(command_line, L"--combo")) {
    combo =
        CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                        212, 58, 77, 300, hwnd, nullptr, instance, nullptr);
    wchar_t year[8];
    for (int y = 1900; y <= 2100; ++y) {
      std::swprintf(year, 8, L"%d", y);
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(year));
    }
  }
  if (Has(command_line, L"--fonts")) {
    const HFONT bold = Arial(-13, FW_BOLD);
    const HFONT plain = Arial(-11, FW_NORMAL);
    if (combo != nullptr) SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
    if (calendar != nullptr) {
      SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(plain), FALSE);
    }
  }

  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
