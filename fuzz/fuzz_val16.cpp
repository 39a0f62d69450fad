// libFuzzer target: number reading. Bytes are taken as UTF-8 text, read with
// Val16 and checked against a plain reading of the same rules; the only
// error that may escape is overflow (6).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "runtime/errors.hpp"
#include "runtime/text.hpp"

namespace {

using velmora::Int16;

[[noreturn]] void Fail(const char* what, const std::wstring& text) {
  std::fprintf(stderr, "fuzz_val16: %s for \"%s\"\n", what, velmora::ToUtf8(text).c_str());
  std::abort();
}

// The rules of Val16 applied the long way: blanks dropped everywhere (they
// cannot matter once the number has ended), then sign, digits, '.' and
// digits, rounded half to even on the decimal digits. Nothing when the
// rounded value is outside the 16-bit range.
std::optional<Int16> Expected(const std::wstring& text) {
  std::wstring s;
  for (wchar_t c : text) {
    if (c != L' ' && c != L'\t' && c != L'\n') s += c;
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
  std::wstring whole, fraction;
  while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') whole += s[i++];
  if (i < s.size() && s[i] == L'.') {
    ++i;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') fraction += s[i++];
  }
  whole.erase(0, whole.find_first_not_of(L'0'));
  if (whole.size() > 6) return std::nullopt;
  long long value = whole.empty() ? 0 : std::stoll(whole);
  const bool tie = !fraction.empty() && fraction[0] == L'5' &&
                   fraction.find_first_not_of(L'0', 1) == std::wstring::npos;
  if ((!fraction.empty() && fraction[0] > L'5') ||
      (!fraction.empty() && fraction[0] == L'5' && !tie) || (tie && value % 2 != 0)) {
    ++value;
  }
  if (negative) value = -value;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<Int16>(value);
}

// Val16, or nothing when it raised the overflow error.
std::optional<Int16> Read(const std::wstring& text) {
  try {
    return velmora::Val16(text);
  } catch (const velmora::RuntimeError& e) {
    if (e.Number() != velmora::kErrOverflow) Fail("an error other than overflow", text);
    return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring text = velmora::FromUtf8(bytes);

  // The conversions: the wide text survives a round trip through UTF-8.
  if (velmora::FromUtf8(velmora::ToUtf8(text)) != text) Fail("UTF-8 round trip changed", text);

  const std::optional<Int16> value = Read(text);
  if (value != Expected(text)) Fail("Val16 differs from the plain reading", text);
  if (!value) return 0;

  // A value read back from its own decimal text is the same value.
  const std::wstring decimal = velmora::DecimalText(*value);
  if (Read(decimal) != value) Fail("decimal text does not read back", text);
  // Leading blanks and a trailing character that cannot continue a number
  // change nothing.
  if (Read(L" \t\n" + text) != value) Fail("leading blanks changed the value", text);
  if (Read(text + L"x") != value) Fail("a trailing letter changed the value", text);
  return 0;
}
