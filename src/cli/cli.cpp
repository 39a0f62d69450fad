#include "cli/cli.hpp"

#include <array>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli_args.hpp"
#include "cli/feasts.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/console_runtime.hpp"
#include "runtime/errors.hpp"
#include "runtime/text.hpp"
#include "sentence/result_sentence.hpp"
#include "velmora_version.h"

namespace velmora::cli {
namespace {

constexpr const char kUsageHead[] =
    "Usage: velmora-cli [--method N] [--feast NAME]... [--format F]\n"
    "                   [YEAR | FROM..TO]...\n"
    "\n"
    "Prints the date of Easter Sunday, or of the feasts that hang on it, for\n"
    "each YEAR and for every year from FROM to TO (both included, FROM not\n"
    "after TO), year by year in the order given. Without a year it prints the\n"
    "present year's.\n"
    "\n"
    "Options (a value follows as the next argument or after '=': --method=2):\n"
    "  --method N  the reckoning (default 3):\n"
    "                1  Julian reckoning, the date in the Julian calendar\n"
    "                   (years 326 and later)\n"
    "                2  Julian reckoning, the date converted to the Gregorian\n"
    "                   calendar (years 1583 to 4099)\n"
    "                3  Gregorian reckoning (years 1583 to 4099)\n"
    "  --feast NAME\n"
    "              a feast to print (default easter); repeat it for several,\n"
    "              which each year prints in the order named. A feast named\n"
    "              twice prints once, where first named; \"all\" prints every\n"
    "              feast, in this order, whatever else is named:\n";
constexpr const char kUsageTail[] =
    "              The days are counted in the method's calendar.\n"
    "  --format F  the output (default text):\n"
    "                text  a sentence per date\n"
    "                iso   a date per line, YYYY-MM-DD\n"
    "                csv   a header \"year,feast,date\", then a row per date: the\n"
    "                      feast by NAME, the date YYYY-MM-DD (RFC 4180, CRLF)\n"
    "                json  one array of objects {\"year\", \"feast\", \"date\", \"method\"}\n"
    "                ics   an iCalendar file (RFC 5545) with an all-day event per\n"
    "                      date, to import into a calendar application; methods\n"
    "                      2 and 3 only (calendar files hold Gregorian dates). A\n"
    "                      date asked for twice is listed once.\n"
    "              With --method 1 the dates are dates of the Julian calendar.\n"
    "  --iso       short for --format iso\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "A year is an optional minus sign and digits, -32768 to 32767.\n"
    "\n"
    "Exit status: 0 when every year has a date; 1 when the method refuses a\n"
    "year (its message goes to standard error; the other years are still\n"
    "printed, and a json document or a calendar stays whole); 2 when the\n"
    "command line is wrong (nothing is printed).\n";

// "48 days before Easter Sunday", "1 day after Easter Sunday"; for Easter
// Sunday itself its own name.
std::string DaysFromEasterText(Int16 offset) {
  if (offset == 0) return "Easter Sunday";
  const int days = offset < 0 ? -offset : offset;
  return std::to_string(days) + (days == 1 ? " day " : " days ") +
         (offset < 0 ? "before" : "after") + " Easter Sunday";
}

std::string BuildUsage() {
  std::string text = kUsageHead;
  for (const FeastInfo& feast : kFeasts) {
    std::string line = "                " + std::string(feast.name);
    line.resize(33, ' ');
    line += feast.display;
    if (feast.offset != 0) {
      line.resize(50, ' ');
      line += DaysFromEasterText(feast.offset);
    }
    text += line + '\n';
  }
  return text + kUsageTail;
}

// One line on the error stream, made of its pieces, pushed out at once.
void ErrorLine(std::FILE* err, std::initializer_list<std::string_view> pieces) {
  std::string line;
  for (const std::string_view piece : pieces) line += piece;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), err);
  std::fflush(err);
}

// The console backend of velmora-cli. A refusal of the computation becomes
// one line on standard error that names the program and the year refused:
// "velmora-cli: 1500: Gregorian calendar Easters apply for years 1583 to 4099
// only." The dates already written go out first, so that a refusal appears
// among them where it belongs when both streams go to one terminal.
class CliConsoleRuntime final : public ConsoleRuntime {
 public:
  CliConsoleRuntime(std::FILE* out, std::FILE* err, const int& year)
      : ConsoleRuntime({}, err), out_(out), err_(err), year_(year) {}

  void MsgBox(const std::wstring& text, MsgIcon, const std::optional<std::wstring>&) override {
    std::fflush(out_);
    // Line breaks in message texts are lone carriage returns.
    std::string body = ToUtf8(text);
    for (char& c : body) {
      if (c == '\r') c = '\n';
    }
    ErrorLine(err_, {"velmora-cli: ", std::to_string(year_), ": ", body});
  }

 private:
  std::FILE* out_;
  std::FILE* err_;
  const int& year_;  // the year being computed
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

// Appends a number that is not negative in decimal, zero-filled to `width`
// digits.
void AppendNumber(std::string& text, int value, int width = 1) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 || n < width);
  while (n > 0) text += digits[--n];
}

