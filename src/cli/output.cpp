#include "cli/output.hpp"

#include <cerrno>

namespace velmora::cli {

void OutputWriter::Text(std::string_view text) {
  if (!failed_ && std::fwrite(text.data(), 1, text.size(), out_) != text.size()) Fail();
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
  std::fwrite(line.data(), 1, line.size(), err);
  std::fflush(err);
}

bool ReaderWentAway(int error) {
#ifdef _WIN32
  // Windows' C runtime reports a write to a closed pipe as EINVAL.
  if (error == EINVAL) return true;
#endif
  return error == EPIPE;
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
