// The yardsticks for velmora.exe's start-up, built from this one source:
// - floor_window.exe, the floor: the least a program does to make the window
//   velmora.exe shows for `velmora.exe 1990`. The same manifest (Common
//   Controls 6, DPI awareness), comctl32.dll imported and
//   InitCommonControlsEx, the same class with the program's icon, the same
//   size and styles, the label, the month calendar and the drop-down list of
//   201 years in front of its corner, the list of Easters with its label
//   beside it, the choice read from the user's settings, the two Arial
//   fonts; 1990 selected, its Easter Sunday on the calendar and the
//   sentence in the label. Each thing is made once, with plain Win32 calls
//   and velmora.exe's own layout.
// - bare_window.exe (BARE_WINDOW defined): the top-level window alone, with
//   a manifest without Common Controls 6; comctl32.dll is not loaded.
// For the benchmark's breakdown the floor stops after a step:
//   floor_window --upto window|icon|calendar|list|fonts
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "resource.h"
#include "ui/win32/FmainWindow.hpp"

namespace {

using velmora::Fmain;
using velmora::FmainWindow;

// What the floor adds, in the order of the breakdown.
enum Step { kWindow, kIcon, kCalendar, kList, kFonts, kAll };

#ifdef BARE_WINDOW
constexpr bool kBare = true;
#else
constexpr bool kBare = false;
#endif

// velmora.exe's main window.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kVisibleEntries = 12;  // entries shown when the list drops down

// What `velmora.exe 1990` shows: the year selected, its Easter Sunday on the
// calendar, the sentence in the label.
constexpr int kYear = 1990;
constexpr SYSTEMTIME kEaster{1990, 4, 0, 15, 0, 0, 0, 0};
constexpr wchar_t kSentence[] = L"In the year 1990, Easter holiday occurs in day 15, month 4.";
static_assert(Fmain::kFirstYear >= 1000 && Fmain::kLastYear <= 9999, "years of four digits");

Step Upto(const wchar_t* command_line) {
  static constexpr const wchar_t* kNames[] = {L"window", L"icon", L"calendar", L"list", L"fonts"};
  const wchar_t* option = std::wcsstr(command_line, L"--upto ");
  if (kBare || option == nullptr) return kBare ? kWindow : kAll;
  for (int step = kWindow; step < kAll; ++step) {
    if (std::wcscmp(option + 7, kNames[step]) == 0) return static_cast<Step>(step);
  }
  return kAll;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void InitCommonControls6() {
#ifndef BARE_WINDOW  // the bare program imports nothing from comctl32.dll
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
#endif
}

HICON Icon(HINSTANCE instance, int size_metric) {
  const int size = GetSystemMetrics(size_metric);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// A size of `hundredths` of a point at the DPI.
HFONT Arial(int hundredths, int weight, int dpi) {
  return CreateFontW(-MulDiv(hundredths, dpi, 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"Arial");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  const Step upto = Upto(command_line != nullptr ? command_line : L"");
  InitCommonControls6();

  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto px = [dpi](int twips) { return FmainWindow::Px(twips, static_cast<UINT>(dpi)); };

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = FmainWindow::kClassName;
  if (upto >= kIcon) {
    wc.hIcon = Icon(instance, SM_CXICON);
    wc.hIconSm = Icon(instance, SM_CXSMICON);
  }
  RegisterClassExW(&wc);
  RECT frame{0, 0, px(FmainWindow::kClientWidth), px(FmainWindow::kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const HWND hwnd = CreateWindowExW(kExStyle, wc.lpszClassName, L"Velmora", kStyle, CW_USEDEFAULT,
                                    CW_USEDEFAULT, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;

  auto child = [&](const wchar_t* cls, DWORD style, const FmainWindow::TwipsRect& t,
                   const wchar_t* text = L"") {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, px(t.left), px(t.top),
                           px(t.width), px(t.height), hwnd, nullptr, instance, nullptr);
  };
  // Children are linked below their older siblings: the lists, made first,
  // lie in front of the calendar's corner, and the tab order is velmora.exe's.
  const FmainWindow::TwipsRect nowhere{};
  const HWND easter_label =
      upto >= kAll ? child(L"STATIC", SS_LEFT, nowhere, L"&Easter:") : nullptr;
  const HWND easter_list =
      upto >= kAll ? child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, nowhere) : nullptr;
  const HWND combo = upto >= kList ? child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                           FmainWindow::kCboYear)
                                   : nullptr;
  const HWND label = upto >= kAll
                         ? child(L"STATIC", SS_LEFT | SS_NOPREFIX, FmainWindow::kLbl, kSentence)
                         : nullptr;
  const HWND calendar =
      upto >= kCalendar ? child(MONTHCAL_CLASSW, WS_TABSTOP | WS_CLIPSIBLINGS, FmainWindow::kCal)
                        : nullptr;

  const HFONT bold = upto >= kFonts ? Arial(975, FW_BOLD, dpi) : nullptr;
  if (upto >= kFonts) {
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
    for (const HWND control : {label, easter_label, easter_list}) {
      if (control != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
    }
    SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(Arial(900, FW_NORMAL, dpi)), FALSE);
  }
  if (combo != nullptr) {
    // The window's height includes the dropped-down part.
    const int entry = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(combo, nullptr, 0, 0, px(FmainWindow::kCboYear.width),
                 px(FmainWindow::kCboYear.height) + kVisibleEntries * entry,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(combo, CB_SETMINVISIBLE, kVisibleEntries, 0);
    constexpr int kEntries = Fmain::kLastYear - Fmain::kFirstYear + 1;
    SendMessageW(combo, CB_INITSTORAGE, kEntries, kEntries * 5 * sizeof(wchar_t));
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    wchar_t text[5] = {};
    for (int year = Fmain::kFirstYear; year <= Fmain::kLastYear; ++year) {
      for (int i = 3, rest = year; i >= 0; --i, rest /= 10) text[i] = L'0' + rest % 10;
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
  }
  if (upto >= kAll) {
    SendMessageW(combo, CB_SETCURSEL, kYear - Fmain::kFirstYear, 0);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&kEaster));
    // The choice remembered for the user, though none is: Western Easter,
    // which the sentence and the calendar show.
    wchar_t choice[64];
    DWORD size = sizeof choice;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velmora", Fmain::kEasterSetting, RRF_RT_REG_SZ,
                 nullptr, choice, &size);
    SendMessageW(easter_list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Western"));
    SendMessageW(easter_list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Orthodox"));
    SendMessageW(easter_list, CB_SETCURSEL, 0, 0);
    velmora::PlaceEasterRow({label, calendar, combo, easter_label, easter_list, bold},
                            static_cast<UINT>(dpi));
  }

  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  if (combo != nullptr) SetFocus(combo);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
