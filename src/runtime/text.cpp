#include "runtime/text.hpp"

#include <cstdint>
#include <iterator>

#include "runtime/errors.hpp"

namespace velmora {
namespace {

bool IsSkipped(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Beyond this magnitude of the integer part the rounded value lies outside
// the 16-bit range whatever the sign and the fraction.
constexpr long kBeyondRange = 32769;

}  // namespace

Int16 Val16(std::wstring_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skip = [&] {
    while (i < n && IsSkipped(text[i])) ++i;
  };

  skip();
  bool negative = false;
  if (i < n && (text[i] == L'-' || text[i] == L'+')) {
    negative = text[i] == L'-';
    ++i;
  }

  long whole = 0;  // magnitude of the integer part, at most kBeyondRange + 1
  for (skip(); i < n && IsDigit(text[i]); ++i, skip()) {
    whole = whole * 10 + (text[i] - L'0');
    if (whole > kBeyondRange) RaiseError(kErrOverflow);
  }

  // The fraction only matters as below, at or above one half.
  enum { kBelowHalf, kHalf, kAboveHalf } fraction = kBelowHalf;
  if (i < n && text[i] == L'.') {
    ++i;
    bool first = true;
    for (skip(); i < n && IsDigit(text[i]); ++i, skip()) {
      const int digit = text[i] - L'0';
      if (first) {
        fraction = digit > 5 ? kAboveHalf : digit == 5 ? kHalf : kBelowHalf;
        first = false;
      } else if (fraction == kHalf && digit != 0) {
        fraction = kAboveHalf;
      }
    }
  }

  long rounded = whole;
  if (fraction == kAboveHalf || (fraction == kHalf && whole % 2 != 0)) ++rounded;
  return Narrow16(negative ? -rounded : rounded);
}

std::wstring DecimalText(Int16 value) {
  // Digits from the right; the magnitude is an int, so -32768 has one.
  wchar_t text[6];
  wchar_t* first = std::end(text);
  int magnitude = value < 0 ? -static_cast<int>(value) : value;
  do {
    *--first = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--first = L'-';
  return std::wstring(first, std::end(text));
}

std::wstring Chr(int code) {
  // Windows-1252 gives 0x80..0x9F printable characters; five codes there are
  // unassigned and map to the C1 control of the same number, as Windows does.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  if (code < 0 || code > 255) RaiseError(kErrInvalidPropertyValue);
  const char16_t wide = (code >= 0x80 && code < 0xA0) ? kHigh[code - 0x80] : char16_t(code);
  return std::wstring(1, static_cast<wchar_t>(wide));
}

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t cp = static_cast<std::uint32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() &&
        static_cast<std::uint32_t>(text[i + 1]) >= 0xDC00 &&
        static_cast<std::uint32_t>(text[i + 1]) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string ConsoleText(std::wstring_view text) {
  std::string body = ToUtf8(text);
  for (char& c : body) {
    if (c == '\r') c = '\n';
  }
  return body;
}

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int extra = b0 < 0x80           ? 0
                : (b0 >> 5) == 0x6  ? 1
                : (b0 >> 4) == 0xE  ? 2
                : (b0 >> 3) == 0x1E ? 3
                                    : -1;
    std::uint32_t cp = extra == 0   ? b0
                       : extra == 1 ? (b0 & 0x1F)
                       : extra == 2 ? (b0 & 0x0F)
                                    : (b0 & 0x07);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr std::uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) {
      out += static_cast<wchar_t>(0xFFFD);
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
      out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }
  return out;
}

}  // namespace velmora