// YYYY-MM-DD, or with `separator` 0, YYYYMMDD; years past 9999 keep all
// their digits.
void AppendDate(std::string& text, int year, DayMonth date, char separator = '-') {
  AppendNumber(text, year, 4);
  if (separator != 0) text += separator;
  AppendNumber(text, date.month, 2);
  if (separator != 0) text += separator;
  AppendNumber(text, date.day, 2);
}

// iCalendar content lines (RFC 5545, 3.1) end in CRLF; one longer than 75
// octets is folded: broken after 75 octets and continued on the next line
// after one blank (74 octets more each time), never inside a UTF-8 sequence.
void AppendContentLine(std::string& out, std::string_view line) {
  std::size_t limit = 75;
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = 74;
  }
  out.append(line);
  out += "\r\n";
}

// An iCalendar TEXT value: backslash, semicolon, comma and line feed escaped.
std::string IcsText(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',' || c == '\n') escaped += '\\';
    escaped += c == '\n' ? 'n' : c;
  }
  return escaped;
}

const char* ReckoningName(Int16 method) {
  return method == bas_Computus::kMethodJulianInGregorian
             ? "the Julian reckoning, in the Gregorian calendar"
             : "the Gregorian reckoning";
}

// Writes the dates in the request's format. Begin comes before the first
// date and End after the last, also after a run cut short, so that a json
// document or a calendar is always whole.
class DateFormatter {
 public:
  DateFormatter(const CliRequest& request, Runtime& runtime, OutputWriter& writer)
      : request_(request), runtime_(runtime), writer_(writer) {}

  void Begin() {
    switch (request_.format) {
      case Format::kCsv:
        writer_.Text("year,feast,date\r\n");
        break;
      case Format::kJson:
        json_line_ += '[';
        break;
      case Format::kIcs:
        BeginCalendar();
        break;
      case Format::kText:
      case Format::kIso:
        break;
    }
  }

  void Date(Int16 year, std::size_t feast, DayMonth date) {
    const FeastInfo& info = kFeasts[feast];
    text_.clear();
    switch (request_.format) {
      case Format::kText:
        // Easter Sunday keeps the program's own sentence.
        text_ = ToUtf8(feast == kEaster
                           ? ResultSentence(year, date.day, date.month)
                           : ResultSentence(year, date.day, date.month, FromUtf8(info.display)));
        text_ += '\n';
        break;
      case Format::kIso:
        AppendDate(text_, year, date);
        text_ += '\n';
        break;
      case Format::kCsv:
        AppendNumber(text_, year);
        text_.append(",").append(info.name).append(",");
        AppendDate(text_, year, date);
        text_ += "\r\n";
        break;
      case Format::kJson:
        // A line goes out once the next one comes, with the comma it then
        // needs: standard output gets whole lines, between which a refusal
        // on standard error can stand.
        text_.swap(json_line_);
        text_ += dates_ == 0 ? "\n" : ",\n";
        json_line_ = "  {\"year\": ";
        AppendNumber(json_line_, year);
        json_line_.append(", \"feast\": \"").append(info.name).append("\", \"date\": \"");
        AppendDate(json_line_, year, date);
        json_line_ += "\", \"method\": ";
        AppendNumber(json_line_, request_.method);
        json_line_ += '}';
        break;
      case Format::kIcs:
        Event(year, feast, date);
        break;
    }
    ++dates_;
    writer_.Text(text_);
  }

  void End() {
    switch (request_.format) {
      case Format::kJson:
        writer_.Text(json_line_ + (dates_ == 0 ? "]\n" : "\n]\n"));
        break;
      case Format::kIcs:
        writer_.Text("END:VCALENDAR\r\n");
        break;
      case Format::kText:
      case Format::kIso:
      case Format::kCsv:
        break;
    }
  }

 private:
  // The calendar's head, and the lines of each feast's events that do not
  // depend on the year.
  void BeginCalendar() {
    std::string head;
    AppendContentLine(head, "BEGIN:VCALENDAR");
    AppendContentLine(head, "VERSION:2.0");
    AppendContentLine(head, "PRODID:-//Velmora//velmora-cli " VELMORA_FV_STRING "//EN");
    AppendContentLine(head, "CALSCALE:GREGORIAN");
    writer_.Text(head);

    // DTSTAMP says when the calendar was made: the present moment, in UTC.
    const DateTime now = runtime_.UtcNow();
    stamp_ = "DTSTAMP:";
    AppendDate(stamp_, now.year, {now.day, now.month}, 0);
    stamp_ += 'T';
    for (const int part : {now.hour, now.minute, now.second}) AppendNumber(stamp_, part, 2);
    stamp_ += "Z\r\n";

    const std::string method = std::to_string(request_.method);
    for (const std::size_t feast : request_.feasts) {
      const FeastInfo& info = kFeasts[feast];
      uid_tail_[feast].append("-").append(info.name).append("-method").append(method);
      uid_tail_[feast] += "@velmora-cli";
      std::string& lines = feast_lines_[feast];
      AppendContentLine(lines, "SUMMARY:" + IcsText(info.display));
      AppendContentLine(lines, "DESCRIPTION:" + IcsText(DaysFromEasterText(info.offset) + " by " +
                                                        ReckoningName(request_.method) +
                                                        " (velmora-cli --method " + method + ")"));
    }
  }

