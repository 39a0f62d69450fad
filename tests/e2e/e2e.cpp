#include "e2e.hpp"

#include <cstdio>

namespace e2e {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string Quoted(const std::wstring& text) {
  std::string out = "\"";
  for (wchar_t c : text) {
    if (c == L'\r') {
      out += "\\r";
    } else if (c == L'\n') {
      out += "\\n";
    } else if (c == L'\t') {
      out += "\\t";
    } else if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
      out += hex;
    }
  }
  return out + "\"";
}

void Fail(const char* file, int line, const std::string& what) {
  const char* base = file;
  for (const char* p = file; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  throw Failure(std::string(base) + ":" + std::to_string(line) + ": " + what);
}

void Note(const std::string& text) {
  std::printf("  %s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace e2e
