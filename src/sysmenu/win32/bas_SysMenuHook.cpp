#include "sysmenu/win32/bas_SysMenuHook.hpp"

#include "runtime/error_trap.hpp"
#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/win32/ansi.hpp"
#include "sysmenu/bas_Aboutprogram.hpp"

static_assert(sizeof(void*) != 4 || velmora::bas_SysMenuHook::kMenuItemInfoSize == 44,
              "the 32-bit record without hbmpItem is 44 bytes");

namespace velmora::bas_SysMenuHook {
namespace {

// Marks a window as subclassed by SysMenuWndProc, for as long as it lives.
constexpr const wchar_t* kHookedProperty = L"Velmora.SysMenuHook";

}  // namespace

LONG_PTR PrevWndProc = 0;
WNDPROC DefWindowProcFn = &DefWindowProcA;

void AddAboutItem(HWND hwnd, const std::wstring& name) {
  // "About" and "...", or "About", a blank and the name. The entry goes to
  // the menu in the ANSI code page: where the user's language cannot pass
  // through it whole, the entry stays English rather than show question
  // marks.
  // TRANSLATORS: the last entry of the window's system menu, which opens
  // the About box; the second form names the program (%1).
  const std::wstring item_text = name.empty() ? AnsiOrEnglish(Msg(L"About..."))
                                              : Fill(AnsiOrEnglish(Msg(L"About %1")), {name});
  InsertSysMenuItem(hwnd, IDM_ABOUT, item_text, true);
  HookWindow(hwnd);
}

void InsertSysMenuItem(HWND hwnd, UINT item_id, const std::wstring& item_text,
                       bool with_separator) {
  if (hwnd == nullptr) return;

  const std::string ansi_text = ToAnsi(item_text);
  std::string buffer(ansi_text.size() + 1, '\0');
  static char kEmptyText[1] = {'\0'};

  const HMENU menu = GetSystemMenu(hwnd, FALSE);
  MENUITEMINFOA record{};

  if (with_separator) {
    record.cbSize = kMenuItemInfoSize;
    record.fMask = MIIM_TYPE | MIIM_DATA;
    record.fType = MFT_SEPARATOR;
    record.dwItemData = kSeparatorItemData;
    record.dwTypeData = kEmptyText;
    record.cch = 0;
    InsertMenuItemA(menu, item_id, FALSE, &record);
  }

  lstrcpyA(buffer.data(), ansi_text.c_str());
  record.cbSize = kMenuItemInfoSize;
  record.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
  record.fType = MFT_STRING;
  record.fState = 0;
  record.wID = item_id;
  record.dwItemData = 0;
  record.dwTypeData = buffer.data();
  record.cch = static_cast<UINT>(buffer.size());
  InsertMenuItemA(menu, item_id, FALSE, &record);
}

void HookWindow(HWND hwnd) {
  // Without a window there is nothing to subclass, and the procedure stored
  // for the window already hooked must stay. A window hooked before keeps
  // its hook as it is: hooking it again would store SysMenuWndProc as its
  // own previous procedure, and every message would recurse.
  if (hwnd == nullptr || GetPropW(hwnd, kHookedProperty) != nullptr) return;
  PrevWndProc = SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SysMenuWndProc));
  SetPropW(hwnd, kHookedProperty, reinterpret_cast<HANDLE>(1));
}

LRESULT CALLBACK SysMenuWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND) {
    // No error may unwind through the window system's frames: one raised
    // while composing or showing the About box is reported here.
    if (wp == IDM_ABOUT) RunTrapped(&ShowAbout);
    return DefWindowProcFn(hwnd, WM_SYSCOMMAND, wp, lp);
  }
  if (msg == WM_NCDESTROY) RemovePropW(hwnd, kHookedProperty);
  return CallWindowProcA(reinterpret_cast<WNDPROC>(PrevWndProc), hwnd, msg, wp, lp);
}

void ShowAbout() {
  // TRANSLATORS: the title of the About box.
  Rt().MsgBox(bas_Aboutprogram::AboutText(), MsgIcon::kInformation, Tr(L"About"));
}

}  // namespace velmora::bas_SysMenuHook
