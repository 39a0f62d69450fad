// The translations a Windows program carries, a table of texts for each
// language (made by the build from po/), in the language Windows would pick
// for the user: the user's UI language itself (pt-BR), else its neutral
// language (pt), else none, and the program speaks English.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/messages.hpp"

namespace velmora {

class ResourceCatalogue final : public Catalogue {
 public:
  // The translations in `module` for a user whose UI language is `user`.
  ResourceCatalogue(HMODULE module, LANGID user);
  std::wstring Translation(Msg msg) override;
  // The name of that language ("el"), carried beside its table.
  std::string Language() const override;
  // The language of the translations; 0 when the program speaks English.
  LANGID language() const { return language_; }

 private:
  HMODULE module_;
  LANGID language_;
};

// The user's UI language.
LANGID UserUiLanguage();

// The neutral language of a language, as Windows numbers it: pt (0x0016)
// for pt-BR, hr (0x001A) for hr-HR, sr (0x7C1A) for sr-Cyrl-RS; a neutral
// language is its own.
LANGID NeutralLanguage(LANGID language);

// The languages whose translations `module` carries.
std::vector<LANGID> CarriedLanguages(HMODULE module);

// The language of `carried` for `user`: `user` itself, else its neutral
// language, else 0 (English).
LANGID ChooseLanguage(LANGID user, const std::vector<LANGID>& carried);

}  // namespace velmora
