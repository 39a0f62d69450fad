// The command line of velmora-cli:
//
//   velmora-cli [--method M] [--feast NAME]... [--format F | --iso]
//               [YEAR | FROM..TO]...
//
// The parser is pure: it turns the arguments (without the program's name)
// into a request, or into the text of a usage error that names the offending
// argument. Nothing is printed here.
//
// Rules:
//  - A year is read strictly: an optional minus sign and ASCII digits, nothing
//    else (no blank, no plus sign, no fraction), within -32768..32767.
//  - FROM..TO is an inclusive range of years, FROM not after TO.
//  - --method M and --method=M take a reckoning by its name in kMethodNames
//    (julian, orthodox, western or gregorian) or its number, 1, 2 or 3. The
//    last --method counts.
//  - --feast NAME names a feast of kFeasts; each feast is kept once, at its
//    first mention. "all" stands for every feast in calendar order, whatever
//    else is named. Without --feast, Easter Sunday alone.
//  - --format F takes text, iso, csv, json or ics; --iso is --format iso. The
//    last one counts. ics with method 1 is refused: calendar files hold
//    Gregorian dates, and method 1's are Julian.
//  - A lone minus sign followed by a digit starts a (negative) year, not an
//    option; "--" ends the options.
//  - Options that take a value take it as the next argument or after '='.
//  - --help (-h) or --version (-V) anywhere before "--", other than as an
//    option's value, wins over everything else on the line, a bad argument
//    included; the first of them counts.
//  - Otherwise arguments are examined left to right; the first bad argument
//    ends the examination.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/feasts.hpp"
#include "computus/bas_Computus.hpp"
#include "runtime/checked.hpp"

namespace velmora::cli {

// An inclusive, ascending range of years; a single year has first == last.
struct YearRange {
  Int16 first = 0;
  Int16 last = 0;
  bool operator==(const YearRange&) const = default;
};

// The reckonings by name: what --method takes besides their numbers, in
// the order --help lists them.
struct MethodName {
  std::string_view name;
  Int16 method;
};
inline constexpr MethodName kMethodNames[] = {
    {"julian", bas_Computus::kMethodJulian},
    {"orthodox", bas_Computus::kMethodJulianInGregorian},
    {"western", bas_Computus::kMethodGregorian},
    {"gregorian", bas_Computus::kMethodGregorian},
};

enum class CliAction { kDates, kHelp, kVersion };

enum class Format { kText, kIso, kCsv, kJson, kIcs };

struct CliRequest {
  CliAction action = CliAction::kDates;
  Int16 method = bas_Computus::kMethodGregorian;
  Format format = Format::kText;
  // Indexes into kFeasts, each once, in the order to print them.
  std::vector<std::size_t> feasts{kEaster};
  // In the order given; empty means the present year.
  std::vector<YearRange> years;
};

// One line, without the program's name and without a line break; it quotes
// the offending argument.
struct UsageError {
  std::string message;
};

using ParsedArgs = std::variant<CliRequest, UsageError>;

ParsedArgs ParseCliArgs(const std::vector<std::string>& args);

}  // namespace velmora::cli
