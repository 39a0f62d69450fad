#include "runtime/win32/console_text.hpp"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "runtime/text.hpp"

namespace velmora {
namespace {

HANDLE HandleOf(std::FILE* stream) {
  const int fd = _fileno(stream);
  return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

}  // namespace

bool IsConsole(std::FILE* stream) {
  DWORD mode = 0;
  const HANDLE handle = HandleOf(stream);
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

std::size_t WriteText(std::FILE* stream, std::string_view text) {
  if (!IsConsole(stream)) return std::fwrite(text.data(), 1, text.size(), stream);
  // What the stream holds goes first.
  if (std::fflush(stream) != 0) return 0;
  const std::wstring wide = FromUtf8(text);
  const HANDLE console = HandleOf(stream);
  std::size_t done = 0;
  while (done < wide.size()) {
    // In pieces: old consoles refuse very long writes.
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done, piece, &written, nullptr) || written == 0) {
      errno = EIO;
      return 0;
    }
    done += written;
  }
  return text.size();
}

}  // namespace velmora
