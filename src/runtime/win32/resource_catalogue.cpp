#include "runtime/win32/resource_catalogue.hpp"

#include <algorithm>

#include "resource.h"
#include "runtime/text.hpp"

namespace velmora {
namespace {

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<LANGID>*>(list)->push_back(language);
  return TRUE;
}

}  // namespace

LANGID UserUiLanguage() { return GetUserDefaultUILanguage(); }

LANGID NeutralLanguage(LANGID language) {
  if (PRIMARYLANGID(language) == LANG_CROATIAN) {
    // Croatian, Serbian and Bosnian share a primary language id, and each
    // has a neutral language of its own: hr 0x001A, bs 0x781A, sr 0x7C1A.
    switch (SUBLANGID(language)) {
      case SUBLANG_NEUTRAL:
      case SUBLANG_CROATIAN_CROATIA:
      case SUBLANG_CROATIAN_BOSNIA_HERZEGOVINA_LATIN:
        return MAKELANGID(LANG_CROATIAN, SUBLANG_NEUTRAL);
      case SUBLANG_BOSNIAN_BOSNIA_HERZEGOVINA_LATIN:
      case SUBLANG_BOSNIAN_BOSNIA_HERZEGOVINA_CYRILLIC:
      case 0x19:  // bs-Cyrl
      case 0x1A:  // bs-Latn
      case 0x1E:  // bs
        return 0x781A;
      default:
        return 0x7C1A;
    }
  }
  return MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL);
}

std::vector<LANGID> CarriedLanguages(HMODULE module) {
  std::vector<LANGID> languages;
  EnumResourceLanguagesW(module, RT_RCDATA, MAKEINTRESOURCEW(IDR_TEXTS), &AddLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

LANGID ChooseLanguage(LANGID user, const std::vector<LANGID>& carried) {
  auto has = [&](LANGID language) {
    return std::find(carried.begin(), carried.end(), language) != carried.end();
  };
  if (has(user)) return user;
  const LANGID neutral = NeutralLanguage(user);
  return has(neutral) ? neutral : 0;
}

ResourceCatalogue::ResourceCatalogue(HMODULE module, LANGID user)
    : module_(module), language_(ChooseLanguage(user, CarriedLanguages(module))) {}

std::string ResourceCatalogue::Language() const {
  if (language_ == 0) return {};
  const HRSRC found =
      FindResourceExW(module_, RT_RCDATA, MAKEINTRESOURCEW(IDR_LANGUAGE), language_);
  if (found == nullptr) return {};
  const auto* name = static_cast<const char*>(LockResource(LoadResource(module_, found)));
  return name != nullptr ? std::string(name, SizeofResource(module_, found)) : std::string();
}

std::wstring ResourceCatalogue::Translation(Msg msg) {
  if (language_ == 0) return {};
  const HRSRC found = FindResourceExW(module_, RT_RCDATA, MAKEINTRESOURCEW(IDR_TEXTS), language_);
  if (found == nullptr) return {};
  const auto* table = static_cast<const unsigned char*>(LockResource(LoadResource(module_, found)));
  const DWORD size = SizeofResource(module_, found);
  if (table == nullptr) return {};
  // Message after message of the template, each its length in bytes (16
  // bits, little endian) and its UTF-8 text: an empty one is English.
  DWORD at = 0;
  for (int number = 0;; ++number) {
    if (size - at < 2) return {};  // at <= size throughout
    const DWORD length = table[at] | static_cast<DWORD>(table[at + 1]) << 8;
    at += 2;
    if (length > size - at) return {};
    if (number == msg.number()) {
      return FromUtf8({reinterpret_cast<const char*>(table + at), length});
    }
    at += length;
  }
}

}  // namespace velmora
