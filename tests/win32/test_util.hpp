// Small helpers for tests against real windows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/Fmain.hpp"

namespace velmora::test {

inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The calendar's selected date as year*10000 + month*100 + day, 0 if none.
inline int CalendarDate(HWND calendar) {
  SYSTEMTIME st{};
  if (!SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st))) return 0;
  return st.wYear * 10000 + st.wMonth * 100 + st.wDay;
}

// The calendar's stored initial date, as CalendarDate gives it.
inline constexpr int kStoredCalendarDate = Fmain::kCalInitialDate.year * 10000 +
                                           Fmain::kCalInitialDate.month * 100 +
                                           Fmain::kCalInitialDate.day;

// Delivers what has been posted to this thread's windows.
inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A rectangle relative to the parent's client area.
inline RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace velmora::test
