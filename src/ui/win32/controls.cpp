#include "ui/win32/controls.hpp"

#include <commctrl.h>

#include "computus/calendar.hpp"
#include "runtime/errors.hpp"
#include "ui/win32/accessibility.hpp"

namespace velmora {

// ---- Win32DropDownList ----------------------------------------------------

Win32DropDownList::Win32DropDownList(HWND combo, std::function<void()> on_click)
    : combo_(combo), on_click_(std::move(on_click)) {}

void Win32DropDownList::AddItem(const std::wstring& text) {
  SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Int16 Win32DropDownList::ListCount() const {
  return Narrow16(SendMessageW(combo_, CB_GETCOUNT, 0, 0));
}

Int16 Win32DropDownList::ListIndex() const {
  return Narrow16(SendMessageW(combo_, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
}

void Win32DropDownList::SetListIndex(Int16 index) {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidPropertyValue);
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  on_click_();
}

std::wstring Win32DropDownList::List(Int16 index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidPropertyValue);
  const LRESULT length = SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) RaiseError(kErrInvalidPropertyValue);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// ---- Win32Calendar --------------------------------------------------------

namespace {

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

}  // namespace

Win32Calendar::Win32Calendar(HWND calendar, Int16 year, Int16 month, Int16 day)
    : calendar_(calendar) {
  Apply(year, month, day);
}

void Win32Calendar::Apply(Int16 year, Int16 month, Int16 day) {
  // A SYSTEMTIME holds no year before 1601; the control itself refuses dates
  // before 14 September 1752.
  if (year < 1601 || month < 1 || month > 12 || day < 1 || day > 31) {
    RaiseError(kErrInvalidPropertyValue);
  }
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  const Int16 last = DaysInMonth(year, month, CalendarKind::kGregorian);
  st.wDay = static_cast<WORD>(day <= last ? day : last);
  ShowMonths();
  if (!SendMessageW(calendar_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st))) {
    RaiseError(kErrInvalidPropertyValue);
  }
  year_ = year;
  month_ = month;
  day_ = day;
  shown_ = st;
}

// Common Controls 6.1 (Windows Vista on) let the user zoom out to a year,
// decade or century by clicking the calendar's title; a new selection does
// not zoom back in by itself. Calendars without these views (older
// systems, Wine) do not know the messages and answer 0, which is the month
// view's number: nothing more is sent to them.
void Win32Calendar::ShowMonths() {
  if (SendMessageW(calendar_, MCM_GETCURRENTVIEW, 0, 0) != MCMV_MONTH) {
    SendMessageW(calendar_, MCM_SETCURRENTVIEW, 0, MCMV_MONTH);
  }
}

// When the user has picked another date on the calendar since the last put,
// a put changes that date, not the one put before.
void Win32Calendar::AdoptUsersChoice() {
  SYSTEMTIME now{};
  if (SendMessageW(calendar_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&now)) &&
      !SameDate(now, shown_)) {
    year_ = static_cast<Int16>(now.wYear);
    month_ = static_cast<Int16>(now.wMonth);
    day_ = static_cast<Int16>(now.wDay);
    shown_ = now;
  }
}

void Win32Calendar::PutYear(Int16 year) {
  AdoptUsersChoice();
  Apply(year, month_, day_);
}

void Win32Calendar::PutMonth(Int16 month) {
  AdoptUsersChoice();
  Apply(year_, month, day_);
}

void Win32Calendar::PutDay(Int16 day) {
  AdoptUsersChoice();
  Apply(year_, month_, day);
}

void Win32Calendar::Refresh() {
  RedrawWindow(calendar_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// ---- Win32Label -----------------------------------------------------------

void Win32Label::SetCaption(const std::wstring& text) {
  const int length = GetWindowTextLengthW(label_);
  std::wstring now(static_cast<std::size_t>(length) + 1, L'\0');
  now.resize(static_cast<std::size_t>(GetWindowTextW(label_, now.data(), length + 1)));
  if (now == text) return;
  SetWindowTextW(label_, text.c_str());
  NotifyTextChanged(label_);
}

}  // namespace velmora
