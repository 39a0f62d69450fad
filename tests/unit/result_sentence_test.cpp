#include "sentence/result_sentence.hpp"

#include <gtest/gtest.h>

#include <map>

#include "computus/bas_Computus.hpp"
#include "runtime/messages.hpp"
#include "runtime/recording_runtime.hpp"
#include "ui/Fmain.hpp"

namespace velmora {
namespace {

TEST(ResultSentence, ReadsAsTheProgramStatesIt) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  struct Case {
    Int16 year;
    const wchar_t* sentence;
    Int16 method = 3;
    const wchar_t* feast = L"";  // the sentence for Good Friday
  };
  const Case cases[] = {
      {2026, L"In the year 2026, Easter holiday occurs in day 5, month 4."},
      {2024, L"In the year 2024, Easter holiday occurs in day 31, month 3."},
      {2025, L"In the year 2025, Easter holiday occurs in day 20, month 4."},
      {2038, L"In the year 2038, Easter holiday occurs in day 25, month 4."},
      {1900, L"In the year 1900, Easter holiday occurs in day 15, month 4."},
      {2100, L"In the year 2100, Easter holiday occurs in day 28, month 3."},
      // Each reckoning named where a reader could take it for another.
      {2030, L"In the year 2030, Orthodox Easter occurs in day 28, month 4.", 2,
       L"In the year 2030, Good Friday by the Orthodox reckoning occurs in day 26, month 4."},
      {2024, L"In the year 2024, Orthodox Easter occurs in day 5, month 5.", 2},
      {2026,
       L"In the year 2026, Easter by the Julian reckoning occurs in day 30, month 3 of the Julian "
       L"calendar.",
       1,
       L"In the year 2026, Good Friday by the Julian reckoning occurs in day 28, month 3 of the "
       L"Julian calendar."},
      {2026, L"In the year 2026, Easter holiday occurs in day 5, month 4.", 3,
       L"In the year 2026, Good Friday occurs in day 3, month 4."},
  };
  for (const auto& c : cases) {
    Int16 day = 0, month = 0;
    ASSERT_EQ(bas_Computus::GetEasterDay(day, month, c.year, c.method), kTrue);
    EXPECT_EQ(ResultSentence(c.year, day, month, c.method), c.sentence);
    if (*c.feast != 0) {
      EXPECT_EQ(
          ResultSentence(c.year, static_cast<Int16>(day - 2), month, L"Good Friday", c.method),
          c.feast);
    }
  }
}

// The Easter the window opens on, by the language of its texts: Orthodox
// for the languages of the Orthodox churches, carried or not yet, by
// gettext's names with a country or a script; Western for the others.
TEST(ResultSentence, TheWindowsEasterFollowsItsLanguagesTradition) {
  for (const char* orthodox :
       {"el", "ru", "uk", "bg", "ro", "ro_MD", "sr", "sr@latin", "mk", "be", "ka", "el_CY.UTF-8"}) {
    EXPECT_EQ(Fmain::TraditionalEasterMethod(orthodox), 2) << orthodox;
  }
  for (const char* western : {"", "de", "pt_BR", "hr", "bs", "pl", "hu", "en", "e", "elx", "rus"}) {
    EXPECT_EQ(Fmain::TraditionalEasterMethod(western), 3) << western;
  }
}

// A language whose word order differs from English, by message number.
class TestCatalogue final : public Catalogue {
 public:
  std::wstring Translation(Msg msg) override {
    const auto found = texts.find(msg.number());
    return found != texts.end() ? found->second : std::wstring();
  }
  std::map<int, std::wstring> texts;
};

TEST(ResultSentence, TakesTheLanguagesWordOrderAndFallsBackToEnglish) {
  RecordingRuntime rt;
  ScopedRuntime installed(rt);
  TestCatalogue catalogue;
  catalogue.texts[Msg(L"In the year %1, Easter holiday occurs in day %2, month %3.").number()] =
      L"Ostern %1: %2.%3.";
  catalogue.texts[Msg(L"In the year %1, %4 occurs in day %2, month %3.").number()] =
      L"%4 (%3/%2) %1, 100%";
  InstallCatalogue(&catalogue);
  EXPECT_EQ(ResultSentence(2026, 5, 4), L"Ostern 2026: 5.4.");
  EXPECT_EQ(ResultSentence(2026, 3, 4, L"Karfreitag"), L"Karfreitag (4/3) 2026, 100%");
  // A text the catalogue lacks is English.
  Int16 day = 0, month = 0;
  bas_Computus::GetEasterDay(day, month, 1500, 3);
  ASSERT_EQ(rt.boxes.size(), 1u);
  EXPECT_EQ(rt.boxes[0].text, L"Gregorian calendar Easters apply for years 1583 to 4099 only.");
  InstallCatalogue(nullptr);
  EXPECT_EQ(ResultSentence(2026, 5, 4),
            L"In the year 2026, Easter holiday occurs in day 5, month 4.");
  // A % without the number of a value stays as it is.
  EXPECT_EQ(Fill("%2-%1 %3 %0 %a %%1 100%", {"a", "b"}), "b-a %3 %0 %a %a 100%");
}

}  // namespace
}  // namespace velmora
