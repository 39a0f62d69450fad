// The system-menu About entry and the subclass procedure, on real windows.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "app/basMain.hpp"
#include "common/languages.hpp"
#include "runtime/recording_runtime.hpp"
#include "runtime/win32/resource_catalogue.hpp"
#include "sysmenu/bas_Aboutprogram.hpp"
#include "sysmenu/win32/bas_SysMenuHook.hpp"

namespace velmora {
namespace {

namespace hook = bas_SysMenuHook;

struct Call {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  HWND hwnd;
};
// What reached the window's own procedure, and what reached DefWindowProcA
// through the subclass procedure, in one log with the About boxes.
std::vector<std::string> g_log;
std::vector<Call> g_own;

constexpr UINT kProbe = WM_USER + 7;
constexpr LRESULT kProbeResult = 0x4242;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  g_own.push_back({msg, wp, lp, hwnd});
  if (msg == WM_SYSCOMMAND) g_log.push_back("own:syscommand");
  if (msg == WM_CLOSE) {
    g_log.push_back("own:close");
    return 0;  // stays open
  }
  if (msg == kProbe) return kProbeResult;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK SpyDefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  g_log.push_back("def:" + std::to_string(msg) + ":" + std::to_string(wp));
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND MakeWindow() {
  static const wchar_t* kClass = L"VelmoraSysMenuTest";
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  return CreateWindowExW(0, kClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

struct Item {
  UINT type, id, state;
  ULONG_PTR data;
  std::wstring text;
};
Item ItemAt(HMENU menu, int pos) {
  wchar_t text[64] = {};
  MENUITEMINFOW mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_STRING;
  mi.dwTypeData = text;
  mi.cch = 63;
  EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mi));
  return {mi.fType, mi.wID, mi.fState, mi.dwItemData, (mi.fType & MFT_SEPARATOR) ? L"" : text};
}

class SysMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    basMain::AppTitle = L"Velmora";
    bas_Aboutprogram::AboutYears = L"2026";
    hwnd = MakeWindow();
    ASSERT_NE(hwnd, nullptr);
    g_log.clear();
    g_own.clear();
    rt.on_box = [](const RecordedBox& box) {
      g_log.push_back("box:" + ToUtf8Title(box.shown_title));
    };
  }
  void TearDown() override {
    hook::DefWindowProcFn = &DefWindowProcA;
    DestroyWindow(hwnd);
  }
  static std::string ToUtf8Title(const std::wstring& t) { return std::string(t.begin(), t.end()); }
  void HookWithRecorder() {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
    hook::DefWindowProcFn = &SpyDefWindowProc;
    hook::AddAboutItem(hwnd, L"");
    g_own.clear();
  }

  RecordingRuntime rt;
  ScopedRuntime installed{rt};
  HWND hwnd = nullptr;
};

TEST_F(SysMenu, TheMenuEndsWithASeparatorAndTheAboutEntry) {
  const HMENU menu = GetSystemMenu(hwnd, FALSE);
  const int before = GetMenuItemCount(menu);
  ASSERT_GT(before, 0);
  hook::AddAboutItem(hwnd, L"");
  ASSERT_EQ(GetMenuItemCount(menu), before + 2);
  const Item separator = ItemAt(menu, before);
  EXPECT_TRUE(separator.type & MFT_SEPARATOR);
  EXPECT_EQ(separator.id, 0u);
  const Item about = ItemAt(menu, before + 1);
  EXPECT_EQ(about.type, static_cast<UINT>(MFT_STRING));
  EXPECT_EQ(about.id, hook::IDM_ABOUT);
  EXPECT_EQ(about.id, 1004u);
  EXPECT_EQ(about.text, L"About...");
  EXPECT_EQ(about.state & (MFS_DISABLED | MFS_CHECKED), 0u);
  EXPECT_EQ(about.data, 0u);
  // The standard items are still in front of them.
  bool close_in_front = false;
  for (int i = 0; i < before; ++i) close_in_front |= ItemAt(menu, i).id == SC_CLOSE;
  EXPECT_TRUE(close_in_front);
}

// The entry and the About box in the language of the process's locale (the
// ctest entries win32_tests.language_* set one for each row of the
// languages table): the entry goes through the ANSI code page, and is
// English where the code page lacks the language's letters.
TEST_F(SysMenu, TheEntryAndTheBoxSpeakTheUsersLanguage) {
  const test::LanguageTexts* language = test::LanguageOfThisProcess();
  ASSERT_NE(language, nullptr) << "no row for UI language " << std::hex
                               << GetUserDefaultUILanguage() << ", code page " << std::dec
                               << GetACP();
  ResourceCatalogue catalogue(GetModuleHandleW(nullptr), UserUiLanguage());
  InstallCatalogue(&catalogue);
  rt.version = {VELMORA_FV_MAJOR, VELMORA_FV_MINOR, VELMORA_FV_REVISION};  // the table's
  const HMENU menu = GetSystemMenu(hwnd, FALSE);
  hook::AddAboutItem(hwnd, L"");
  EXPECT_EQ(ItemAt(menu, GetMenuItemCount(menu) - 1).text, language->menu_entry) << language->name;
  hook::ShowAbout();
  InstallCatalogue(nullptr);
  ASSERT_EQ(rt.boxes.size(), 1u);
  EXPECT_EQ(rt.boxes[0].title, std::optional<std::wstring>(language->about_title));
  EXPECT_EQ(rt.boxes[0].text, language->about_text) << language->name;
}

