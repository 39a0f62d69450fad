// Start-up against real windows, with the recording runtime's fixed clock
// and command line.
#include <gtest/gtest.h>

#include "app/basMain.hpp"
#include "app/win32/win32_host.hpp"
#include "runtime/recording_runtime.hpp"
#include "runtime/text.hpp"
#include "runtime/win32/resource_catalogue.hpp"
#include "sentence/result_sentence.hpp"
#include "sysmenu/bas_Aboutprogram.hpp"
#include "test_util.hpp"

namespace velmora {
namespace {

using test::CalendarDate;
using test::WindowText;

struct StartUp {
  const wchar_t* command;
  DateTime now;
  // What the user sees: the boxes in order ("" when none), then the window.
  std::vector<std::pair<MsgIcon, std::wstring>> boxes;
  bool loaded, shown;
  int selected;  // -1: none
  std::wstring label;
  int calendar;
  // The user's UI language (English when 0) and the choice of Easter
  // remembered for the user (none when nullptr).
  LANGID language = 0;
  const wchar_t* stored = nullptr;
};

// The window's sentence in a language, as its catalogue gives it.
std::wstring SentenceIn(LANGID language, Int16 year, Int16 day, Int16 month, Int16 method) {
  ResourceCatalogue catalogue(GetModuleHandleW(nullptr), language);
  InstallCatalogue(&catalogue);
  std::wstring sentence = ResultSentence(year, day, month, method);
  InstallCatalogue(nullptr);
  return sentence;
}

const std::wstring k2026 = L"In the year 2026, Easter holiday occurs in day 5, month 4.";

std::vector<StartUp> Cases() {
  using I = MsgIcon;
  constexpr int kStored = test::kStoredCalendarDate;
  const DateTime dec7{2026, 12, 7, 9, 30, 0};
  // Between Western Easter 2026 (5 April) and Orthodox Easter (12 April).
  const DateTime apr8{2026, 4, 8, 12, 0, 0};
  constexpr LANGID kGreek = 0x0408;
  const std::wstring el2030 = SentenceIn(kGreek, 2030, 28, 4, 2);
  const std::wstring el2030w = SentenceIn(kGreek, 2030, 21, 4, 3);
  const std::wstring el2026 = SentenceIn(kGreek, 2026, 12, 4, 2);
  const std::wstring en2030 = L"In the year 2030, Orthodox Easter occurs in day 28, month 4.";
  const std::wstring en2024 = L"In the year 2024, Orthodox Easter occurs in day 5, month 5.";
  return {
      {L"", {2026, 3, 1, 12, 0, 0}, {{I::kInformation, k2026}}, true, true, 126, k2026, 20260405},
      {L"", {2026, 6, 1, 12, 0, 0}, {}, true, true, 126, k2026, 20260405},
      {L"", {2026, 4, 5, 0, 0, 0}, {}, true, true, 126, k2026, 20260405},
      {L"", {2026, 4, 5, 23, 59, 59}, {}, true, true, 126, k2026, 20260405},
      {L"", {2026, 4, 4, 23, 59, 59}, {{I::kInformation, k2026}}, true, true, 126, k2026, 20260405},
      {L"2026", {2026, 4, 20, 8, 0, 0}, {}, true, true, 126, k2026, 20260405},
      {L"2030",
       dec7,
       {{I::kInformation, L"In the year 2030, Easter holiday occurs in day 21, month 4."}},
       true,
       true,
       130,
       L"In the year 2030, Easter holiday occurs in day 21, month 4.",
       20300421},
      {L"1990",
       dec7,
       {},
       true,
       true,
       90,
       L"In the year 1990, Easter holiday occurs in day 15, month 4.",
       19900415},
      {L"1900",
       dec7,
       {},
       true,
       true,
       0,
       L"In the year 1900, Easter holiday occurs in day 15, month 4.",
       19000415},
      {L"2100",
       dec7,
       {{I::kInformation, L"In the year 2100, Easter holiday occurs in day 28, month 3."}},
       true,
       true,
       200,
       L"In the year 2100, Easter holiday occurs in day 28, month 3.",
       21000328},
      {L"2025.5", {2026, 6, 1, 0, 0, 0}, {}, true, true, 126, k2026, 20260405},
      {L"2024.5",
       dec7,
       {},
       true,
       true,
       124,
       L"In the year 2024, Easter holiday occurs in day 31, month 3.",
       20240331},
      {L"abc",
       dec7,
       {{I::kExclamation, L"Gregorian calendar Easters apply for years 1583 to 4099 only."}},
       true,
       true,
       -1,
       L"",
       kStored},
      // The date is put on the calendar, then the year cannot be selected.
      {L"1800", dec7, {{I::kCritical, L"Invalid property value"}}, true, false, -1, L"", 18000413},
      {L"2101", dec7, {{I::kCritical, L"Invalid property value"}}, true, false, -1, L"", 21010417},
      // The calendar refuses a date before 14 September 1752 already.
      {L"1700", dec7, {{I::kCritical, L"Invalid property value"}}, true, false, -1, L"", kStored},
      {L"1590", dec7, {{I::kCritical, L"Invalid property value"}}, true, false, -1, L"", kStored},
      {L"40000", dec7, {{I::kCritical, L"Overflow"}}, false, false, -1, L"", 0},
      // Orthodox Easter where the user's language keeps it, or the user
      // chose it; the box while it lies ahead, after Western Easter too.
      {L"2030", dec7, {{I::kInformation, el2030}}, true, true, 130, el2030, 20300428, kGreek},
      {L"", apr8, {{I::kInformation, el2026}}, true, true, 126, el2026, 20260412, kGreek},
      {L"", apr8, {}, true, true, 126, k2026, 20260405},
      {L"2030",
       dec7,
       {{I::kInformation, en2030}},
       true,
       true,
       130,
       en2030,
       20300428,
       0,
       L"orthodox"},
      {L"2024", dec7, {}, true, true, 124, en2024, 20240505, 0, L"orthodox"},
      {L"2030",
       dec7,
       {{I::kInformation, el2030w}},
       true,
       true,
       130,
       el2030w,
       20300421,
       kGreek,
       L"western"},
  };
}

TEST(Main, StartUpCases) {
  for (const StartUp& c : Cases()) {
    SCOPED_TRACE(testing::Message()
                 << "command \"" << ToUtf8(c.command) << "\", now " << c.now.year << "-"
                 << c.now.month << "-" << c.now.day << " " << c.now.hour << ":" << c.now.minute);
    RecordingRuntime rt;
    ScopedRuntime installed(rt);
    rt.command = c.command;
    rt.now = c.now;
    if (c.stored != nullptr) rt.settings[Fmain::kEasterSetting] = c.stored;
    ResourceCatalogue catalogue(GetModuleHandleW(nullptr), c.language);
    InstallCatalogue(&catalogue);
    Win32Host host(false);
    // Every box is modal and comes before the window is visible.
    std::vector<bool> window_visible_at_box;
    rt.on_box = [&](const RecordedBox&) {
      window_visible_at_box.push_back(host.form() != nullptr &&
                                      IsWindowVisible(host.form()->window()));
    };

    basMain::Main(host);
    InstallCatalogue(nullptr);
    EXPECT_EQ(rt.setting_writes, 0) << "start-up remembers nothing";

    ASSERT_EQ(rt.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      EXPECT_EQ(rt.boxes[i].icon, c.boxes[i].first);
      EXPECT_EQ(rt.boxes[i].text, c.boxes[i].second);
      EXPECT_EQ(rt.boxes[i].shown_title, L"Velmora");
      EXPECT_FALSE(window_visible_at_box[i]);
    }
    EXPECT_EQ(basMain::AppTitle, L"Velmora");
    EXPECT_EQ(bas_Aboutprogram::AboutYears, L"2026");
    ASSERT_EQ(host.form() != nullptr, c.loaded);
    EXPECT_EQ(host.WindowShown(), c.shown);
    if (!c.loaded) continue;
    FmainWindow& form = *host.form();
    EXPECT_EQ(WindowText(form.window()), L"Velmora");
    EXPECT_EQ(SendMessageW(form.combo(), CB_GETCURSEL, 0, 0), c.selected);
    EXPECT_EQ(WindowText(form.label()), c.label);
    EXPECT_EQ(CalendarDate(form.calendar()), c.calendar);
    // The About entry is added once the window is shown.
    const HMENU menu = GetSystemMenu(form.window(), FALSE);
    const UINT last = GetMenuItemID(menu, GetMenuItemCount(menu) - 1);
    EXPECT_EQ(last == 1004, c.shown);
  }
}

// The window system refuses to create windows of one class.
const wchar_t* g_refused_class = L"";
LRESULT CALLBACK RefuseCreation(int code, WPARAM wp, LPARAM lp) {
  wchar_t name[64] = {};
  if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wp), name, 64) > 0 &&
      std::wstring(name) == g_refused_class) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Start-up ends in the critical box naming what could not be created; the
