// Number reading and writing, and the few text conversions the portable core
// needs. Texts are wide strings (UTF-16 on Windows).
#pragma once

#include <string>
#include <string_view>

#include "runtime/checked.hpp"

namespace velmora {

// Reads the leading decimal number of a text into a 16-bit integer.
//  - An optional sign, digits, an optional '.' and fraction digits. Blanks,
//    tabs and line feeds are skipped wherever they stand ("2 0 2 6" reads
//    2026); the first other character that cannot continue the number ends
//    it. Exponents and hex/octal prefixes are not part of a number: "1e3"
//    reads 1, "&H10" reads 0.
//  - A text without a leading number reads 0.
//  - The number is rounded to the nearest integer, a tie going to the even
//    one (2024.5 -> 2024, 2025.5 -> 2026). The rounding is done on the exact
//    decimal digits, not on a binary approximation of them.
//  - A rounded value outside -32768..32767 raises the overflow error (6).
// Work is linear in the text's length and stops as soon as the value is
// known to overflow.
Int16 Val16(std::wstring_view text);

// Plain decimal digits, a minus sign leading a negative value; no blank,
// no leading zeros, no group separators.
std::wstring DecimalText(Int16 value);

// The one-character text whose code in the ANSI code page (Windows-1252) is
// `code` (0..255). Codes outside 0..255 raise the invalid-property-value
// error (380).
std::wstring Chr(int code);

// UTF-8 form of a wide text, for consoles and test messages. Unpaired
// surrogates become U+FFFD.
std::string ToUtf8(std::wstring_view text);

// A message text as a console shows it: UTF-8, its line breaks (lone
// carriage returns in message texts) as line feeds.
std::string ConsoleText(std::wstring_view text);

// Wide form of a UTF-8 text; malformed bytes become U+FFFD.
std::wstring FromUtf8(std::string_view text);

}  // namespace velmora