TEST_F(SysMenu, ANameTextGivesAboutAndTheName) {
  const HMENU menu = GetSystemMenu(hwnd, FALSE);
  hook::InsertSysMenuItem(hwnd, 1004, L"About Velmora", false);
  hook::InsertSysMenuItem(hwnd, 1010, L"About Caf\u00E9 \u00A9",
                          false);  // through the ANSI code page
  const int n = GetMenuItemCount(menu);
  EXPECT_EQ(ItemAt(menu, n - 2).text, L"About Velmora");
  EXPECT_EQ(ItemAt(menu, n - 1).text, L"About Caf\u00E9 \u00A9");
  EXPECT_EQ(ItemAt(menu, n - 1).id, 1010u);
}

TEST_F(SysMenu, AZeroHandleChangesNothing) {
  const HMENU menu = GetSystemMenu(hwnd, FALSE);
  const int before = GetMenuItemCount(menu);
  HookWithRecorder();
  const LONG_PTR stored = hook::PrevWndProc;
  hook::AddAboutItem(nullptr, L"");
  EXPECT_EQ(GetMenuItemCount(menu), before + 2);
  EXPECT_EQ(hook::PrevWndProc, stored);
  EXPECT_EQ(SendMessageW(hwnd, kProbe, 1, 2), kProbeResult);
}

TEST_F(SysMenu, HookingAWindowTwiceChangesNothing) {
  HookWithRecorder();
  const LONG_PTR stored = hook::PrevWndProc;
  hook::HookWindow(hwnd);
  EXPECT_EQ(hook::PrevWndProc, stored);
  EXPECT_EQ(SendMessageW(hwnd, kProbe, 1, 2), kProbeResult);
  EXPECT_EQ(g_own.size(), 1u) << "the message arrived more than once";
}

// An error while the About box is composed or shown: the critical box, and
// the command still goes on to DefWindowProcA.
TEST_F(SysMenu, AnErrorInTheAboutBoxIsReportedAndTheCommandGoesOn) {
  HookWithRecorder();
  rt.on_box = [](const RecordedBox& box) {
    g_log.push_back("box:" + ToUtf8Title(box.shown_title));
    if (box.icon == MsgIcon::kInformation) throw std::bad_alloc();
  };
  EXPECT_EQ(SendMessageW(hwnd, WM_SYSCOMMAND, 1004, 0), 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"box:About", "box:Velmora", "def:274:1004"}));
  ASSERT_EQ(rt.boxes.size(), 2u);
  EXPECT_EQ(rt.boxes[1].text, L"Out of memory");
  EXPECT_EQ(rt.boxes[1].icon, MsgIcon::kCritical);
}

TEST_F(SysMenu, TheAboutCommandOpensTheBoxThenGoesToDefWindowProc) {
  HookWithRecorder();
  EXPECT_EQ(SendMessageW(hwnd, WM_SYSCOMMAND, 1004, 0x00050006), 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"box:About", "def:274:1004"}));
  ASSERT_EQ(rt.boxes.size(), 1u);
  EXPECT_EQ(rt.boxes[0].text, bas_Aboutprogram::AboutText());
  EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(rt.boxes[0].title, std::optional<std::wstring>(L"About"));
  for (const Call& c : g_own) EXPECT_NE(c.msg, static_cast<UINT>(WM_SYSCOMMAND));

  // A second opening gives the same text.
  SendMessageW(hwnd, WM_SYSCOMMAND, 1004, 0);
  ASSERT_EQ(rt.boxes.size(), 2u);
  EXPECT_EQ(rt.boxes[1].text, rt.boxes[0].text);
}

TEST_F(SysMenu, StandardSystemCommandsGoToDefWindowProcOnly) {
  HookWithRecorder();
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(hwnd));
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(hwnd));
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  const std::vector<std::string> expected = {"def:274:" + std::to_string(SC_MINIMIZE),
                                             "def:274:" + std::to_string(SC_RESTORE),
                                             "def:274:" + std::to_string(SC_CLOSE), "own:close"};
  EXPECT_EQ(g_log, expected);
  EXPECT_TRUE(rt.boxes.empty());
  EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(SysMenu, OtherMessagesReachThePreviousProcedureUnchanged) {
  HookWithRecorder();
  const WPARAM wp = static_cast<WPARAM>(0xDEADBEEFu);
  const LPARAM lp = static_cast<LPARAM>(0x12345678);
  EXPECT_EQ(SendMessageW(hwnd, kProbe, wp, lp), kProbeResult);
  ASSERT_EQ(g_own.size(), 1u);
  EXPECT_EQ(g_own[0].hwnd, hwnd);
  EXPECT_EQ(g_own[0].msg, kProbe);
  EXPECT_EQ(g_own[0].wp, wp);
  EXPECT_EQ(g_own[0].lp, lp);
  EXPECT_TRUE(g_log.empty());
}

TEST_F(SysMenu, OnlyTheExactCommandOpensTheBox) {
  HookWithRecorder();
  std::vector<WPARAM> others = {1005, 1003, 0, 0xF3EC};
  for (int bit = 0; bit < 32; ++bit) others.push_back(1004u ^ (1u << bit));
  for (WPARAM wp : others) SendMessageW(hwnd, WM_SYSCOMMAND, wp, 0);
  EXPECT_TRUE(rt.boxes.empty());
  EXPECT_EQ(g_log.size(), others.size()) << "every one went to DefWindowProcA";
}

}  // namespace
}  // namespace velmora
