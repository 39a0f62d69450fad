// Text for a console program's streams on Windows.
#pragma once

#include <cstdio>
#include <string_view>

namespace velmora {

// Writes UTF-8 text to a stream: to a console as UTF-16 (WriteConsoleW),
// which shows every character whatever the console's code page; to a file
// or a pipe as the UTF-8 bytes themselves, without a byte-order mark.
// Returns the number of bytes of `text` written; on a failure fewer, with
// errno set.
std::size_t WriteText(std::FILE* stream, std::string_view text);

// True when the stream is a console.
bool IsConsole(std::FILE* stream);

}  // namespace velmora
