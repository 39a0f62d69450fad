// Fmain as a real window under the window system: its list, calendar and
// label, the click handler, and the layout at the DPI the system reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <tuple>
#include <vector>

#include "runtime/errors.hpp"
#include "runtime/recording_runtime.hpp"
#include "runtime/text.hpp"
#include "runtime/win32/resource_catalogue.hpp"
#include "sentence/result_sentence.hpp"
#include "test_util.hpp"
#include "ui/win32/FmainWindow.hpp"

// Allocations in this program can be made to fail: once armed, the n-th
// allocation from then on throws std::bad_alloc, as it would with no memory
// left.
namespace {
int g_allocations_until_failure = 0;
}  // namespace

// The replacements pair malloc with free themselves; at -Os GCC inlines the
// deletes and takes their free for one that mismatches operator new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (g_allocations_until_failure > 0 && --g_allocations_until_failure == 0) {
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace velmora {
namespace {

using test::CalendarDate;
using test::ChildRect;
using test::WindowText;

class FmainTest : public ::testing::Test {
 protected:
  void SetUp() override { form = FmainWindow::Load(false); }
  int Selected() { return static_cast<int>(SendMessageW(form->combo(), CB_GETCURSEL, 0, 0)); }

  RecordingRuntime rt;
  ScopedRuntime installed{rt};
  std::unique_ptr<FmainWindow> form;
};

TEST_F(FmainTest, LoadFillsTheListAndSetsTheCaption) {
  EXPECT_EQ(WindowText(form->window()), L"Velmora");
  EXPECT_FALSE(IsWindowVisible(form->window()));
  ASSERT_EQ(SendMessageW(form->combo(), CB_GETCOUNT, 0, 0), 201);
  for (int i = 0; i < 201; ++i) {
    wchar_t text[16] = {};
    SendMessageW(form->combo(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    ASSERT_EQ(std::wstring(text), std::to_wstring(1900 + i));
  }
  EXPECT_EQ(Selected(), CB_ERR);
  EXPECT_EQ(form->cboYear().ListIndex(), -1);
  EXPECT_EQ(WindowText(form->label()), L"");
  EXPECT_EQ(CalendarDate(form->calendar()), test::kStoredCalendarDate);
  EXPECT_TRUE(rt.boxes.empty());
}

TEST_F(FmainTest, SelectingAYearRunsTheClickHandlerAtOnce) {
  struct Case {
    int year;
    int date;
    const wchar_t* sentence;
  };
  const Case cases[] = {
      {2024, 20240331, L"In the year 2024, Easter holiday occurs in day 31, month 3."},
      {2025, 20250420, L"In the year 2025, Easter holiday occurs in day 20, month 4."},
      {2038, 20380425, L"In the year 2038, Easter holiday occurs in day 25, month 4."},
      {1900, 19000415, L"In the year 1900, Easter holiday occurs in day 15, month 4."},
      {2100, 21000328, L"In the year 2100, Easter holiday occurs in day 28, month 3."},
      {2030, 20300421, L"In the year 2030, Easter holiday occurs in day 21, month 4."},
  };
  for (const auto& c : cases) {
    form->cboYear().SetListIndex(static_cast<Int16>(c.year - 1900));
    EXPECT_EQ(Selected(), c.year - 1900);
    EXPECT_EQ(WindowText(form->label()), c.sentence);
    EXPECT_EQ(CalendarDate(form->calendar()), c.date);
  }
  EXPECT_TRUE(rt.boxes.empty()) << "a pick shows no box, even for a year still to come";
}

TEST_F(FmainTest, CalendarEndsOnTheDateWhenAnIntermediateDayDoesNotExist) {
  form->cboYear().SetListIndex(124);  // 2024: 31 March
  ASSERT_EQ(CalendarDate(form->calendar()), 20240331);
  form->cboYear().SetListIndex(125);  // 2025: 20 April, through "31 April"
  EXPECT_EQ(CalendarDate(form->calendar()), 20250420);

  // Each put on its own, as start-up does it.
  form->Cal().PutYear(2024);
  form->Cal().PutMonth(3);
  form->Cal().PutDay(31);
  form->Cal().PutMonth(2);  // 31 February: shows the month's last day for now
  EXPECT_EQ(CalendarDate(form->calendar()), 20240229);
  form->Cal().PutYear(2023);
  EXPECT_EQ(CalendarDate(form->calendar()), 20230228);
  form->Cal().PutMonth(5);
  EXPECT_EQ(CalendarDate(form->calendar()), 20230531);
}

// Common Controls 6.1's zoomed-out views (a year, a decade, a century),
// which Wine's calendar lacks, played by a subclass of the calendar that
// answers the view messages.
LRESULT CALLBACK ZoomingCalendar(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                 DWORD_PTR data) {
  auto& view = *reinterpret_cast<LPARAM*>(data);
  if (msg == MCM_GETCURRENTVIEW) return view;
  if (msg == MCM_SETCURRENTVIEW) {
    view = lp;
    return TRUE;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

TEST_F(FmainTest, EveryPutShowsTheMonthWhateverViewTheUserZoomedTo) {
  LPARAM view = MCMV_MONTH;
  SetWindowSubclass(form->calendar(), &ZoomingCalendar, 1, reinterpret_cast<DWORD_PTR>(&view));
  for (auto [zoomed, put] : {std::pair{MCMV_YEAR, +[](Calendar& c) { c.PutYear(2030); }},
                             std::pair{MCMV_DECADE, +[](Calendar& c) { c.PutMonth(5); }},
                             std::pair{MCMV_CENTURY, +[](Calendar& c) { c.PutDay(3); }}}) {
    view = zoomed;
    put(form->Cal());
    EXPECT_EQ(view, MCMV_MONTH) << "zoomed to view " << zoomed;
  }
  RemoveWindowSubclass(form->calendar(), &ZoomingCalendar, 1);
}

TEST_F(FmainTest, ValuesOutsideTheListOrCalendarRaise380AndChangeNothing) {
  form->cboYear().SetListIndex(126);
  const std::wstring label = WindowText(form->label());
  for (int index : {-1, 201, 1000, -32768, 32767}) {
    try {
      form->cboYear().SetListIndex(static_cast<Int16>(index));
      ADD_FAILURE() << "index " << index << " was accepted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrInvalidPropertyValue);
    }
    EXPECT_EQ(Selected(), 126);
    EXPECT_EQ(WindowText(form->label()), label);
    EXPECT_EQ(CalendarDate(form->calendar()), 20260405);
  }
  EXPECT_THROW(form->cboYear().List(201), RuntimeError);
  for (auto put : {+[](Calendar& c) { c.PutYear(1600); }, +[](Calendar& c) { c.PutMonth(13); },
                   +[](Calendar& c) { c.PutMonth(0); }, +[](Calendar& c) { c.PutDay(32); },
                   +[](Calendar& c) { c.PutDay(0); }}) {
    try {
      put(form->Cal());
      ADD_FAILURE() << "the calendar took a date it cannot show";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kErrInvalidPropertyValue);
    }
    EXPECT_EQ(CalendarDate(form->calendar()), 20260405);
  }
}

TEST_F(FmainTest, APickWithTheKeyboardRunsTheSameHandler) {
  form->cboYear().SetListIndex(124);
  PostMessageW(form->combo(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(form->combo(), WM_KEYUP, VK_DOWN, 0);
  test::Pump();
  EXPECT_EQ(Selected(), 125);
  EXPECT_EQ(WindowText(form->label()),
            L"In the year 2025, Easter holiday occurs in day 20, month 4.");
  EXPECT_EQ(CalendarDate(form->calendar()), 20250420);
  PostMessageW(form->combo(), WM_KEYDOWN, VK_END, 0);
  test::Pump();
  EXPECT_EQ(WindowText(form->label()),
            L"In the year 2100, Easter holiday occurs in day 28, month 3.");
  EXPECT_TRUE(rt.boxes.empty());
}

// A pick from the message loop whose handler runs out of memory: the
// critical box with error 7's text, and the window carries on.
TEST_F(FmainTest, AnErrorInThePickIsReportedAndTheWindowCarriesOn) {
  form->cboYear().SetListIndex(124);
  g_allocations_until_failure = 1;
  PostMessageW(form->combo(), WM_KEYDOWN, VK_DOWN, 0);
  test::Pump();
  EXPECT_EQ(g_allocations_until_failure, 0) << "the handler allocated nothing";
  g_allocations_until_failure = 0;
  ASSERT_EQ(rt.boxes.size(), 1u);
  EXPECT_EQ(rt.boxes[0].text, L"Out of memory");
  EXPECT_EQ(rt.boxes[0].icon, MsgIcon::kCritical);
  PostMessageW(form->combo(), WM_KEYDOWN, VK_DOWN, 0);
  test::Pump();
  EXPECT_EQ(WindowText(form->label()),
            L"In the year 2026, Easter holiday occurs in day 5, month 4.");
}

// The list of Easters: the other Easter shown at once for the year shown,
// by the program or from the keyboard, and remembered only when it changes;
// a refused write shows no error and changes nothing else.
TEST_F(FmainTest, TheOtherEasterShowsAtOnceAndIsRememberedWhenChanged) {
  EXPECT_EQ(form->EasterMethod(), 3);
  EXPECT_EQ(SendMessageW(form->easter_combo(), CB_GETCURSEL, 0, 0), 0);
  form->cboYear().SetListIndex(130);  // 2030
  const std::wstring western = L"In the year 2030, Easter holiday occurs in day 21, month 4.";
  const std::wstring orthodox = L"In the year 2030, Orthodox Easter occurs in day 28, month 4.";
  struct Step {
    int entry;  // -1: Down from the keyboard
    bool refused;
    int date;
    const std::wstring& sentence;
    const wchar_t* stored;
    int writes;
  };
  const Step steps[] = {
      {1, false, 20300428, orthodox, L"orthodox", 1},
      {1, false, 20300428, orthodox, L"orthodox", 1},  // the same choice: nothing written
      {0, true, 20300421, western, L"orthodox", 2},    // shown, though not remembered
      {-1, false, 20300428, orthodox, L"orthodox", 3},
      {0, false, 20300421, western, L"western", 4},
  };
  EXPECT_EQ(rt.setting_writes, 0) << "loading and the first pick write nothing";
  for (const Step& step : steps) {
    rt.refuse_settings = step.refused;
    if (step.entry < 0) {
      PostMessageW(form->easter_combo(), WM_KEYDOWN, VK_DOWN, 0);
      test::Pump();
    } else {
      form->cboEaster().SetListIndex(static_cast<Int16>(step.entry));
    }
    EXPECT_EQ(CalendarDate(form->calendar()), step.date);
    EXPECT_EQ(WindowText(form->label()), step.sentence);
    EXPECT_EQ(rt.settings[Fmain::kEasterSetting], step.stored);
    EXPECT_EQ(rt.setting_writes, step.writes);
  }
  EXPECT_TRUE(rt.boxes.empty());
  // Without a year shown, a choice shows nothing yet.
  const auto empty = FmainWindow::Load(false);
  empty->cboEaster().SetListIndex(1);
  EXPECT_EQ(WindowText(empty->label()), L"");
  EXPECT_EQ(CalendarDate(empty->calendar()), test::kStoredCalendarDate);
}

// The window opens on the choice remembered for the user, else on the Easter
// the readers of its language keep.
TEST(FmainEasterChoice, OpensOnTheRememberedChoiceElseTheLanguagesEaster) {
  struct Case {
    LANGID language;
    const wchar_t* stored;  // nullptr: nothing stored
    int method;
  };
  const Case cases[] = {
      {0x0409, nullptr, 3},    {0x0407, nullptr, 3},     {0x041A, nullptr, 3},
      {0x0408, nullptr, 2},    {0x0419, nullptr, 2},     {0x0422, nullptr, 2},
      {0x0402, nullptr, 2},    {0x0418, nullptr, 2},     {0x0C1A, nullptr, 3},  // sr: English
      {0x0408, L"western", 3}, {0x0409, L"orthodox", 2}, {0x0408, L"Western", 2},
      {0x0409, L"", 3},        {0x0409, L"2", 3},
  };
  for (const Case& c : cases) {
    RecordingRuntime rt;
    ScopedRuntime installed(rt);
    if (c.stored != nullptr) rt.settings[Fmain::kEasterSetting] = c.stored;
    ResourceCatalogue catalogue(GetModuleHandleW(nullptr), c.language);
    InstallCatalogue(&catalogue);
    const auto form = FmainWindow::Load(false);
    InstallCatalogue(nullptr);
    EXPECT_EQ(form->EasterMethod(), c.method)
        << "language " << std::hex << c.language << ", stored " << (c.stored != nullptr);
    EXPECT_EQ(SendMessageW(form->easter_combo(), CB_GETCURSEL, 0, 0), c.method == 2 ? 1 : 0);
    EXPECT_EQ(rt.setting_writes, 0);
  }
}

// The layout at the DPI the window runs at; the same program runs once more
// in a prefix set to 144 DPI, where VELMORA_EXPECT_DPI says so.
void ExpectLayout(FmainWindow& form, UINT dpi) {
  auto px = [dpi](int twips) { return FmainWindow::Px(twips, dpi); };
  RECT client{};
  GetClientRect(form.window(), &client);
  EXPECT_EQ(client.right, px(FmainWindow::kClientWidth));
  EXPECT_EQ(client.bottom, px(FmainWindow::kClientHeight));

  const RECT label = ChildRect(form.label());
  const RECT cal = ChildRect(form.calendar());
  const RECT combo = ChildRect(form.combo());
  EXPECT_EQ(label.left, px(150));
  EXPECT_EQ(label.top, px(120));
  EXPECT_EQ(label.right - label.left, px(4335));
  EXPECT_EQ(label.bottom - label.top, px(645));
  EXPECT_EQ(cal.left, px(210));
  EXPECT_EQ(cal.top, px(870));
  EXPECT_EQ(cal.right - cal.left, px(4215));
  EXPECT_EQ(cal.bottom - cal.top, px(2565));
  EXPECT_EQ(combo.left, px(3180));
  EXPECT_EQ(combo.top, px(870));
  EXPECT_EQ(combo.right - combo.left, px(1155));
  // Everything inside the client area.
  for (const RECT& r : {label, cal, combo}) {
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, client.right);
  }
  EXPECT_LE(label.bottom, client.bottom);
  EXPECT_LE(cal.bottom, client.bottom);

  // The list's selection field is about its stored height (360 twips) and
  // lies over the calendar's top right corner, in front of it: a click there
  // reaches the list.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(form.combo(), &info));
  RECT field{};
  GetWindowRect(form.combo(), &field);
  const int field_height = info.rcButton.bottom + info.rcButton.top;  // button inset on both sides
  EXPECT_GE(field_height, px(360) * 3 / 4);
  EXPECT_LE(field_height, px(360) * 5 / 4);
  EXPECT_LE(combo.right, cal.right);
  const POINT inside{(combo.left + combo.right) / 2, combo.top + field_height / 2};
  EXPECT_EQ(ChildWindowFromPointEx(form.window(), inside, CWP_SKIPINVISIBLE), form.combo());

  // Fonts: Arial 9.75 pt bold on the window, list and label.
  for (HWND h : {form.window(), form.label(), form.combo()}) {
    LOGFONTW lf{};
    ASSERT_TRUE(
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial");
    EXPECT_EQ(lf.lfHeight, -MulDiv(975, static_cast<int>(dpi), 7200));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  }

  // The sentence wraps onto exactly two lines within the label; the month
  // calendar fits its area without clipping.
  const std::wstring sentence = L"In the year 2026, Easter holiday occurs in day 25, month 4.";
  HDC dc = GetDC(form.label());
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(form.label(), WM_GETFONT, 0, 0)));
  RECT text{0, 0, label.right - label.left, 0};
  DrawTextW(dc, sentence.c_str(), -1, &text, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(form.label(), dc);
  EXPECT_EQ(text.bottom, 2 * tm.tmHeight) << "the sentence should take two lines";
  EXPECT_LE(text.bottom, label.bottom - label.top);

  RECT need{};
  ASSERT_TRUE(SendMessageW(form.calendar(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need)));
  EXPECT_LE(need.right - need.left, cal.right - cal.left);
  EXPECT_LE(need.bottom - need.top, cal.bottom - cal.top);
}

// Every language's sentence fits the label on two lines, for every year of
// the list and every day and month Easter can take, measured as the label
// draws it (DrawText, word breaks, the window's font), and each of its
// characters has a glyph in that font: the font is made for the ANSI
// character set, and Cyrillic and Greek must still draw.
TEST_F(FmainTest, EveryLanguagesSentenceFitsTheLabelOnTwoLines) {
  std::vector<LANGID> languages = CarriedLanguages(GetModuleHandleW(nullptr));
  ASSERT_GE(languages.size(), 12u) << "the program carries too few languages";
  languages.push_back(0);  // English
  const HDC dc = GetDC(form->label());
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(form->label(), WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT label{};
  GetClientRect(form->label(), &label);
  const LONG room = std::min<LONG>(label.bottom, 2 * metrics.tmHeight);
  for (const LANGID language : languages) {
    ResourceCatalogue catalogue(GetModuleHandleW(nullptr), language);
    ASSERT_EQ(catalogue.language(), language);
    InstallCatalogue(&catalogue);
    std::wstring widest;
    LONG height = 0;
    // Western Easter falls from 22 March to 25 April, Orthodox Easter in
    // these years from 4 April to 8 May: days after the end of February.
    for (const auto& [method, first, last] : {std::tuple{3, 22, 56}, std::tuple{2, 35, 69}})
      for (Int16 year = Fmain::kFirstYear; year <= Fmain::kLastYear; ++year) {
        for (int n = first; n <= last; ++n) {
          const auto day = static_cast<Int16>(n > 61 ? n - 61 : n > 31 ? n - 31 : n);
          const auto month = static_cast<Int16>(n > 61 ? 5 : n > 31 ? 4 : 3);
          const std::wstring sentence =
              ResultSentence(year, day, month, static_cast<Int16>(method));
          RECT r{0, 0, label.right, 0};
          DrawTextW(dc, sentence.c_str(), -1, &r,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
          if (r.bottom > height) {
            height = r.bottom;
            widest = sentence;
          }
        }
      }
    std::vector<WORD> glyphs(widest.size());
    GetGlyphIndicesW(dc, widest.c_str(), static_cast<int>(widest.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_LE(height, room) << "language " << std::hex << language << ": " << ToUtf8(widest)
                            << " takes " << std::dec << height << " of " << room << " pixels";
    EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}), 0)
        << "language " << std::hex << language << ": characters without a glyph";
    InstallCatalogue(nullptr);
  }
  SelectObject(dc, old_font);
  ReleaseDC(form->label(), dc);
}

// The list of Easters and its label, in every language and at 96, 144 and
// 192 DPI: each text whole in its control (the label's on one line, each
// entry within the list's selection field), the row in order from the
// calendar's left edge to the year list, between the sentence and the
// calendar's month.
TEST(FmainEasterRow, FitsTheWindowInEveryLanguageAtEveryDpi) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  std::vector<LANGID> languages = CarriedLanguages(GetModuleHandleW(nullptr));
  languages.push_back(0);  // English
  for (const LANGID language : languages) {
    ResourceCatalogue catalogue(GetModuleHandleW(nullptr), language);
    InstallCatalogue(&catalogue);
    const auto form = FmainWindow::Load(false);
    for (const UINT dpi : {96u, 144u, 192u}) {
      SCOPED_TRACE(testing::Message()
                   << "language " << std::hex << language << std::dec << ", " << dpi << " DPI");
      RECT r{0, 0, FmainWindow::Px(FmainWindow::kClientWidth, dpi),
             FmainWindow::Px(FmainWindow::kClientHeight, dpi)};
      SendMessageW(form->window(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&r));
      const HWND list = form->easter_combo();
      const RECT label = ChildRect(form->easter_label());
      const RECT field = ChildRect(list);
      const RECT year = ChildRect(form->combo());
      EXPECT_GE(label.left, FmainWindow::Px(FmainWindow::kCal.left, dpi));
      EXPECT_LE(label.right, field.left);
      EXPECT_LE(field.right, year.left);
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      ASSERT_TRUE(GetComboBoxInfo(list, &info));
      const int field_height = info.rcButton.bottom + info.rcButton.top;
      EXPECT_GE(label.top, field.top);
      EXPECT_LE(label.bottom, field.top + field_height);
      // Below the sentence, as high as the year list or, where that would
      // cover the month the calendar centres in its area (as Wine's does),
      // higher.
      const RECT cal = ChildRect(form->calendar());
      RECT month{};
      SendMessageW(form->calendar(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&month));
      const LONG month_top = cal.top + (cal.bottom - cal.top - month.bottom) / 2;
      EXPECT_GE(field.top, ChildRect(form->label()).bottom);
      EXPECT_LE(field.top, year.top);
      if (year.top + field_height > month_top) {
        EXPECT_LT(field.top, year.top);
      }

      const HDC dc = GetDC(list);
      const HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
      RECT text{};
      const std::wstring caption = WindowText(form->easter_label());
      DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
      EXPECT_LE(text.right, label.right - label.left) << ToUtf8(caption);
      EXPECT_LE(text.bottom, label.bottom - label.top) << ToUtf8(caption);
      for (int i = 0; i < 2; ++i) {
        wchar_t entry[64] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        SIZE size{};
        GetTextExtentPoint32W(dc, entry, static_cast<int>(wcslen(entry)), &size);
        EXPECT_LE(size.cx, info.rcItem.right - info.rcItem.left) << ToUtf8(entry);
      }
      SelectObject(dc, old);
      ReleaseDC(list, dc);
    }
    InstallCatalogue(nullptr);
  }
}

TEST_F(FmainTest, LayoutFollowsTheTwipsPositionsAtTheWindowsDpi) {
  if (const char* expected = std::getenv("VELMORA_EXPECT_DPI")) {
    ASSERT_EQ(form->dpi(), static_cast<UINT>(std::atoi(expected)));
  }
  ExpectLayout(*form, form->dpi());
}

TEST_F(FmainTest, ADpiChangeTakesTheSuggestedRectangleAndScalesEverything) {
  const UINT to = form->dpi() == 144 ? 96 : 144;
  RECT suggested{40, 30, 0, 0};
  {
    RECT r{0, 0, FmainWindow::Px(FmainWindow::kClientWidth, to),
           FmainWindow::Px(FmainWindow::kClientHeight, to)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(form->window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(form->window(), GWL_EXSTYLE)));
    suggested.right = suggested.left + (r.right - r.left);
    suggested.bottom = suggested.top + (r.bottom - r.top);
  }
  SendMessageW(form->window(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(to, to),
               reinterpret_cast<LPARAM>(&suggested));
  RECT now{};
  GetWindowRect(form->window(), &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.top, suggested.top);
  EXPECT_EQ(now.right, suggested.right);
  EXPECT_EQ(form->dpi(), to);
  ExpectLayout(*form, to);
}

}  // namespace
}  // namespace velmora
