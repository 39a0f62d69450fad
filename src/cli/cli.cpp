// velmora-cli's runner: the command line read, the dates computed year by
// year and handed to the format asked for, failures reported.
#include "cli/cli.hpp"

#include <cstring>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli_args.hpp"
#include "cli/formats.hpp"
#include "cli/output.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/console_runtime.hpp"
#include "runtime/errors.hpp"
#include "runtime/messages.hpp"
#include "runtime/text.hpp"
#include "velmora_version.h"

namespace velmora::cli {
namespace {

// The console backend of velmora-cli. A refusal of the computation becomes
// one line on standard error that names the program and the year refused:
// "velmora-cli: 1500: Gregorian calendar Easters apply for years 1583 to 4099
// only." The dates already written go out first, through the writer that
// reports their failure, so that a refusal appears among them where it
// belongs when both streams go to one terminal.
class CliConsoleRuntime final : public ConsoleRuntime {
 public:
  CliConsoleRuntime(OutputWriter& writer, std::FILE* err, const int& year)
      : ConsoleRuntime({}, err), writer_(writer), err_(err), year_(year) {}

  void MsgBox(const std::wstring& text, MsgIcon, const std::optional<std::wstring>&) override {
    writer_.Flush();
    ErrorLine(err_, {"velmora-cli: ", std::to_string(year_), ": ", ConsoleText(text)});
  }

 private:
  OutputWriter& writer_;
  std::FILE* err_;
  const int& year_;  // the year being computed
};

std::unique_ptr<DateFormat> MakeDateFormat(const CliRequest& request, Runtime& runtime,
                                           OutputWriter& writer) {
  switch (request.format) {
    case Format::kText:
      return MakeTextFormat(writer, request.method);
    case Format::kIso:
      return MakeIsoFormat(writer);
    case Format::kCsv:
      return MakeCsvFormat(writer);
    case Format::kJson:
      return MakeJsonFormat(writer, request.method);
    case Format::kIcs:
      break;
  }
  return MakeIcsFormat(writer, request, runtime);
}

// Hands the format the dates; returns kExitRefused when a year was refused.
// `year` is kept at the year being computed, for the backend to name in a
// refusal.
int ComputeDates(const CliRequest& request, Runtime& runtime, DateFormat& format,
                 const OutputWriter& writer, int& year) {
  std::vector<YearRange> years = request.years;
  if (years.empty()) {
    const Int16 present = runtime.Now().year;
    years.push_back({present, present});
  }
  const CalendarKind calendar = CalendarOf(request.method);
  int code = kExitOk;
  for (const YearRange& range : years) {
    // An int counter: an Int16 one could not step past 32767.
    for (year = range.first; year <= range.last && !writer.failed(); ++year) {
      DayMonth easter;
      const auto year16 = static_cast<Int16>(year);
      if (bas_Computus::GetEasterDay(easter.day, easter.month, year16, request.method) != kTrue) {
        code = kExitRefused;
        continue;
      }
      for (const std::size_t feast : request.feasts) {
        format.Date(year16, feast, AddDays(year16, easter, kFeasts[feast].offset, calendar));
      }
    }
  }
  return code;
}

// The dates of the request in its format, with the caller's backend or
// else velmora-cli's own.
int WriteDates(const CliRequest& request, OutputWriter& writer, std::FILE* out, std::FILE* err,
               Runtime* given) {
#ifdef _WIN32
  // csv and ics lines end in CRLF as written: no text-mode translation.
  if (request.format == Format::kCsv || request.format == Format::kIcs) {
    _setmode(_fileno(out), _O_BINARY);
  }
#else
  (void)out;
#endif
  int year = 0;
  CliConsoleRuntime console(writer, err, year);
  Runtime& runtime = given != nullptr ? *given : console;
  ScopedRuntime installed(runtime);
  const std::unique_ptr<DateFormat> format = MakeDateFormat(request, runtime, writer);
  try {
    format->Begin();
    const int code = ComputeDates(request, runtime, *format, writer, year);
    format->End();
    return code;
  } catch (const RuntimeError& e) {
    format->End();
    writer.Flush();
    ErrorLine(err, {"velmora-cli: ", e.what()});
    return kExitRefused;
  }
}

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime* given) {
  const ParsedArgs parsed = ParseCliArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    ErrorLine(err, {"velmora-cli: ", usage->message, "\n",
                    TrUtf8(L"Try \"velmora-cli --help\" for usage.")});
    return kExitUsage;
  }
  const CliRequest& request = std::get<CliRequest>(parsed);

  OutputWriter writer(out);
  int code = kExitOk;
  switch (request.action) {
    case CliAction::kHelp:
      writer.Text(UsageText());
      break;
    case CliAction::kVersion:
      writer.Text("velmora-cli " VELMORA_FV_STRING "\n");
      break;
    case CliAction::kDates:
      code = WriteDates(request, writer, out, err, given);
      break;
  }
  // Whatever else happened, output that did not all arrive is a failure.
  if (!writer.Finish()) {
    if (!ReaderWentAway(writer.error())) {
      // TRANSLATORS: %1 is the system's reason (a full disk, say).
      ErrorLine(err, {"velmora-cli: ", Fill(TrUtf8(L"cannot write the output: %1"),
                                            {std::strerror(writer.error())})});
    }
    return kExitRefused;
  }
  return code;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return Run(args, out, err, nullptr);
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime& runtime) {
  return Run(args, out, err, &runtime);
}

}  // namespace velmora::cli
