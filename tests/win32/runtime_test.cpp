// The Win32 runtime's version numbers come from the program's own version
// resource as the loader mapped it; they must be what Windows' own reading
// of the file (VERSION.dll) gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "resource.h"
#include "runtime/win32/win32_runtime.hpp"
#include "velmora_version.h"

namespace velmora {
namespace {

AppVersion VersionFromVersionDll(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<unsigned char> block(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT info_size = 0;
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &info_size)) {
    ADD_FAILURE() << "VERSION.dll cannot read " << std::string(path.begin(), path.end());
    return {};
  }
  return {static_cast<Int16>(HIWORD(info->dwFileVersionMS)),
          static_cast<Int16>(LOWORD(info->dwFileVersionMS)),
          static_cast<Int16>(LOWORD(info->dwFileVersionLS))};
}

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

TEST(Win32RuntimeVersion, IsTheFilesVersionAsWindowsReadsIt) {
  Win32Runtime rt(L"");
  const AppVersion expected{VELMORA_FV_MAJOR, VELMORA_FV_MINOR, VELMORA_FV_REVISION};
  EXPECT_EQ(rt.Version(), expected);
  EXPECT_EQ(rt.Version(), VersionFromVersionDll(OwnPath()));
}

TEST(Win32RuntimeVersion, ReadsAnotherModulesResourceAndNothingFromOneWithout) {
  // A system DLL loaded as an image resource: its version, as VERSION.dll
  // reads it from the file.
  wchar_t system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring comctl = std::wstring(system) + L"\\comctl32.dll";
  const HMODULE image = LoadLibraryExW(comctl.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ReadFileVersion(image), VersionFromVersionDll(comctl));
  FreeLibrary(image);

  // A copy of the test program with its resources removed is a module
  // without a version resource: all numbers 0, no failure.
  // In a folder of this run's own, made anew: the 96 and 144 DPI runs of
  // this program go on side by side, each in a Wine of its own, where
  // their process ids can be the same.
  std::wstring folder;
  for (int n = 0; folder.empty() && n < 1000; ++n) {
    const std::wstring name = OwnPath() + L".noversion" + std::to_wstring(n);
    if (CreateDirectoryW(name.c_str(), nullptr)) folder = name;
  }
  ASSERT_FALSE(folder.empty());
  const std::wstring copy = folder + L"\\noversion.exe";
  ASSERT_TRUE(CopyFileW(OwnPath().c_str(), copy.c_str(), FALSE));
  const HANDLE update = BeginUpdateResourceW(copy.c_str(), TRUE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
  const HMODULE without = LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(without, nullptr) << "error " << GetLastError();
  EXPECT_EQ(ReadFileVersion(without), AppVersion{});
  FreeLibrary(without);
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

// The program icon's images (32x32 a bitmap, 64x64 and 128x128 PNG) each
// load at their own size and draw with opaque and transparent pixels.
TEST(ProgramIcon, EachImageLoadsAndDrawsWithItsMask) {
  for (const int size : {32, 64, 128}) {
    const auto icon = static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> drawn[2];
    for (const COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
      void* bits = nullptr;
      const HDC dc = CreateCompatibleDC(nullptr);
      const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      const HGDIOBJ old = SelectObject(dc, bitmap);
      const HBRUSH brush = CreateSolidBrush(background);
      const RECT all{0, 0, size, size};
      FillRect(dc, &all, brush);
      DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      GdiFlush();
      const auto* pixels = static_cast<const COLORREF*>(bits);
      drawn[background != 0].assign(pixels, pixels + size * size);
      SelectObject(dc, old);
      DeleteObject(brush);
      DeleteObject(bitmap);
      DeleteDC(dc);
    }
    int opaque = 0;
    for (int i = 0; i < size * size; ++i) opaque += drawn[0][i] == drawn[1][i];
    EXPECT_GT(opaque, size * size / 8) << size;
    EXPECT_LT(opaque, size * size) << size;
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace velmora
