// The program's wide texts in the ANSI code page, for the few functions
// that are called in their ANSI form.
#pragma once

#include <string>

#include "runtime/messages.hpp"

namespace velmora {

// The text in the ANSI code page (CP_ACP); characters it lacks become '?'.
std::string ToAnsi(const std::wstring& text);

// True when the ANSI code page holds every character of the text, so that
// it passes through an ANSI call unchanged.
bool FitsAnsi(const std::wstring& text);

// The message in the user's language where it fits the ANSI code page,
// else in English: for texts handed to ANSI calls, which would show the
// characters the code page lacks as question marks (a Greek user on a
// Western code page, say).
std::wstring AnsiOrEnglish(Msg msg);

}  // namespace velmora
