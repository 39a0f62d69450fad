// The texts users read, in the user's language.
//
// Each text is written in the code in English, and the English text is also
// the key of its translations: Tr(L"Overflow"). `make po` gathers the marked
// texts from the sources into po/velmora.pot, the template of the
// catalogues po/<language>.po; the build numbers the template's texts in
// velmora_messages.h, and every marked text finds its number there when the
// code compiles, so a text the template lacks stops the build (with the
// name of TextMissingFromPoVelmoraPot_RunMakePo in the error).
//
// A catalogue installed at start-up gives the translations: the Windows
// programs' tables of texts, velmora-cli's gettext catalogues natively.
// Without one, and for a text it lacks, the English text is used as it
// stands.
//
// Texts take their values by position, %1 to %9, so that each language
// puts them where its word order wants them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "velmora_messages.h"

namespace velmora {

namespace detail {

consteval bool SameText(const wchar_t* a, const wchar_t* b) {
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// Not constexpr: a marked text that reaches it at compile time stops the build.
void TextMissingFromPoVelmoraPot_RunMakePo();

consteval int MessageNumber(const wchar_t* english) {
  for (int i = 0; i < messages::kCount; ++i) {
    if (SameText(messages::kEnglish[i], english)) return i;
  }
  TextMissingFromPoVelmoraPot_RunMakePo();
  return -1;
}

}  // namespace detail

// A marked text: its English form and its number in the template. Made only
// from a literal, at compile time.
class Msg {
 public:
  consteval Msg(const wchar_t* english)  // NOLINT(google-explicit-constructor)
      : number_(detail::MessageNumber(english)), english_(english) {}
  constexpr int number() const { return number_; }
  constexpr const wchar_t* english() const { return english_; }

 private:
  int number_;
  const wchar_t* english_;
};

// Where translations come from.
class Catalogue {
 public:
  virtual ~Catalogue() = default;
  // The translation of the message, or an empty text when there is none.
  virtual std::wstring Translation(Msg msg) = 0;
  // The language of the translations, named as gettext names it ("el",
  // "pt_BR"); empty for English.
  virtual std::string Language() const { return {}; }
};

// Installs the catalogue (not owned; it must outlive its use, and gives the
// same answer to the same question while installed); nullptr goes back to
// English.
void InstallCatalogue(Catalogue* catalogue);

// The language of the installed catalogue ("el"); empty for English, and
// without a catalogue.
std::string TextLanguage();

// The message in the user's language: the installed catalogue's translation,
// else the English text.
std::wstring Tr(Msg msg);
// The same as UTF-8.
std::string TrUtf8(Msg msg);

// The pattern with %1 .. %9 replaced by the values in that order; a % not
// followed by the number of a value stays as it is.
std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace velmora
