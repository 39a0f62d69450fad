#include "sysmenu/bas_Aboutprogram.hpp"

#include <cstdint>

#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"

namespace velmora::bas_Aboutprogram {

namespace {
constexpr wchar_t kCR = L'\r';
const wchar_t* const kEmail = L"velmora@example.org";
}  // namespace

std::wstring AuthorName() {
  // "Velmora developers", one ANSI code a character.
  const std::int16_t codes[18] = {86,  101, 108, 109, 111, 114, 97,  32,  100,
                                  101, 118, 101, 108, 111, 112, 101, 114, 115};
  std::wstring name;
  for (Int16 i = 0; i <= 17; i = Add16(i, 1)) name += Chr(codes[i]);
  return name;
}

std::wstring WebAddress() {
  // "https://www.example.org/velmora/about", one ANSI code a character.
  const std::uint8_t codes[37] = {104, 116, 116, 112, 115, 58,  47, 47,  119, 119, 119, 46,  101,
                                  120, 97,  109, 112, 108, 101, 46, 111, 114, 103, 47,  118, 101,
                                  108, 109, 111, 114, 97,  47,  97, 98,  111, 117, 116};
  std::wstring address;
  for (Int16 i = 0; i <= 36; i = Add16(i, 1)) address += Chr(codes[i]);
  return address;
}

std::wstring AboutText() {
  const AppVersion v = Rt().Version();
  std::wstring version = DecimalText(v.major) + L"." + DecimalText(v.minor);
  if (v.revision > 0) version += L"." + DecimalText(v.revision);
  // The fixed wording in the user's language; the title, the numbers, the
  // name and the addresses as they are.
  // TRANSLATORS: the About box's first line: %1 is the program's name
  // (Velmora), %2 its version (1.1). Keep the two blanks around the hyphen.
  std::wstring text = Fill(Tr(L"%1  -  version %2"), {basMain::AppTitle, version});
  text += kCR;
  text += kCR;
  // TRANSLATORS: %1 is the years (2026), %2 the authors' name.
  text += Fill(Tr(L"Copyright \u00A9 %1, %2"), {AboutYears, AuthorName()});
  text += kCR;
  // TRANSLATORS: the About box's location line (the authors' town and country).
  text += Tr(L"Made on planet Earth");
  text += kCR;
  text += kCR;
  text += Fill(Tr(L"Email: %1"), {kEmail});
  text += kCR;
  text += Fill(Tr(L"Web: %1"), {WebAddress()});
  return text;
}

}  // namespace velmora::bas_Aboutprogram
