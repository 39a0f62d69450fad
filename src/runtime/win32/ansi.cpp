#include "runtime/win32/ansi.hpp"

#include <windows.h>

namespace velmora {

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  }
  return out;
}

bool FitsAnsi(const std::wstring& text) {
  // A UTF-8 ANSI code page holds everything (and takes no default
  // character to report with).
  if (text.empty() || GetACP() == CP_UTF8) return true;
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                    static_cast<int>(text.size()), nullptr, 0, nullptr, &lost);
  return n > 0 && !lost;
}

std::wstring AnsiOrEnglish(Msg msg) {
  std::wstring text = Tr(msg);
  return FitsAnsi(text) ? text : std::wstring(msg.english());
}

}  // namespace velmora
