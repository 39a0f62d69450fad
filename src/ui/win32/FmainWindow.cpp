#include "ui/win32/FmainWindow.hpp"

#include <commctrl.h>

#include <algorithm>

#include "resource.h"
#include "runtime/error_trap.hpp"
#include "runtime/errors.hpp"
#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "ui/win32/accessibility.hpp"

namespace velmora {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kComboId = 101;
constexpr int kCalendarId = 102;
constexpr int kLabelId = 103;
constexpr int kEasterComboId = 104;
constexpr int kEasterLabelId = 105;
// Entries shown at once when the list drops down.
constexpr int kVisibleEntries = 12;

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// Functions of newer systems, looked up at run time so that the program
// still starts where they are missing.
template <typename F>
F User32(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT WindowRectForClient(int width, int height, UINT dpi) {
  RECT r{0, 0, width, height};
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32<AdjustForDpi>("AdjustWindowRectExForDpi");
  if (adjust != nullptr) {
    adjust(&r, kStyle, FALSE, kExStyle, dpi);
  } else {
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  }
  return r;
}

HFONT MakeArial(int hundredths_of_point, int weight, UINT dpi) {
  // The size is given in hundredths of a point (975 = 9.75 pt).
  const int height = -MulDiv(hundredths_of_point, static_cast<int>(dpi), 7200);
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

// Start-up ends with a report that says what could not be made.
[[noreturn]] void CannotCreate(Msg report) { RaiseError(kErrCannotCreateObject, Tr(report)); }

void RegisterFmainClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, FmainWindow::kClassName, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = FmainWindow::kClassName;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (RegisterClassExW(&wc) == 0)
    CannotCreate(Msg(L"The main window's class could not be registered."));
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (get != nullptr && hwnd != nullptr) {
    const UINT dpi = get(hwnd);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

std::unique_ptr<FmainWindow> FmainWindow::Load(bool quit_on_destroy) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // The month calendar's class, and Common Controls 6's versions of the
  // standard ones.
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES};
  if (!InitCommonControlsEx(&icc)) CannotCreate(Msg(L"The common controls could not be loaded."));
  RegisterFmainClass(instance, &FmainWindow::WndProc);

  std::unique_ptr<FmainWindow> form(new FmainWindow(quit_on_destroy));
  form->dpi_ = SystemDpi();
  const RECT r =
      WindowRectForClient(Px(kClientWidth, form->dpi_), Px(kClientHeight, form->dpi_), form->dpi_);
  // The caption stored with the layout; the load handler replaces it before
  // the window is first shown.
  CreateWindowExW(kExStyle, kClassName, L"Form1", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, form.get());
  if (form->hwnd_ == nullptr) CannotCreate(Msg(L"The main window could not be created."));
  form->CreateControls();
  form->ApplyDpi(WindowDpi(form->hwnd_), nullptr);
  // The load handler fills the list with a year an entry: room for them at
  // once (four digits and the terminating zero each), and no scroll bar or
  // repaint work for each while it runs.
  constexpr WPARAM kEntries = kLastYear - kFirstYear + 1;
  SendMessageW(form->combo_, CB_INITSTORAGE, kEntries, kEntries * 5 * sizeof(wchar_t));
  SendMessageW(form->combo_, WM_SETREDRAW, FALSE, 0);
  form->Form_Load();
  SendMessageW(form->combo_, WM_SETREDRAW, TRUE, 0);
  form->PlaceEasterRow();
  return form;
}

FmainWindow::~FmainWindow() {
  if (hwnd_ != nullptr) {
    quit_on_destroy_ = false;
    DestroyWindow(hwnd_);
  }
  if (font_ != nullptr) DeleteObject(font_);
  if (calendar_font_ != nullptr) DeleteObject(calendar_font_);
}

void FmainWindow::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  auto child = [&](const wchar_t* cls, DWORD style, int id, Msg report) {
    const HWND control =
        CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control == nullptr) CannotCreate(report);
    return control;
  };
  label_hwnd_ = child(L"STATIC", SS_LEFT | SS_NOPREFIX, kLabelId,
                      Msg(L"The result label could not be created."));
  // The calendar clips the list that lies over its corner, so the list
  // stays visible and takes the clicks there.
  calendar_hwnd_ = child(MONTHCAL_CLASSW, WS_TABSTOP | WS_CLIPSIBLINGS, kCalendarId,
                         Msg(L"The month calendar could not be created."));
  combo_ = child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kComboId,
                 Msg(L"The year list could not be created."));
  // The label's access key (Alt and its underlined letter) takes the focus
  // to the control after it in the tab order: the list of Easters.
  easter_label_hwnd_ =
      child(L"STATIC", SS_LEFT, kEasterLabelId, Msg(L"The list of Easters could not be created."));
  easter_combo_ = child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, kEasterComboId,
                        Msg(L"The list of Easters could not be created."));
  // Subclassed through the window procedure itself: comctl32's
  // SetWindowSubclass looks its data up as a window property on every
  // message, which under Wine is a trip to the server each time (about 45 ms
  // more at start-up).
  controls_[0].hwnd = combo_;
  controls_[1].hwnd = calendar_hwnd_;
  controls_[2].hwnd = label_hwnd_;
  controls_[3].hwnd = easter_combo_;
  for (Subclassed& control : controls_) {
    SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    control.own = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FmainWindow::ControlProc)));
  }
  if (ScreenReaderRunning()) ServeAccessibility();
  // In front of the calendar, whose corner they stand over, and in the tab
  // order the row reads in: the list of Easters (after its label), the
  // year list, then the calendar.
  for (const HWND front : {combo_, easter_combo_, easter_label_hwnd_}) {
    SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SendMessageW(combo_, CB_SETMINVISIBLE, kVisibleEntries, 0);

  // The year list's accessible name: no label stands in front of the list,
  // from which a screen reader could take one.
  // TRANSLATORS: the year list's name, as a screen reader reads it.
  year_list_name_ = Tr(L"Year");
  year_list_ = std::make_unique<Win32DropDownList>(combo_, [this] { cboYear_Click(); });
  easter_list_ = std::make_unique<Win32DropDownList>(easter_combo_, [this] { cboEaster_Click(); });
  easter_label_ = std::make_unique<Win32Label>(easter_label_hwnd_);
  // The calendar's stored initial date, shown until a date is put on it.
  calendar_ = std::make_unique<Win32Calendar>(calendar_hwnd_, kCalInitialDate.year,
                                              kCalInitialDate.month, kCalInitialDate.day);
  label_ = std::make_unique<Win32Label>(label_hwnd_);
}

