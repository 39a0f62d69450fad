// velmora.exe: installs the user's language and the Win32 runtime, runs
// start-up and then the window's message loop. Exit code 0 when the window
// is closed; 1 when start-up ended in an error report before the window was
// shown.
#include <windows.h>

#include "app/basMain.hpp"
#include "app/win32/win32_host.hpp"
#include "runtime/win32/resource_catalogue.hpp"
#include "runtime/win32/win32_runtime.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  // The texts in the user's language, from the program's tables of texts.
  velmora::ResourceCatalogue catalogue(instance, velmora::UserUiLanguage());
  velmora::InstallCatalogue(&catalogue);
  velmora::Win32Runtime runtime(command_line != nullptr ? command_line : L"");
  velmora::InstallRuntime(&runtime);

  velmora::Win32Host host(/*quit_on_destroy=*/true);
  velmora::basMain::Main(host);
  if (!host.WindowShown()) return 1;

  const HWND window = host.form()->window();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab moves between the list and the calendar.
    if (IsWindow(window) && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
