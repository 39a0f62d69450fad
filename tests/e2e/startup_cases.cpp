// Start-up outcomes: what the user sees for a year ahead, a year past, a
// year the list lacks, a number out of range and a command line without one.
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

  PickAndHearTheLabel(target, ControlsOf(main_window), 2031 - kFirstListedYear);
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
  ExpectYearListNamed(ControlsOf(main_window).combo);
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
// table): the range message, the About box over the window, and the
// sentence for a past year.
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
  Target target(CommandLineFor(args.exe, L"1990"));
  const HWND main_window = WaitForWindowWithoutBox(target);
  E2E_EQ(ViewOf(target, main_window).label, std::wstring(language->sentence_1990), "the sentence");
  CloseAndExpectExit0(target, main_window);
}

// "abc" holds no number: year 0, outside the Gregorian range.
void NoNumber(const Args& args) {
  Target target(CommandLineFor(args.exe, L"abc"));
  ExpectRangeMessageThenEmptyWindow(target);
}

}  // namespace e2e
