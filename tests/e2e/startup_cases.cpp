// Start-up outcomes: what the user sees for a year ahead, a year past, a
// year the list lacks, a number out of range and a command line without one.
#include <tuple>

#include "cases.hpp"
#include "common/languages.hpp"
#include "e2e.hpp"
#include "easter.hpp"

namespace e2e {

// Easter 2030 lies ahead: the sentence comes in a box before the window, the
// window then shows the year; a pick of the next year updates it silently,
// and tells a screen reader of the label's new sentence.
void YearAhead(const Args& args) {
  Target target(CommandLineFor(args.exe, L"2030"));
  const Box box = target.WaitForBox();
  ExpectBox(box, L"Velmora", Sentence(2030), BoxIcon::kInformation);
  E2E_CHECK(target.Find(Target::kMainClass, true) == nullptr,
            "the window shows while the box is open");
  target.PressOk(box);

  const HWND main_window = target.WaitForMainWindow();
  ExpectYearShown(target, main_window, 2030);
  ExpectNoBox(target, "after the first one");

  const MainControls controls = ControlsOf(main_window);
  PickAndHearTheLabel(target, controls.combo, controls.label, 2031 - kFirstListedYear);
  ExpectYearShown(target, main_window, 2031);
  ExpectNoBox(target, "after a pick");
  CloseAndExpectExit0(target, main_window);
}

// Easter 1990 has passed: no box, the window shows the year at once. A
// screen reader names the list.
void YearBehind(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);
  ExpectYearShown(target, main_window, 1990);
  ExpectListNamed(ControlsOf(main_window).combo, L"Year");
  ExpectNoBox(target, "with the window shown");
  CloseAndExpectExit0(target, main_window);
}

// The same as far as it can be seen from outside the program: under a
// processor emulator the driver cannot reach into the program's memory,
// where the calendar's date is read (the smoke run of the 32-bit programs
// on a machine that runs no 32-bit code).
void YearBehindFromOutside(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);
  ExpectYearShown(target, main_window, 1990, false);
  ExpectNoBox(target, "with the window shown");
  CloseAndExpectExit0(target, main_window);
}

// 1700 is a Gregorian year the list cannot select: the error box, no window,
// exit code 1.
void YearNotListed(const Args& args) {
  Target target(CommandLineFor(args.exe, L"1700"));
  ExpectErrorReportThenExit1(target, L"Invalid property value", WindowAtReport::kHidden);
}

// 40000 does not fit the year's 16 bits: the error box comes before any
// window exists, then the program ends with exit code 1.
void YearOverflow(const Args& args) {
  Target target(CommandLineFor(args.exe, L"40000"));
  ExpectErrorReportThenExit1(target, L"Overflow", WindowAtReport::kNone);
}

// The program in the user's language, the one this driver runs in (the
// ctest entries e2e.language_* set a locale for each row of the languages
// table): the range message, the About box over the window, the sentence
// for a past year, and the Easter its readers keep for a year ahead, in the
// box, the label and on the calendar, its list named for screen readers.
void Language(const Args& args) {
  const velmora::test::LanguageTexts* language = velmora::test::LanguageOfThisProcess();
  E2E_CHECK(language != nullptr, "no row of the languages table for UI language " +
                                     std::to_string(GetUserDefaultUILanguage()) + ", code page " +
                                     std::to_string(GetACP()));
  Note(std::string("language: ") + language->name);
  {
    Target target(CommandLineFor(args.exe, L"1500"));
    const Box box = target.WaitForBox();
    ExpectBox(box, L"Velmora", language->range_message, BoxIcon::kExclamation);
    target.PressOk(box);
    const HWND main_window = target.WaitForMainWindow();
    PostMessageW(main_window, WM_SYSCOMMAND, 1004, 0);
    const Box about = target.WaitForBox();
    ExpectBox(about, language->about_title, language->about_text, BoxIcon::kInformation);
    target.PressOk(about);
    CloseAndExpectExit0(target, main_window);
  }
  {
    Target target(CommandLineFor(args.exe, L"1990"));
    const HWND main_window = WaitForWindowWithoutBox(target);
    E2E_EQ(ViewOf(target, main_window).label, std::wstring(language->sentence_1990),
           "the sentence");
    CloseAndExpectExit0(target, main_window);
  }
  Target target(CommandLineFor(args.exe, L"2030"));
  const Box box = target.WaitForBox();
  ExpectBox(box, L"Velmora", language->sentence_2030, BoxIcon::kInformation);
  target.PressOk(box);
  const HWND main_window = target.WaitForMainWindow();
  const MainView view = ViewOf(target, main_window);
  E2E_EQ(view.label, std::wstring(language->sentence_2030), "the sentence for 2030");
  E2E_EQ(view.calendar, language->easter_2030, "the calendar for 2030");
  ExpectListNamed(ControlsOf(main_window).easter, language->easter_list_name);
  CloseAndExpectExit0(target, main_window);
}