void FmainWindow::ApplyDpi(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  HFONT old_font = font_;
  HFONT old_calendar_font = calendar_font_;
  font_ = MakeArial(975, FW_BOLD, dpi);
  // A little larger than the calendar's own 8.25 pt, so that its month
  // fills the area the layout gives it.
  calendar_font_ = MakeArial(900, FW_NORMAL, dpi);

  if (suggested != nullptr) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    // Only when the size differs from the one the window was made with: a
    // resize, even to the same size, costs about 1% of start-up under Wine.
    const RECT r = WindowRectForClient(Px(kClientWidth, dpi), Px(kClientHeight, dpi), dpi);
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.right - now.left != r.right - r.left || now.bottom - now.top != r.bottom - r.top) {
      SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  for (const HWND control : {label_hwnd_, combo_, easter_label_hwnd_, easter_combo_}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  SendMessageW(calendar_hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(calendar_font_), FALSE);

  auto place = [&](HWND control, const TwipsRect& t, int extra_height) {
    MoveWindow(control, Px(t.left, dpi), Px(t.top, dpi), Px(t.width, dpi),
               Px(t.height, dpi) + extra_height, FALSE);
  };
  place(label_hwnd_, kLbl, 0);
  place(calendar_hwnd_, kCal, 0);
  // A drop-down list's window height includes its dropped-down part; the
  // selection field's own height follows the font.
  const int item_height = static_cast<int>(SendMessageW(combo_, CB_GETITEMHEIGHT, 0, 0));
  place(combo_, kCboYear,
        kVisibleEntries * (item_height > 0 ? item_height : Px(kFallbackItemHeight, dpi)));
  PlaceEasterRow();
  InvalidateRect(hwnd_, nullptr, TRUE);

  if (old_font != nullptr) DeleteObject(old_font);
  if (old_calendar_font != nullptr) DeleteObject(old_calendar_font);
}

namespace {

// The control's text as one line in the window's font: its size, without
// the & of an access key.
SIZE TextSize(HDC dc, const std::wstring& text) {
  RECT r{};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A control's rectangle in its parent's client area.
RECT ChildRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A label's text as a screen reader names the control after it: without
// the access key's &, and without the colon and blanks at its end.
std::wstring NameFromLabel(const std::wstring& label) {
  std::wstring name;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == L'&' && i + 1 < label.size()) ++i;
    name += label[i];
  }
  while (!name.empty() && (name.back() == L':' || name.back() == L'\uFF1A' || name.back() == L' ' ||
                           name.back() == L'\u00A0' || name.back() == L'\u202F')) {
    name.pop_back();
  }
  return name;
}

// Where the calendar draws its month's title, in its parent: as the
// calendar tells it (Common Controls 6.1), else where a calendar that
// centres its month in its area draws it (Wine's).
int CalendarTitleTop(HWND calendar_control) {
  const RECT calendar = ChildRectOf(calendar_control);
  MCGRIDINFO title{};
  title.cbSize = sizeof title;
  title.dwPart = MCGIP_CALENDARHEADER;
  title.dwFlags = MCGIF_RECT;
  if (SendMessageW(calendar_control, MCM_GETCALENDARGRIDINFO, 0,
                   reinterpret_cast<LPARAM>(&title))) {
    return calendar.top + title.rc.top;
  }
  RECT month{};
  SendMessageW(calendar_control, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&month));
  return calendar.top + std::max<int>(0, (calendar.bottom - calendar.top) - month.bottom) / 2;
}

}  // namespace

