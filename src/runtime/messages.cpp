#include "runtime/messages.hpp"

#include <memory>

#include "runtime/text.hpp"

namespace velmora {
namespace {

Catalogue* g_catalogue = nullptr;
// The texts asked for so far, by number, in the installed catalogue's
// language (a number not yet asked for holds an empty text): each is asked
// of the catalogue once, where velmora-cli writes a sentence a date.
std::unique_ptr<std::wstring[]> g_texts;

template <typename Char>
std::basic_string<Char> FillIn(std::basic_string_view<Char> pattern,
                               std::initializer_list<std::basic_string_view<Char>> values) {
  std::basic_string<Char> text;
  text.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const Char c = pattern[i];
    if (c == Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= Char('1') &&
        pattern[i + 1] <= Char('9')) {
      const auto n = static_cast<std::size_t>(pattern[i + 1] - Char('1'));
      if (n < values.size()) {
        text.append(values.begin()[n]);
        ++i;
        continue;
      }
    }
    text += c;
  }
  return text;
}

}  // namespace

void InstallCatalogue(Catalogue* catalogue) {
  g_catalogue = catalogue;
  g_texts.reset();
}

std::string TextLanguage() {
  return g_catalogue != nullptr ? g_catalogue->Language() : std::string();
}

std::wstring Tr(Msg msg) {
  if (g_catalogue == nullptr) return msg.english();
  if (g_texts == nullptr) g_texts = std::make_unique<std::wstring[]>(messages::kCount);
  std::wstring& text = g_texts[static_cast<std::size_t>(msg.number())];
  if (text.empty()) text = g_catalogue->Translation(msg);
  if (text.empty()) text = msg.english();
  return text;
}

std::string TrUtf8(Msg msg) { return ToUtf8(Tr(msg)); }

std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  return FillIn(pattern, values);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  return FillIn(pattern, values);
}

}  // namespace velmora
