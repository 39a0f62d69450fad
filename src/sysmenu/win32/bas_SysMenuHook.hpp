// The About entry of the main window's system menu. AddAboutItem appends a
// separator and the entry (command 1004) to the window's system menu and
// subclasses the window with SysMenuWndProc, which opens the About box for
// that command and hands every system command to DefWindowProcA; all other
// messages go on to the window's previous procedure unchanged.
//
// The module works on the ANSI forms of the menu and window-procedure
// functions (InsertMenuItemA, lstrcpyA, SetWindowLongPtrA, CallWindowProcA,
// DefWindowProcA). SetWindowLongPtrA is SetWindowLongA on 32-bit Windows.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace velmora::bas_SysMenuHook {

inline constexpr UINT IDM_ABOUT = 1004;

// The window procedure the window had before subclassing; zero until
// HookWindow runs. Pointer-sized: 32 bits in the 32-bit program, 64 in the
// 64-bit one, where a procedure's address does not fit a LONG.
extern LONG_PTR PrevWndProc;

// The menu-item record in its 44-byte form: MENUITEMINFOA without its last
// member (hbmpItem), as the earliest systems know it.
inline constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

// The item data the separator carries: the value of its own type flag,
// MFT_SEPARATOR (0x800). The entry itself carries none.
inline constexpr ULONG_PTR kSeparatorItemData = MFT_SEPARATOR;

void AddAboutItem(HWND hwnd, const std::wstring& name);
void InsertSysMenuItem(HWND hwnd, UINT item_id, const std::wstring& item_text, bool with_separator);
// Subclasses the window with SysMenuWndProc; a window already hooked stays
// as it is.
void HookWindow(HWND hwnd);
LRESULT CALLBACK SysMenuWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Shows the About box: the About text, the information icon, the title "About".
void ShowAbout();

// The default handling SysMenuWndProc hands system commands to. It is
// DefWindowProcA; a test may put a recorder in front of it that passes on.
extern WNDPROC DefWindowProcFn;

}  // namespace velmora::bas_SysMenuHook