void PlaceEasterRow(const EasterRow& row, UINT dpi) {
  const HDC dc = GetDC(row.label);
  const HGDIOBJ old_font = SelectObject(dc, row.font);
  const SIZE label_size = TextSize(dc, TextOf(row.label));
  LONG widest = 0;
  const auto entries = SendMessageW(row.list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < entries; ++i) {
    const LRESULT length = SendMessageW(row.list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == CB_ERR) continue;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(row.list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    SIZE size{};
    GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
    widest = std::max(widest, size.cx);
  }
  SelectObject(dc, old_font);
  ReleaseDC(row.label, dc);

  // The year list, already in place, tells how much of a list is not its
  // text: the border, the button, the margins of the selection field.
  COMBOBOXINFO year{};
  year.cbSize = sizeof year;
  GetComboBoxInfo(row.year_list, &year);
  const RECT year_rect = ChildRectOf(row.year_list);
  const int chrome = (year_rect.right - year_rect.left) - (year.rcItem.right - year.rcItem.left);
  const int field_height = year.rcButton.bottom + year.rcButton.top;
  const int gap = FmainWindow::Px(FmainWindow::kEasterRowGap, dpi);

  // On the year list's row, as high as it stands, unless that would cover
  // the calendar's title: then just above the title, though never over the
  // sentence above.
  const int top =
      std::max<int>(ChildRectOf(row.sentence).bottom,
                    std::min<int>(year_rect.top, CalendarTitleTop(row.calendar) - field_height));

  const int list_width = widest + chrome + 2 * gap;
  const int list_left = year_rect.left - gap - list_width;
  const auto item_height = static_cast<int>(SendMessageW(row.list, CB_GETITEMHEIGHT, 0, 0));
  MoveWindow(row.list, list_left, top, list_width,
             field_height + static_cast<int>(entries) * std::max(item_height, 1) + 2, FALSE);
  MoveWindow(row.label, list_left - gap - label_size.cx, top + (field_height - label_size.cy) / 2,
             label_size.cx, label_size.cy, FALSE);
}

void FmainWindow::PlaceEasterRow() {
  velmora::PlaceEasterRow(
      {label_hwnd_, calendar_hwnd_, combo_, easter_label_hwnd_, easter_combo_, font_}, dpi_);
  easter_list_name_ = NameFromLabel(TextOf(easter_label_hwnd_));
}

void FmainWindow::SetCaption(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

void FmainWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
  SetFocus(combo_);
}

void FmainWindow::RestoreFocus() {
  const bool usable =
      focus_ != nullptr && IsWindow(focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_);
  SetFocus(usable ? focus_ : combo_);
}

// A pick by the user runs the click handler from the message loop: an error
// is reported the way start-up reports one, and the window carries on.
void FmainWindow::RunClickHandler(void (Fmain::*handler)()) {
  RunTrapped([this, handler] { (this->*handler)(); });
}

void FmainWindow::ServeAccessibility() {
  if (live_region_) return;
  live_region_ = true;
  MarkPoliteLiveRegion(label_hwnd_);
}

// The controls: each tells the window when it takes the focus, and when an
// accessibility client first asks for it; the list answers for its
// accessible name.
LRESULT CALLBACK FmainWindow::ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  auto* form = reinterpret_cast<FmainWindow*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  WNDPROC own = nullptr;
  for (const Subclassed& subclassed : form->controls_) {
    if (subclassed.hwnd == control) own = subclassed.own;
  }
  switch (msg) {
    case WM_SETFOCUS:
      form->focus_ = control;
      break;
    case WM_GETOBJECT:
      form->ServeAccessibility();
      if (control == form->combo_ || control == form->easter_combo_) {
        const std::wstring& name =
            control == form->combo_ ? form->year_list_name_ : form->easter_list_name_;
        if (const LRESULT named = AnswerGetObjectWithName(control, wp, lp, name.c_str())) {
          return named;
        }
      }
      break;
    default:
      break;
  }
  return own != nullptr ? CallWindowProcW(own, control, msg, wp, lp)
                        : DefWindowProcW(control, msg, wp, lp);
}

