// Win32 backend of the runtime: message boxes, the application title from
// the program's string table, the version from the running file's own
// version resource, the command line as WinMain receives it, the local
// clock, and the user's settings as text values of the registry key
// HKCU\Software\Velmora.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/runtime.hpp"

namespace velmora {

class Win32Runtime : public Runtime {
 public:
  // `command` is the text after the program's name, as WinMain receives it;
  // the settings are kept under HKEY_CURRENT_USER's `settings_key`.
  explicit Win32Runtime(std::wstring command, std::wstring settings_key = kSettingsKey);

  void MsgBox(const std::wstring& text, MsgIcon icon,
              const std::optional<std::wstring>& title) override;
  std::wstring AppTitle() override;
  AppVersion Version() override;
  std::wstring Command() override;
  DateTime Now() override;
  std::optional<std::wstring> GetSetting(const std::wstring& name) override;
  bool SaveSetting(const std::wstring& name, const std::wstring& value) override;

  static constexpr const wchar_t* kSettingsKey = L"Software\\Velmora";

 private:
  std::wstring command_;
  std::wstring settings_key_;
};

// The application title stored in the module's string table ("Velmora"),
// or "Velmora" when the module carries none.
std::wstring LoadAppTitle(HMODULE module);

// Major, minor and revision (the first, second and fourth numbers) of the
// file version in the module's version resource; zeroes when it has none.
// A number above 32767 raises the overflow error.
AppVersion ReadFileVersion(HMODULE module);

// The MessageBox style for an icon kind, with a single OK button.
UINT MsgBoxStyle(MsgIcon icon);

}  // namespace velmora
