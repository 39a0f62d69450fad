#include "ui/win32/FmainWindow.hpp"

#include <commctrl.h>

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
  // Subclassed through the window procedure itself: comctl32's
  // SetWindowSubclass looks its data up as a window property on every
  // message, which under Wine is a trip to the server each time (about 45 ms
  // more at start-up).
  controls_[0].hwnd = combo_;
  controls_[1].hwnd = calendar_hwnd_;
  controls_[2].hwnd = label_hwnd_;
  for (Subclassed& control : controls_) {
    SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    control.own = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FmainWindow::ControlProc)));
  }
  if (ScreenReaderRunning()) ServeAccessibility();
  SetWindowPos(combo_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(combo_, CB_SETMINVISIBLE, kVisibleEntries, 0);

  // The year list's accessible name: no label stands in front of the list,
  // from which a screen reader could take one.
  // TRANSLATORS: the year list's name, as a screen reader reads it.
  year_list_name_ = Tr(L"Year");
  year_list_ = std::make_unique<Win32YearList>(combo_, [this] { cboYear_Click(); });
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

  SendMessageW(label_hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
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
  InvalidateRect(hwnd_, nullptr, TRUE);

  if (old_font != nullptr) DeleteObject(old_font);
  if (old_calendar_font != nullptr) DeleteObject(old_calendar_font);
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
void FmainWindow::RunClickHandler() {
  RunTrapped([this] { cboYear_Click(); });
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
      if (control == form->combo_) {
        if (const LRESULT named = AnswerGetObjectWithName(control, wp, lp, form->year_list_name_)) {
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
      if (LOWORD(wp) == kComboId && HIWORD(wp) == CBN_SELCHANGE) {
        RunClickHandler();
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
