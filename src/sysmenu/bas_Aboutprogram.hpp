// The About box's text, composed anew on every call from the application
// title, the version numbers (asked from the runtime each time), the notice,
// location and contact lines. Lines are separated by a lone carriage return.
#pragma once

#include <string>

#include "sysmenu/shared_texts.hpp"

namespace velmora::bas_Aboutprogram {

std::wstring AboutText();
// The author's name, 18 characters, built from its character codes.
std::wstring AuthorName();
// The web address, 37 characters, built from its character codes.
std::wstring WebAddress();

}  // namespace velmora::bas_Aboutprogram
