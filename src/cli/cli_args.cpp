#include "cli/cli_args.hpp"

#include <algorithm>
#include <optional>
#include <utility>

#include "cli/output.hpp"
#include "runtime/messages.hpp"

namespace velmora::cli {
namespace {

constexpr std::string_view kRangeMark = "..";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

enum class NumberStatus { kOk, kMalformed, kOutOfRange };

struct StrictNumber {
  NumberStatus status = NumberStatus::kMalformed;
  Int16 value = 0;
};

// An optional minus sign and at least one ASCII digit, nothing else, within
// the 16-bit range. The magnitude stops growing once it is past the range, so
// any number of digits is safe.
StrictNumber ReadStrictInt16(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  if (i == text.size()) return {};
  long magnitude = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return {};
    if (magnitude <= 32768) magnitude = magnitude * 10 + (text[i] - '0');
  }
  const long value = negative ? -magnitude : magnitude;
  if (value < -32768 || value > 32767) return {NumberStatus::kOutOfRange, 0};
  return {NumberStatus::kOk, static_cast<Int16>(value)};
}

// The message in the user's language, the argument in it as QuoteArg shows
// it.
std::string Naming(Msg message, std::string_view arg) {
  return Fill(TrUtf8(message), {QuoteArg(arg)});
}

// The reason a year text is refused, or nothing when it reads.
std::optional<std::string> YearProblem(std::string_view text, const StrictNumber& n) {
  switch (n.status) {
    case NumberStatus::kOk:
      return std::nullopt;
    case NumberStatus::kMalformed:
      // TRANSLATORS: velmora-cli's messages: %1 is what the user typed (a
      // year, a range such as 2024..2026, an option, a feast, a format).
      // FROM..TO, option names and format names stay as the user types them.
      return Naming(Msg(L"invalid year \"%1\" (expected digits with an optional minus sign)"),
                    text);
    case NumberStatus::kOutOfRange:
      return Naming(Msg(L"year \"%1\" is out of range (-32768..32767)"), text);
  }
  return std::nullopt;
}

// A year or a FROM..TO range, or the message refusing it.
std::variant<YearRange, std::string> ReadYears(std::string_view arg) {
  const std::size_t mark = arg.find(kRangeMark);
  if (mark == std::string_view::npos) {
    const StrictNumber year = ReadStrictInt16(arg);
    if (auto problem = YearProblem(arg, year)) return *problem;
    return YearRange{year.value, year.value};
  }

  const std::string_view from = arg.substr(0, mark);
  const std::string_view to = arg.substr(mark + kRangeMark.size());
  if (from.empty() || to.empty() || to.find(kRangeMark) != std::string_view::npos) {
    return Naming(Msg(L"invalid range \"%1\" (expected FROM..TO, two years)"), arg);
  }
  const StrictNumber first = ReadStrictInt16(from);
  const StrictNumber last = ReadStrictInt16(to);
  for (const auto& [text, n] : {std::pair{from, first}, std::pair{to, last}}) {
    if (auto problem = YearProblem(text, n)) {
      // TRANSLATORS: %1 is the reason a year is refused (one of the messages
      // above), %2 the range it stands in.
      return Fill(TrUtf8(L"%1 in range \"%2\""), {*problem, QuoteArg(arg)});
    }
  }
  if (first.value > last.value) {
    return Naming(Msg(L"range \"%1\" runs backwards (FROM must not be after TO)"), arg);
  }
  return YearRange{first.value, last.value};
}

std::optional<std::string> ReadMethod(std::string_view text, Int16& method) {
  for (const MethodName& named : kMethodNames) {
    if (text == named.name) {
      method = named.method;
      return std::nullopt;
    }
  }
  const StrictNumber n = ReadStrictInt16(text);
  if (n.status != NumberStatus::kOk || n.value < bas_Computus::kMethodJulian ||
      n.value > bas_Computus::kMethodGregorian) {
    // TRANSLATORS: the names and numbers stay as the user types them.
    return Naming(
        Msg(L"invalid method \"%1\" (expected julian, orthodox, western, gregorian, 1, 2 or 3)"),
        text);
  }
  method = n.value;
  return std::nullopt;
}

constexpr std::pair<std::string_view, Format> kFormats[] = {
    {"text", Format::kText}, {"iso", Format::kIso}, {"csv", Format::kCsv},
    {"json", Format::kJson}, {"ics", Format::kIcs},
};

std::optional<std::string> ReadFormat(std::string_view text, Format& format) {
  for (const auto& [name, value] : kFormats) {
    if (text == name) {
      format = value;
      return std::nullopt;
    }
  }
  return Naming(Msg(L"unknown format \"%1\" (expected text, iso, csv, json or ics)"), text);
}

// Adds the feast called `text` unless it is there already; "all" only sets
// `all`.
std::optional<std::string> ReadFeast(std::string_view text, std::vector<std::size_t>& feasts,
                                     bool& all) {
  if (text == "all") {
    all = true;
    return std::nullopt;
  }
  const std::size_t feast = FindFeast(text);
  if (feast == kFeasts.size())
    return Naming(Msg(L"unknown feast \"%1\" (--help lists them)"), text);
  if (std::find(feasts.begin(), feasts.end(), feast) == feasts.end()) feasts.push_back(feast);
  return std::nullopt;
}

// Options that take a value: --method N, --feast NAME, --format F.
bool TakesValue(std::string_view name) {
  return name == "--method" || name == "--feast" || name == "--format";
}

// The action an option names: --help (-h) or --version (-V).
std::optional<CliAction> ActionOf(std::string_view name) {
  if (name == "--help" || name == "-h") return CliAction::kHelp;
  if (name == "--version" || name == "-V") return CliAction::kVersion;
  return std::nullopt;
}

// The first --help or --version that stands as an option of its own, not as
// the value of another option and not after "--"; or none.
std::optional<CliAction> HelpOrVersion(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    if (const auto action = ActionOf(args[i])) return action;
    if (TakesValue(args[i])) ++i;
  }
  return std::nullopt;
}

}  // namespace

