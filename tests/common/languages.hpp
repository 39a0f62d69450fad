// What a user reads in each language the language tests run in: carried
// languages in three scripts, English, a language not carried (Japanese:
// English), and Greek on a Western ANSI code page (all Greek but the system
// menu's entry, which goes through the code page: English). A process finds
// its row by its own UI language and ANSI code page, as the program finds
// its language.
#pragma once

#include <windows.h>

#include "velmora_version.h"

namespace velmora::test {

struct LanguageTexts {
  const char* name;
  LANGID ui_language;
  UINT ansi_code_page;
  const wchar_t* sentence_1990;  // the window's sentence for 1990 (Easter: 15 April)
  const wchar_t* range_message;  // the box for a year outside 1583..4099
  const wchar_t* about_title;
  const wchar_t* about_text;  // this build's version; lines end in a lone CR
  const wchar_t* menu_entry;
  // The Easter the window opens on, the language's own: the sentence for
  // 2030 (Western Easter 21 April, Orthodox Easter 28 April) and its date.
  const wchar_t* sentence_2030;
  int easter_2030;
  const wchar_t* easter_list_name;  // the list of Easters, as a screen reader names it
};

inline constexpr const wchar_t* kEnglishAbout =
    L"Velmora  -  version " VELMORA_FV_SHOWN
    L"\r\rCopyright \u00A9 2026, Velmora developers\rMade on planet Earth"
    L"\r\rEmail: velmora@example.org\rWeb: https://www.example.org/velmora/about";
inline constexpr LanguageTexts kEnglish = {
    "English",
    0x0409,
    1252,
    L"In the year 1990, Easter holiday occurs in day 15, month 4.",
    L"Gregorian calendar Easters apply for years 1583 to 4099 only.",
    L"About",
    kEnglishAbout,
    L"About...",
    L"In the year 2030, Easter holiday occurs in day 21, month 4.",
    20300421,
    L"Easter"};

inline constexpr LanguageTexts kGerman = {
    "German",
    0x0407,
    1252,
    L"Im Jahr 1990 fällt Ostern auf den 15.4.",
    L"Ostertermine nach dem gregorianischen Kalender gelten nur für die Jahre 1583 bis 4099.",
    L"Info",
    L"Velmora  -  Version " VELMORA_FV_SHOWN
    L"\r\rCopyright © 2026, Velmora developers\rHergestellt auf dem "
    L"Planeten Erde\r\rE-Mail: velmora@example.org\rWeb: https://www.example.org/velmora/about",
    L"Info...",
    L"Im Jahr 2030 fällt Ostern auf den 21.4.",
    20300421,
    L"Ostern"};
inline constexpr LanguageTexts kRussian = {
    "Russian",
    0x0419,
    1251,
    L"Пасха 1990 года: день 15, месяц 4.",
    L"Пасха по григорианскому календарю рассчитывается только для годов с 1583 по 4099.",
    L"О программе",
    L"Velmora  -  версия " VELMORA_FV_SHOWN
    L"\r\r© Velmora developers, 2026\rСделано на планете Земля\r\rЭл. "
    L"почта: velmora@example.org\rВеб-сайт: https://www.example.org/velmora/about",
    L"О программе...",
    L"Пасха 2030 года: день 28, месяц 4.",
    20300428,
    L"Пасха"};
inline constexpr LanguageTexts kGreek = {
    "Greek",
    0x0408,
    1253,
    L"Το Πάσχα του 1990 πέφτει στις 15/4.",
    L"Το Πάσχα κατά το Γρηγοριανό ημερολόγιο υπολογίζεται μόνο για τα έτη 1583 έως 4099.",
    L"Πληροφορίες",
    L"Velmora  -  έκδοση " VELMORA_FV_SHOWN
    L"\r\rΠνευματικά δικαιώματα © 2026, Velmora developers\rΦτιαγμένο "
    L"στον πλανήτη Γη\r\rΗλ. ταχυδρομείο: velmora@example.org\rΙστότοπος: "
    L"https://www.example.org/velmora/about",
    L"Πληροφορίες...",
    L"Το Πάσχα του 2030 πέφτει στις 28/4.",
    20300428,
    L"Πάσχα"};

inline constexpr LanguageTexts kLanguages[] = {
    kEnglish,
    kGerman,
    kRussian,
    kGreek,
    // Japanese is not carried: English.
    {"Japanese", 0x0411, 932, kEnglish.sentence_1990, kEnglish.range_message, kEnglish.about_title,
     kEnglish.about_text, kEnglish.menu_entry, kEnglish.sentence_2030, kEnglish.easter_2030,
     kEnglish.easter_list_name},
    // Greek on a Western code page: Greek, but for the entry that goes
    // through the code page.
    {"Greek on code page 1252", 0x0408, 1252, kGreek.sentence_1990, kGreek.range_message,
     kGreek.about_title, kGreek.about_text, kEnglish.menu_entry, kGreek.sentence_2030,
     kGreek.easter_2030, kGreek.easter_list_name},
};

// This process's row, or nullptr.
inline const LanguageTexts* LanguageOfThisProcess() {
  for (const LanguageTexts& row : kLanguages) {
    if (row.ui_language == GetUserDefaultUILanguage() && row.ansi_code_page == GetACP()) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace velmora::test
