// The text of velmora-cli --help, which is also the source of its man page
// (help2man): the usage, the options, the feasts from kFeasts, the formats
// and the exit status.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.hpp"
#include "cli/cli_args.hpp"
#include "cli/feasts.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/text.hpp"

namespace velmora::cli {
namespace {

constexpr const char kUsageHead[] =
    "Usage: velmora-cli [--method M] [--feast NAME]... [--format F]\n"
    "                   [YEAR | FROM..TO]...\n"
    "\n"
    "Prints the date of Easter Sunday, or of the feasts that hang on it, for\n"
    "each YEAR and for every year from FROM to TO (both included, FROM not\n"
    "after TO), year by year in the order given. Without a year it prints the\n"
    "present year's.\n"
    "\n"
    "Options (a value follows as the next argument or after '=': --method=2):\n"
    "  --method M  the reckoning, by name or number (default western, 3):\n";
constexpr const char kUsageFeasts[] =
    "  --feast NAME\n"
    "              a feast to print (default easter); repeat it for several,\n"
    "              which each year prints in the order named. A feast named\n"
    "              twice prints once, where first named; \"all\" prints every\n"
    "              feast, in this order, whatever else is named:\n";
constexpr const char kUsageTail[] =
    "              The days are counted in the method's calendar.\n"
    "  --format F  the output (default text):\n"
    "                text  a sentence per date\n"
    "                iso   a date per line, YYYY-MM-DD (ISO 8601; a year past 9999\n"
    "                      in its expanded form, with a sign: +25000-03-26, in\n"
    "                      csv and json too)\n"
    "                csv   a header \"year,feast,date\", then a row per date: the\n"
    "                      feast by NAME, the date as in iso (RFC 4180, CRLF)\n"
    "                json  one array of objects {\"year\", \"feast\", \"date\", \"method\"}\n"
    "                ics   an iCalendar file (RFC 5545) with an all-day event per\n"
    "                      date, to import into a calendar application; methods\n"
    "                      2 and 3 only (calendar files hold Gregorian dates). A\n"
    "                      date asked for twice is listed once.\n"
    "              With --method 1 the dates are dates of the Julian calendar.\n"
    "  --iso       short for --format iso\n"
    "  -h, --help  print this help and exit\n"
    "  -V, --version\n"
    "              print the version and exit\n"
    "\n"
    "A year is an optional minus sign and digits, -32768 to 32767. --help and\n"
    "--version are answered whatever else the line holds, a bad year included,\n"
    "unless they stand after \"--\" or as the value of another option.\n"
    "\n"
    "Exit status:\n"
    "  0  every year has its dates, or the help or the version was printed\n"
    "  1  the method refused a year: its message went to standard error, the\n"
    "     other years were still printed (a json document stays whole; a\n"
    "     calendar is left out when no year gives an event); or the output\n"
    "     could not be written: \"cannot write the output\" and the reason on\n"
    "     standard error, except for a reader that stopped reading early\n"
    "  2  the command line is wrong: nothing is printed\n";

// A reckoning's names (one to a line, from column 17: the completions read
// them there), its number and what it is:
//   "                orthodox   2  Orthodox Easter: the Julian reckoning, in\n"
//   "                              the Gregorian calendar (years 1583 to 4099)\n"
std::string MethodLines(Int16 method) {
  using namespace bas_Computus;
  std::string about = method == kMethodJulianInGregorian ? "Orthodox Easter: "
                      : method == kMethodGregorian       ? "Western Easter: "
                                                         : "";
  about += ReckoningName(method);
  about += method == kMethodJulian ? " (years " + std::to_string(kFirstJulianYear) + " and later)"
                                   : " (years " + std::to_string(kFirstGregorianYear) + " to " +
                                         std::to_string(kLastGregorianYear) + ")";
  // The description in lines of at most 48 characters, broken at blanks.
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < about.size();) {
    std::size_t end = about.size();
    if (end - at > 48) {
      end = about.rfind(' ', at + 48);
      if (end == std::string::npos || end <= at) end = at + 48;
    }
    lines.push_back(about.substr(at, end - at));
    at = end + 1;
  }
  std::vector<std::string_view> names;
  for (const MethodName& named : kMethodNames) {
    if (named.method == method) names.push_back(named.name);
  }
  std::string text;
  for (std::size_t i = 0; i < std::max(lines.size(), names.size()); ++i) {
    std::string line(16, ' ');
    if (i < names.size()) line += names[i];
    line.resize(27, ' ');
    if (i == 0) line += std::to_string(method);
    line.resize(30, ' ');
    if (i < lines.size()) line += lines[i];
    while (line.back() == ' ') line.pop_back();
    text += line + '\n';
  }
  return text;
}

std::string BuildUsage() {
  std::string text = kUsageHead;
  for (const Int16 method : {bas_Computus::kMethodJulian, bas_Computus::kMethodJulianInGregorian,
                             bas_Computus::kMethodGregorian}) {
    text += MethodLines(method);
  }
  text += kUsageFeasts;
  for (const FeastInfo& feast : kFeasts) {
    std::string line = "                " + std::string(feast.name);
    line.resize(33, ' ');
    line += ToUtf8(feast.display.english());
    if (feast.offset != 0) {
      line.resize(50, ' ');
      line += DaysFromEasterText(feast.offset);
    }
    text += line + '\n';
  }
  return text + kUsageTail;
}

}  // namespace

const char* UsageText() {
  static const std::string text = BuildUsage();
  return text.c_str();
}

}  // namespace velmora::cli