ParsedArgs ParseCliArgs(const std::vector<std::string>& args) {
  CliRequest request;
  // They win over whatever else the line holds, a bad year included.
  if (const auto action = HelpOrVersion(args)) {
    request.action = *action;
    return request;
  }
  std::vector<std::size_t> feasts;  // as named, without "all"
  bool all_feasts = false;
  bool options_ended = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool is_option = !options_ended && arg.size() > 1 && arg[0] == '-' && !IsDigit(arg[1]);
    if (!is_option) {
      auto years = ReadYears(arg);
      if (auto* problem = std::get_if<std::string>(&years)) return UsageError{*problem};
      request.years.push_back(std::get<YearRange>(years));
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }

    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const bool has_value = equals != std::string_view::npos;
    std::string_view value = has_value ? arg.substr(equals + 1) : std::string_view{};

    if (TakesValue(name)) {
      if (!has_value) {
        if (i + 1 == args.size())
          return UsageError{Naming(Msg(L"option \"%1\" needs a value"), name)};
        value = args[++i];
      }
      std::optional<std::string> problem;
      if (name == "--method") {
        problem = ReadMethod(value, request.method);
      } else if (name == "--feast") {
        problem = ReadFeast(value, feasts, all_feasts);
      } else {
        problem = ReadFormat(value, request.format);
      }
      if (problem) return UsageError{*problem};
    } else if (name == "--iso" && !has_value) {
      request.format = Format::kIso;
    } else if (name == "--iso" || ActionOf(name)) {
      // Alone, --help and --version were answered before this loop.
      return UsageError{Naming(Msg(L"option \"%1\" takes no value"), name)};
    } else {
      return UsageError{Naming(Msg(L"unknown option \"%1\""), arg)};
    }
  }

  if (request.format == Format::kIcs && request.method == bas_Computus::kMethodJulian) {
    return UsageError{
        TrUtf8(L"format \"ics\" writes Gregorian calendar dates and method 1 gives Julian ones "
               "(--method 2 is the same reckoning with its dates in the Gregorian calendar)")};
  }
  if (all_feasts) {
    request.feasts.resize(kFeasts.size());
    for (std::size_t f = 0; f < kFeasts.size(); ++f) request.feasts[f] = f;
  } else if (!feasts.empty()) {
    request.feasts = std::move(feasts);
  }
  return request;
}

}  // namespace velmora::cli