// window is never shown (the program then ends with exit code 1).
TEST(Main, AWindowThatCannotBeCreatedIsNamedInTheErrorReport) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"VelmoraFmain", L"The main window could not be created."},
      {L"Static", L"The result label could not be created."},
      {L"SysMonthCal32", L"The month calendar could not be created."},
      {L"ComboBox", L"The year list could not be created."},
  };
  for (const auto& [refused, report] : cases) {
    RecordingRuntime rt;
    ScopedRuntime installed(rt);
    rt.command = L"1990";
    g_refused_class = refused;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, &RefuseCreation, nullptr, GetCurrentThreadId());
    Win32Host host(false);
    basMain::Main(host);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(rt.boxes.size(), 1u);
    EXPECT_EQ(rt.boxes[0].text, report);
    EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kCritical);
    EXPECT_FALSE(host.WindowShown());
  }
}

TEST(Main, TheLabelHoldsTheSentenceWhileTheResultBoxIsOpen) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  rt.command = L"2030";
  rt.now = {2026, 12, 7, 9, 0, 0};
  Win32Host host(false);
  std::wstring label_at_box;
  rt.on_box = [&](const RecordedBox&) { label_at_box = WindowText(host.form()->label()); };
  basMain::Main(host);
  EXPECT_EQ(label_at_box, L"In the year 2030, Easter holiday occurs in day 21, month 4.");
}

}  // namespace
}  // namespace velmora
