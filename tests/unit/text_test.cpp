#include "runtime/text.hpp"

#include <gtest/gtest.h>

#include "runtime/errors.hpp"

namespace velmora {
namespace {

constexpr int kNoError = 0;

struct ReadCase {
  std::wstring text;
  int expected;  // the value read, or ignored when error is set
  int error = kNoError;
};

TEST(Val16, ReadsTheLeadingNumberRoundedHalfToEven) {
  const std::vector<ReadCase> cases = {
      {L"2026", 2026},
      {L"   2026", 2026},
      {L"2 0 2 6", 2026},
      {L" \t\n2\t0 \n2 6  ", 2026},
      {L"2026abc", 2026},
      {L"2026 years", 2026},
      {L"abc", 0},
      {L"", 0},
      {L"   ", 0},
      {L"-5", -5},
      {L"- 5", -5},
      {L"+7", 7},
      {L"-", 0},
      {L"--5", 0},
      {L"+-5", 0},
      {L".", 0},
      {L"2024.5", 2024},
      {L"2025.5", 2026},
      {L"2025.49999", 2025},
      {L"2024.50001", 2025},
      {L"2024.500000000000000000000000001", 2025},  // exact, not a double's rounding
      {L"-0.5", 0},
      {L"-1.5", -2},
      {L"-2.5", -2},
      {L".5", 0},
      {L"1.5", 2},
      {L"0.51", 1},
      {L"1999.9", 2000},
      {L"12.3.4", 12},
      {L"1e3", 1},
      {L"1E3", 1},
      {L"1d3", 1},
      {L"&H10", 0},
      {L"0x10", 0},
      {L"010", 10},
      {L"\r2026", 0},  // a carriage return is not skipped
      {L"20\r26", 20},
      {L"1,000", 1},
      {L"32767", 32767},
      {L"32767.4", 32767},
      {L"-32768", -32768},
      {L"-32768.5", -32768},  // the tie goes to the even -32768
      {L"32766.5", 32766},
      {L"40000", 0, kErrOverflow},
      {L"32768", 0, kErrOverflow},
      {L"32767.5", 0, kErrOverflow},
      {L"-32769", 0, kErrOverflow},
      {L"-32768.51", 0, kErrOverflow},
      {L"-32767.5", -32768},
      {L"99999999999999999999", 0, kErrOverflow},
      {L"\u0663\u0660", 0},  // other scripts' digits are not decimal digits here
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    try {
      const Int16 value = Val16(c.text);
      EXPECT_EQ(c.error, kNoError) << "expected error " << c.error << ", read " << value;
      EXPECT_EQ(value, c.expected);
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), c.error);
    }
  }
}

TEST(Val16, HugeTextsNeitherCrashNorMisread) {
  const std::wstring million_digits(1'000'000, L'9');
  try {
    Val16(million_digits);
    ADD_FAILURE() << "a million digits read as a 16-bit value";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrOverflow);
  }
  EXPECT_EQ(Val16(std::wstring(1'000'000, L'0') + L"2026"), 2026);
  EXPECT_EQ(Val16(std::wstring(1'000'000, L' ') + L"2026"), 2026);
  EXPECT_EQ(Val16(L"2026." + std::wstring(1'000'000, L'0') + L"1"), 2026);
  EXPECT_EQ(Val16(L"2024.5" + std::wstring(1'000'000, L'0') + L"1"), 2025);
}

TEST(DecimalText, PlainDigits) {
  EXPECT_EQ(DecimalText(0), L"0");
  EXPECT_EQ(DecimalText(5), L"5");
  EXPECT_EQ(DecimalText(2026), L"2026");
  EXPECT_EQ(DecimalText(-5), L"-5");
  EXPECT_EQ(DecimalText(32767), L"32767");
  EXPECT_EQ(DecimalText(-32768), L"-32768");
}

TEST(DecimalText, ReadsBackToTheSameValueOverTheWholeRange) {
  for (int v = -32768; v <= 32767; ++v) {
    ASSERT_EQ(Val16(DecimalText(static_cast<Int16>(v))), v);
  }
}

TEST(Chr, MapsAnsiCodesToUnicode) {
  EXPECT_EQ(Chr(65), L"A");
  EXPECT_EQ(Chr(0xA9), L"\u00A9");
  EXPECT_EQ(Chr(0x80), L"\u20AC");
  EXPECT_EQ(Chr(0x9F), L"\u0178");
  EXPECT_EQ(Chr(0xFF), L"\u00FF");
  EXPECT_THROW(Chr(256), RuntimeError);
  EXPECT_THROW(Chr(-1), RuntimeError);
}

TEST(Utf8, RoundTripsAndReplacesMalformedInput) {
  const std::wstring text = L"Copyright \u00A9 \u20AC \U0001F95A";
  EXPECT_EQ(ToUtf8(L"\u00A9"), "\xC2\xA9");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            L"a\uFFFD"
            L"b");
  EXPECT_EQ(FromUtf8("\xC2"), L"\uFFFD");            // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong form
}

}  // namespace
}  // namespace velmora
