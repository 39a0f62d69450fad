// The command line of velmora-cli:
//
//   velmora-cli [--method N] [--iso] [YEAR | FROM..TO]...
//
// The parser is pure: it turns the arguments (without the program's name)
// into a request, or into the text of a usage error that names the offending
// argument. Nothing is printed here.
//
// Rules:
//  - A year is read strictly: an optional minus sign and ASCII digits, nothing
//    else (no blank, no plus sign, no fraction), within -32768..32767.
//  - FROM..TO is an inclusive range of years, FROM not after TO.
//  - --method N and --method=N take any 16-bit integer; the computation itself
//    refuses methods it does not know. The last --method given counts.
//  - A lone minus sign followed by a digit starts a (negative) year, not an
//    option; "--" ends the options.
//  - Arguments are examined left to right: --help or --version ends the
//    examination, so does the first bad argument.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "computus/bas_Computus.hpp"
#include "runtime/checked.hpp"

namespace velmora::cli {

// An inclusive, ascending range of years; a single year has first == last.
struct YearRange {
  Int16 first = 0;
  Int16 last = 0;
  bool operator==(const YearRange&) const = default;
};

enum class CliAction { kDates, kHelp, kVersion };

struct CliRequest {
  CliAction action = CliAction::kDates;
  Int16 method = bas_Computus::kMethodGregorian;
  bool iso = false;
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

// The argument as it appears inside a usage error: control characters
// escaped (so the message stays one line) and a very long text shortened.
std::string QuoteArg(std::string_view arg);

}  // namespace velmora::cli
