// The About box's text, composed anew on every call from the application
// title, the version numbers (asked from the runtime each time), the notice,
// location and contact lines. Lines are separated by a lone carriage return.
#pragma once

#include <string>

namespace velmora::bas_Aboutprogram {

// The years of the notice line, set once by start-up.
extern std::wstring AboutYears;
// The fixed value start-up gives AboutYears.
inline constexpr const wchar_t* kAboutYears = L"2026";

std::wstring AboutText();
// The author's name, 18 characters, built from its character codes.
std::wstring AuthorName();
// The web address, 37 characters, built from its character codes.
std::wstring WebAddress();

}  // namespace velmora::bas_Aboutprogram
