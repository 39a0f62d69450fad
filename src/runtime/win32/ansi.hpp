// The program's wide texts in the ANSI code page, for the few functions
// that are called in their ANSI form.
#pragma once

#include <string>

namespace velmora {

// The text in the ANSI code page (CP_ACP); characters it lacks become '?'.
std::string ToAnsi(const std::wstring& text);

}  // namespace velmora
