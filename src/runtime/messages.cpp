#include "runtime/messages.hpp"

#include "runtime/text.hpp"

namespace velmora {
namespace {

Catalogue* g_catalogue = nullptr;

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

void InstallCatalogue(Catalogue* catalogue) { g_catalogue = catalogue; }

std::wstring Tr(Msg msg) {
  if (g_catalogue != nullptr) {
    std::wstring translated = g_catalogue->Translation(msg);
    if (!translated.empty()) return translated;
  }
  return msg.english();
}

std::string TrUtf8(Msg msg) { return ToUtf8(Tr(msg)); }

std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  return FillIn(pattern, values);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
  return FillIn(pattern, values);
}

}  // namespace velmora
