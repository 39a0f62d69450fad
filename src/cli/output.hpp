// What velmora-cli writes with: the output stream, whose first failure is
// remembered; lines on the error stream; numbers and dates as text.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "cli/feasts.hpp"

namespace velmora::cli {

// Writes to the output stream and remembers the first failure: a reader
// that has gone away (a closed pipe) or a full disk. Once a write has
// failed nothing more is attempted. Every write and flush of the output
// goes through here, so that none fails unseen.
class OutputWriter {
 public:
  explicit OutputWriter(std::FILE* out) : out_(out) {}

  void Text(std::string_view text);
  // Pushes out what the stream holds, so that a line written next to the
  // error stream stands after the dates written before it.
  void Flush();
  // Flushes; true when every write succeeded.
  bool Finish();
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  void Fail();

  std::FILE* out_;
  bool failed_ = false;
  int error_ = 0;
};

// How text reaches a stream: the bytes written, fewer on a failure (with
// errno set). std::fwrite unless the program installs its own, as
// velmora-cli.exe does, which writes a console as wide text.
using StreamWrite = std::size_t (*)(std::FILE* stream, std::string_view text);
void InstallStreamWrite(StreamWrite write);

// One line on the error stream, made of its pieces, pushed out at once.
void ErrorLine(std::FILE* err, std::initializer_list<std::string_view> pieces);

// The argument as it appears inside a message: control characters escaped
// (so the message stays one line) and a very long text shortened.
std::string QuoteArg(std::string_view arg);

// A reader that stopped reading is not an error worth a message.
bool ReaderWentAway(int error);

// Appends a number that is not negative in decimal, zero-filled to `width`
// digits.
void AppendNumber(std::string& text, int value, int width = 1);

// YYYY-MM-DD, or with `separator` 0, YYYYMMDD (ISO 8601). A year past 9999
// is written in ISO 8601's expanded form, all its digits after a plus sign:
// +25000-03-26.
void AppendDate(std::string& text, int year, DayMonth date, char separator = '-');

}  // namespace velmora::cli
