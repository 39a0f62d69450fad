#include "cli/cli.hpp"

#include <cerrno>
#include <string_view>
#include <system_error>

#include "cli/cli_args.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/console_runtime.hpp"
#include "runtime/errors.hpp"
#include "runtime/recording_runtime.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"
#include "velmora_version.h"

namespace velmora::cli {
namespace {

constexpr const char kUsage[] =
    "Usage: velmora-cli [--method N] [--iso] [YEAR | FROM..TO]...\n"
    "\n"
    "Prints the date of Easter Sunday for each YEAR, and for every year from\n"
    "FROM to TO (both included, FROM not after TO), one line per year, in the\n"
    "order given. Without a year it prints the present year's.\n"
    "\n"
    "Options:\n"
    "  --method N, --method=N\n"
    "              the reckoning (default 3):\n"
    "                1  Julian reckoning, the date in the Julian calendar\n"
    "                   (years 326 and later)\n"
    "                2  Julian reckoning, the date converted to the Gregorian\n"
    "                   calendar (years 1583 to 4099)\n"
    "                3  Gregorian reckoning (years 1583 to 4099)\n"
    "  --iso       print the date as YYYY-MM-DD instead of a sentence; with\n"
    "              --method 1 it is a date of the Julian calendar\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "A year is an optional minus sign and digits, -32768 to 32767.\n"
    "\n"
    "Exit status: 0 when every year has a date; 1 when the method refuses a\n"
    "year (its message goes to standard error, the other years are still\n"
    "printed); 2 when the command line is wrong (nothing is printed).\n";

// A console backend that first pushes out the dates already written, so a
// refusal appears among the dates where it belongs when both streams go to
// one terminal.
class CliConsoleRuntime final : public ConsoleRuntime {
 public:
  CliConsoleRuntime(std::wstring command, std::FILE* out, std::FILE* err)
      : ConsoleRuntime(std::move(command), err), out_(out) {}

  void MsgBox(const std::wstring& text, MsgIcon icon,
              const std::optional<std::wstring>& title) override {
    std::fflush(out_);
    ConsoleRuntime::MsgBox(text, icon, title);
  }

 private:
  std::FILE* out_;
};

// Writes to the output stream and remembers the first failure: a reader
// that has gone away (a closed pipe) or a full disk. Once a write has
// failed nothing more is attempted.
class OutputWriter {
 public:
  explicit OutputWriter(std::FILE* out) : out_(out) {}

  void Text(std::string_view text) {
    if (!failed_ && std::fwrite(text.data(), 1, text.size(), out_) != text.size()) Fail();
  }
  void Line(std::string_view text) {
    Text(text);
    if (!failed_ && std::fputc('\n', out_) == EOF) Fail();
  }
  bool Finish() {
    if (!failed_ && std::fflush(out_) != 0) Fail();
    return !failed_;
  }
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  void Fail() {
    failed_ = true;
    error_ = errno;
  }

  std::FILE* out_;
  bool failed_ = false;
  int error_ = 0;
};

// A reader that stopped reading is not an error worth a message. Windows'
// C runtime reports a write to a closed pipe as EINVAL.
bool ReaderWentAway(int error) {
#ifdef _WIN32
  if (error == EINVAL) return true;
#endif
  return error == EPIPE;
}

std::string IsoDate(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  return text;
}

// Writes the dates; returns kExitRefused when a year was refused.
int WriteDates(const CliRequest& request, Runtime& runtime, OutputWriter& writer) {
  std::vector<YearRange> years = request.years;
  if (years.empty()) {
    const Int16 present = runtime.Now().year;
    years.push_back({present, present});
  }
  int code = kExitOk;
  for (const YearRange& range : years) {
    // An int counter: an Int16 one could not step past 32767.
    for (int year = range.first; year <= range.last && !writer.failed(); ++year) {
      Int16 day = 0, month = 0;
      const auto year16 = static_cast<Int16>(year);
      if (bas_Computus::GetEasterDay(day, month, year16, request.method) != kTrue) {
        code = kExitRefused;
      } else if (request.iso) {
        writer.Line(IsoDate(year, month, day));
      } else {
        writer.Line(ToUtf8(ResultSentence(year16, day, month)));
      }
    }
  }
  return code;
}

std::wstring JoinedArgs(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) {
    if (!joined.empty()) joined += ' ';
    joined += arg;
  }
  return FromUtf8(joined);
}

}  // namespace

const char* UsageText() { return kUsage; }

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  CliConsoleRuntime runtime(JoinedArgs(args), out, err);
  return RunCli(args, out, err, runtime);
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime& runtime) {
  const ParsedArgs parsed = ParseCliArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    std::fprintf(err, "velmora-cli: %s\nTry \"velmora-cli --help\" for usage.\n",
                 usage->message.c_str());
    std::fflush(err);
    return kExitUsage;
  }
  const CliRequest& request = std::get<CliRequest>(parsed);

  OutputWriter writer(out);
  int code = kExitOk;
  switch (request.action) {
    case CliAction::kHelp:
      writer.Text(kUsage);
      break;
    case CliAction::kVersion:
      writer.Line("velmora-cli " VELMORA_FV_STRING);
      break;
    case CliAction::kDates: {
      ScopedRuntime installed(runtime);
      try {
        code = WriteDates(request, runtime, writer);
      } catch (const RuntimeError& e) {
        writer.Finish();
        std::fprintf(err, "velmora-cli: %s\n", e.what());
        std::fflush(err);
        return kExitRefused;
      }
      break;
    }
  }

  if (!writer.Finish()) {
    if (!ReaderWentAway(writer.error())) {
      const std::string reason = std::generic_category().message(writer.error());
      std::fprintf(err, "velmora-cli: cannot write the output: %s\n", reason.c_str());
      std::fflush(err);
    }
    return kExitRefused;
  }
  return code;
}

}  // namespace velmora::cli