LRESULT CALLBACK FmainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<FmainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<FmainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  return form->OnMessage(msg, wp, lp);
}

LRESULT FmainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == CBN_SELCHANGE && (LOWORD(wp) == kComboId || LOWORD(wp) == kEasterComboId)) {
        RunClickHandler(LOWORD(wp) == kComboId ? &Fmain::cboYear_Click : &Fmain::cboEaster_Click);
        return 0;
      }
      break;
    // The focus goes back to the control that had it when the window was
    // last left: after a box it owned, after minimising, after another
    // window. The window itself takes it on the way (restoring from the
    // taskbar, say) and hands it on.
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && HIWORD(wp) == 0) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (!IsIconic(hwnd_)) RestoreFocus();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    // What a dialog's procedure does, asked by the message loop's dialog
    // handling: an access key on a label gives the focus to the label, then
    // to the control after it in the tab order.
    case WM_NEXTDLGCTL: {
      const HWND to = LOWORD(lp) != 0 ? reinterpret_cast<HWND>(wp)
                                      : GetNextDlgTabItem(hwnd_, GetFocus(), wp != 0);
      if (to != nullptr) SetFocus(to);
      return 0;
    }
    case WM_DPICHANGED:
      ApplyDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_GETOBJECT:
      ServeAccessibility();
      break;
    case WM_DESTROY:
      if (live_region_) UnmarkLiveRegion(label_hwnd_);
      break;
    case WM_NCDESTROY: {
      const HWND hwnd = hwnd_;
      hwnd_ = nullptr;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (quit_on_destroy_) PostQuitMessage(0);
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace velmora
