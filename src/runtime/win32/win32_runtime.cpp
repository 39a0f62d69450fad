#include "runtime/win32/win32_runtime.hpp"

#include <vector>

#include "resource.h"

namespace velmora {

Win32Runtime::Win32Runtime(std::wstring command) : command_(std::move(command)) {}

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

AppVersion ReadFileVersion(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT info_size = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &info_size) ||
      info == nullptr || info_size < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  return {Narrow16(HIWORD(info->dwFileVersionMS)), Narrow16(LOWORD(info->dwFileVersionMS)),
          Narrow16(LOWORD(info->dwFileVersionLS))};
}

AppVersion Win32Runtime::Version() { return ReadFileVersion(GetModuleHandleW(nullptr)); }

std::wstring Win32Runtime::Command() { return command_; }

DateTime Win32Runtime::Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {Narrow16(t.wYear), Narrow16(t.wMonth),  Narrow16(t.wDay),
          Narrow16(t.wHour), Narrow16(t.wMinute), Narrow16(t.wSecond)};
}

}  // namespace velmora
