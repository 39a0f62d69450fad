#include "cli/output.hpp"

#include <cerrno>

namespace velmora::cli {
namespace {

// Longest part of an argument quoted in a message; the rest is elided.
constexpr std::size_t kQuoteLimit = 64;

std::size_t PlainWrite(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream);
}

StreamWrite g_write = &PlainWrite;

}  // namespace

void InstallStreamWrite(StreamWrite write) { g_write = write != nullptr ? write : &PlainWrite; }

void OutputWriter::Text(std::string_view text) {
  if (!failed_ && g_write(out_, text) != text.size()) Fail();
}

void OutputWriter::Flush() {
  if (!failed_ && std::fflush(out_) != 0) Fail();
}

bool OutputWriter::Finish() {
  Flush();
  return !failed_;
}

void OutputWriter::Fail() {
  failed_ = true;
  error_ = errno;
}

void ErrorLine(std::FILE* err, std::initializer_list<std::string_view> pieces) {
  std::string line;
  for (const std::string_view piece : pieces) line += piece;
  line += '\n';
  g_write(err, line);
  std::fflush(err);
}

bool ReaderWentAway(int error) {
#ifdef _WIN32
  // Windows' C runtime reports a write to a closed pipe as EINVAL.
  if (error == EINVAL) return true;
#endif
  return error == EPIPE;
}

std::string QuoteArg(std::string_view arg) {
  std::string out;
  std::size_t shown = arg.size();
  if (shown > kQuoteLimit) {
    shown = kQuoteLimit;
    // Do not cut a UTF-8 sequence: back off over continuation bytes.
    while (shown > 0 && (static_cast<unsigned char>(arg[shown]) & 0xC0) == 0x80) --shown;
  }
  for (std::size_t i = 0; i < shown; ++i) {
    const auto c = static_cast<unsigned char>(arg[i]);
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          constexpr char kHex[] = "0123456789ABCDEF";
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  if (shown < arg.size()) out += "...";
  return out;
}

void AppendNumber(std::string& text, int value, int width) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 || n < width);
  while (n > 0) text += digits[--n];
}

void AppendDate(std::string& text, int year, DayMonth date, char separator) {
  if (year > 9999) text += '+';
  AppendNumber(text, year, 4);
  if (separator != 0) text += separator;
  AppendNumber(text, date.month, 2);
  if (separator != 0) text += separator;
  AppendNumber(text, date.day, 2);
}

}  // namespace velmora::cli
