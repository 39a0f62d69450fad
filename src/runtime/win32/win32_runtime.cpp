#include "runtime/win32/win32_runtime.hpp"

#include <cstring>

#include "resource.h"
#include "runtime/checked.hpp"

namespace velmora {

Win32Runtime::Win32Runtime(std::wstring command, std::wstring settings_key)
    : command_(std::move(command)), settings_key_(std::move(settings_key)) {}

UINT MsgBoxStyle(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kInformation:
      return MB_OK | MB_ICONINFORMATION;
    case MsgIcon::kExclamation:
      return MB_OK | MB_ICONEXCLAMATION;
    case MsgIcon::kCritical:
      return MB_OK | MB_ICONERROR;
  }
  return MB_OK;
}

void Win32Runtime::MsgBox(const std::wstring& text, MsgIcon icon,
                          const std::optional<std::wstring>& title) {
  const std::wstring caption = title.value_or(AppTitle());
  // Owned by the active window of the program, if any, like any modal box.
  MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), MsgBoxStyle(icon));
}

std::wstring LoadAppTitle(HMODULE module) {
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadStringW hands out a pointer into the resource.
  const int length = LoadStringW(module, IDS_APPTITLE, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return L"Velmora";
  return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring Win32Runtime::AppTitle() { return LoadAppTitle(GetModuleHandleW(nullptr)); }

// The fixed part of the program's version resource, read from the image the
// loader mapped: the same bytes GetFileVersionInfo would read from the file,
// without loading VERSION.dll at start-up for it. The block begins with
// its length, the value's length and type, the key "VS_VERSION_INFO" and
// padding to 32 bits; the fixed file information follows.
AppVersion ReadFileVersion(HMODULE module) {
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(module, found);
  const auto* block = static_cast<const unsigned char*>(LockResource(loaded));
  const DWORD size = SizeofResource(module, found);
  constexpr wchar_t kKey[] = L"VS_VERSION_INFO";
  constexpr std::size_t kValueOffset = (3 * sizeof(WORD) + sizeof kKey + 3) & ~std::size_t{3};
  if (block == nullptr || size < kValueOffset + sizeof(VS_FIXEDFILEINFO)) return {};
  WORD value_length = 0;
  std::memcpy(&value_length, block + sizeof(WORD), sizeof value_length);
  if (value_length < sizeof(VS_FIXEDFILEINFO) ||
      std::memcmp(block + 3 * sizeof(WORD), kKey, sizeof kKey) != 0) {
    return {};
  }
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, block + kValueOffset, sizeof info);
  if (info.dwSignature != VS_FFI_SIGNATURE) return {};
  return {Narrow16(HIWORD(info.dwFileVersionMS)), Narrow16(LOWORD(info.dwFileVersionMS)),
          Narrow16(LOWORD(info.dwFileVersionLS))};
}

AppVersion Win32Runtime::Version() { return ReadFileVersion(GetModuleHandleW(nullptr)); }

std::wstring Win32Runtime::Command() { return command_; }

DateTime Win32Runtime::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {Narrow16(t.wYear), Narrow16(t.wMonth),  Narrow16(t.wDay),
          Narrow16(t.wHour), Narrow16(t.wMinute), Narrow16(t.wSecond)};
}

// A setting is a text value (REG_SZ) of the key; a value of another type,
// or longer than any the program writes, reads as missing.
std::optional<std::wstring> Win32Runtime::GetSetting(const std::wstring& name) {
  wchar_t value[64];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, settings_key_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                   value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(value, size / sizeof(wchar_t) > 0 ? size / sizeof(wchar_t) - 1 : 0);
}

bool Win32Runtime::SaveSetting(const std::wstring& name, const std::wstring& value) {
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(HKEY_CURRENT_USER, settings_key_.c_str(), name.c_str(), REG_SZ,
                         value.c_str(), bytes) == ERROR_SUCCESS;
}

}  // namespace velmora