  // An all-day event: DTEND, the day after, is not part of it. Its UID is
  // made of the year, the feast and the method, so that importing the same
  // dates again updates the events instead of adding them a second time.
  void Event(Int16 year, std::size_t feast, DayMonth date) {
    const bool julian = request_.method == bas_Computus::kMethodJulian;
    const DayMonth next = AddDays(year, date, 1, julian);
    text_ = "BEGIN:VEVENT\r\n";
    line_ = "UID:";
    AppendNumber(line_, year);
    line_ += uid_tail_[feast];
    AppendContentLine(text_, line_);
    text_ += stamp_;
    text_ += "DTSTART;VALUE=DATE:";
    AppendDate(text_, year, date, 0);
    text_ += "\r\nDTEND;VALUE=DATE:";
    AppendDate(text_, year, next, 0);
    text_ += "\r\n";
    text_ += feast_lines_[feast];
    text_ += "END:VEVENT\r\n";
  }

  const CliRequest& request_;
  Runtime& runtime_;
  OutputWriter& writer_;
  long dates_ = 0;
  std::string text_, line_, stamp_, json_line_;
  std::array<std::string, kFeasts.size()> uid_tail_, feast_lines_;
};

// Writes the dates; returns kExitRefused when a year was refused. `year` is
// kept at the year being computed, for the backend to name in a refusal.
int WriteDates(const CliRequest& request, Runtime& runtime, DateFormatter& formatter,
               const OutputWriter& writer, int& year) {
  std::vector<YearRange> years = request.years;
  if (years.empty()) {
    const Int16 present = runtime.Now().year;
    years.push_back({present, present});
  }
  // A calendar holds each event once (its UID is unique): in ics a year
  // given again is left out. Its years are those of methods 2 and 3.
  constexpr int kFirstIcsYear = bas_Computus::kFirstGregorianYear;
  constexpr int kLastIcsYear = bas_Computus::kLastGregorianYear;
  std::vector<bool> written;
  if (request.format == Format::kIcs) written.resize(kLastIcsYear - kFirstIcsYear + 1);

  const bool julian = request.method == bas_Computus::kMethodJulian;
  int code = kExitOk;
  for (const YearRange& range : years) {
    // An int counter: an Int16 one could not step past 32767.
    for (year = range.first; year <= range.last && !writer.failed(); ++year) {
      if (!written.empty() && year >= kFirstIcsYear && year <= kLastIcsYear) {
        if (written[year - kFirstIcsYear]) continue;
        written[year - kFirstIcsYear] = true;
      }
      DayMonth easter;
      const auto year16 = static_cast<Int16>(year);
      if (bas_Computus::GetEasterDay(easter.day, easter.month, year16, request.method) != kTrue) {
        code = kExitRefused;
        continue;
      }
      for (const std::size_t feast : request.feasts) {
        formatter.Date(year16, feast, AddDays(year16, easter, kFeasts[feast].offset, julian));
      }
    }
  }
  return code;
}

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime& runtime,
        int& year) {
  const ParsedArgs parsed = ParseCliArgs(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    ErrorLine(err, {"velmora-cli: ", usage->message, "\nTry \"velmora-cli --help\" for usage."});
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
      writer.Line("velmora-cli " VELMORA_FV_STRING);
      break;
    case CliAction::kDates: {
#ifdef _WIN32
      // csv and ics lines end in CRLF as written: no text-mode translation.
      if (request.format == Format::kCsv || request.format == Format::kIcs) {
        _setmode(_fileno(out), _O_BINARY);
      }
#endif
      ScopedRuntime installed(runtime);
      DateFormatter formatter(request, runtime, writer);
      try {
        formatter.Begin();
        code = WriteDates(request, runtime, formatter, writer, year);
        formatter.End();
      } catch (const RuntimeError& e) {
        formatter.End();
        writer.Finish();
        ErrorLine(err, {"velmora-cli: ", e.what()});
        return kExitRefused;
      }
      break;
    }
  }

  if (!writer.Finish()) {
    if (!ReaderWentAway(writer.error())) {
      ErrorLine(err, {"velmora-cli: cannot write the output: ", std::strerror(writer.error())});
    }
    return kExitRefused;
  }
  return code;
}

}  // namespace

const char* UsageText() {
  static const std::string text = BuildUsage();
  return text.c_str();
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  int year = 0;
  CliConsoleRuntime runtime(out, err, year);
  return Run(args, out, err, runtime, year);
}

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime& runtime) {
  int year = 0;
  return Run(args, out, err, runtime, year);
}

}  // namespace velmora::cli