namespace {

// The choice as velmora.exe keeps it for the user (none when `value` is
// nullptr): a text value, or a DWORD where it reads none.
void StoreChoice(const wchar_t* value, bool as_number = false) {
  constexpr const wchar_t* kKey = L"Software\\Velmora";
  if (value == nullptr) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Easter");
  } else if (as_number) {
    const DWORD two = 2;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Easter", REG_DWORD, &two, sizeof two);
  } else {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Easter", REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  }
}

struct Shown {
  int entry;  // of the list of Easters
  int calendar;
  const wchar_t* sentence;
};

void ExpectEasterShown(Target& target, HWND main_window, const Shown& shown, const char* when) {
  const MainView view = ViewOf(target, main_window);
  E2E_EQ(ComboSelection(ControlsOf(main_window).easter), shown.entry,
         std::string("the Easter chosen ") + when);
  E2E_EQ(view.calendar, shown.calendar, std::string("the calendar ") + when);
  E2E_EQ(view.label, std::wstring(shown.sentence), std::string("the label ") + when);
}

}  // namespace

// The choice of Easter in English, for 2024 (Western Easter 31 March,
// Orthodox Easter 5 May): Western at first; the access key takes the focus
// to the list, Down chooses Orthodox Easter and a screen reader hears the
// new sentence, Tab goes on to the year list; the choice holds after a
// restart; a choice stored in a form the program does not write gives
// English's own, Western Easter again.
void EasterChoice(const Args& args) {
  const Shown western{0, 20240331, L"In the year 2024, Easter holiday occurs in day 31, month 3."};
  const Shown orthodox{1, 20240505, L"In the year 2024, Orthodox Easter occurs in day 5, month 5."};
  // Nothing stored before, nor after, however the case ends: the other
  // cases start on the language's Easter.
  struct Forget {
    Forget() { StoreChoice(nullptr); }
    ~Forget() { StoreChoice(nullptr); }
  } forget;
  {
    Target target(CommandLineFor(args.exe, L"2024"));
    const HWND main_window = WaitForWindowWithoutBox(target);
    const MainControls controls = ControlsOf(main_window);
    ExpectEasterShown(target, main_window, western, "at first");
    ExpectFocusOn(controls.combo, "at start-up");
    PostMessageW(controls.combo, WM_SYSCHAR, L'e', 1 | (1u << 29));  // Alt+E
    ExpectFocusOn(controls.easter, "after Alt+E");
    PickAndHearTheLabel(target, controls.easter, controls.label, 1);
    ExpectEasterShown(target, main_window, orthodox, "after Down");
    PostKey(controls.easter, VK_TAB);
    ExpectFocusOn(controls.combo, "after Tab");
    ExpectNoBox(target, "after the choice");
    CloseAndExpectExit0(target, main_window);
  }
  for (const auto& [stored, as_number, shown, when] :
       {std::tuple{static_cast<const wchar_t*>(nullptr), false, orthodox, "after a restart"},
        std::tuple{L"bogus", false, western, "for a corrupt choice"},
        std::tuple{L"", true, western, "for a choice of another type"}}) {
    if (stored != nullptr) StoreChoice(stored, as_number);
    Target target(CommandLineFor(args.exe, L"2024"));
    const HWND main_window = WaitForWindowWithoutBox(target);
    ExpectEasterShown(target, main_window, shown, when);
    CloseAndExpectExit0(target, main_window);
  }
}

// "abc" holds no number: year 0, outside the Gregorian range.
void NoNumber(const Args& args) {
  Target target(CommandLineFor(args.exe, L"abc"));
  ExpectRangeMessageThenEmptyWindow(target);
}

}  // namespace e2e
