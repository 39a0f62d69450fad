// The Win32 runtime's version numbers come from the program's own version
// resource as the loader mapped it; they must be what Windows' own reading
// of the file (VERSION.dll) gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>

#include "resource.h"
#include "runtime/win32/console_text.hpp"
#include "runtime/win32/resource_catalogue.hpp"
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

// The language a user gets, the way Windows picks resources: the user's own
// language, else its neutral language, else English (0). The program
// carries each language's texts, and only its own.
TEST(ResourceCatalogue, ChoosesTheUsersLanguageItsNeutralOneOrEnglish) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const std::vector<LANGID> carried = CarriedLanguages(module);
  ASSERT_GE(carried.size(), 12u);
  const struct {
    LANGID user, chosen;
  } cases[] = {
      {0x0407, 0x0007},  // de-DE: de
      {0x0C07, 0x0007},  // de-AT: de
      {0x0416, 0x0016},  // pt-BR: pt
      {0x041A, 0x001A},  // hr-HR: hr
      {0x0C1A, 0},       // sr-Cyrl-CS: not Croatian, which shares its primary id
      {0x0409, 0},       // en-US
      {0x0411, 0},       // ja-JP: not carried
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseLanguage(c.user, carried), c.chosen) << std::hex << c.user;
  }
  for (const LANGID language : carried) {
    ResourceCatalogue catalogue(module, language);
    for (const Msg msg :
         {Msg(L"Year"), Msg(L"In the year %1, Easter holiday occurs in day %2, month %3.")}) {
      const std::wstring text = catalogue.Translation(msg);
      EXPECT_FALSE(text.empty() || text == msg.english()) << std::hex << language;
    }
    EXPECT_EQ(catalogue.Translation(Msg(L"unknown option \"%1\"")), L"")
        << "velmora-cli's text in velmora.exe";
  }
}

// velmora-cli.exe's text reaches a console as wide text, whatever its code
// page (a file or a pipe gets the UTF-8 bytes: the cli_program tests).
// The user's settings as text values of a key of HKEY_CURRENT_USER (a key
// of the test's own, not the program's): what is written reads back; a
// missing value, one of another type or one too long for any choice reads
// as missing; a write that cannot be made says so and raises nothing.
TEST(Win32RuntimeSettings, ATextValueOfTheUsersKey) {
  const std::wstring key = L"Software\\Velmora-test-" + std::to_wstring(GetCurrentProcessId());
  Win32Runtime rt(L"", key);
  EXPECT_EQ(rt.GetSetting(L"Easter"), std::nullopt);
  ASSERT_TRUE(rt.SaveSetting(L"Easter", L"orthodox"));
  EXPECT_EQ(rt.GetSetting(L"Easter"), std::optional<std::wstring>(L"orthodox"));
  ASSERT_TRUE(rt.SaveSetting(L"Easter", L""));
  EXPECT_EQ(rt.GetSetting(L"Easter"), std::optional<std::wstring>(L""));
  const DWORD two = 2;
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Easter", REG_DWORD, &two, sizeof two);
  EXPECT_EQ(rt.GetSetting(L"Easter"), std::nullopt);
  const std::wstring long_text(200, L'x');
  ASSERT_TRUE(rt.SaveSetting(L"Easter", long_text));
  EXPECT_EQ(rt.GetSetting(L"Easter"), std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  // A key name that cannot be made: a component longer than the registry's
  // 255 characters.
  Win32Runtime refused(L"", L"Software\\" + std::wstring(300, L'k'));
  EXPECT_FALSE(refused.SaveSetting(L"Easter", L"western"));
  EXPECT_EQ(refused.GetSetting(L"Easter"), std::nullopt);
}

TEST(ConsoleText, AConsoleShowsEveryLetterWhateverItsCodePage) {
  const std::string text =
      "\xD0\x9F\xD0\xB0\xD1\x81\xD1\x85\xD0\xB0 \xCE\xA0\xCE\xAC\xCF\x83\xCF\x87\xCE\xB1 \xC3\xA9";
  const std::wstring wide = L"\u041F\u0430\u0441\u0445\u0430 \u03A0\u03AC\u03C3\u03C7\u03B1 \u00E9";
  const HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  SetStdHandle(STD_OUTPUT_HANDLE, saved);  // the test's own output stays where it was
  SetConsoleOutputCP(437);
  const HANDLE console =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &info));
  std::FILE* stream = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(console), _O_WRONLY), "w");
  ASSERT_NE(stream, nullptr);
  ASSERT_TRUE(IsConsole(stream));
  EXPECT_EQ(WriteText(stream, text), text.size());
  std::wstring shown(wide.size(), L'\0');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()),
                              info.dwCursorPosition, &read);
  EXPECT_EQ(shown, wide);
  std::fclose(stream);
  FreeConsole();
}

}  // namespace
}  // namespace velmora
