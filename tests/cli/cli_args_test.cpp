#include "cli/cli_args.hpp"
#include "cli/output.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::cli {
namespace {

using Args = std::vector<std::string>;

std::string Joined(const Args& args) {
  std::string text;
  for (const auto& a : args) text += "[" + a + "]";
  return text;
}

TEST(ParseCliArgs, AcceptsWellFormedCommandLines) {
  struct Case {
    Args args;
    Int16 method;
    bool iso;
    std::vector<YearRange> years;
  };
  const Case cases[] = {
      {{}, 3, false, {}},
      {{"2026"}, 3, false, {{2026, 2026}}},
      {{"0"}, 3, false, {{0, 0}}},
      {{"-0"}, 3, false, {{0, 0}}},
      {{"007"}, 3, false, {{7, 7}}},
      {{"00000000000000000000032767"}, 3, false, {{32767, 32767}}},
      {{"-32768", "32767"}, 3, false, {{-32768, -32768}, {32767, 32767}}},
      {{"-5"}, 3, false, {{-5, -5}}},
      {{"2020..2030", "1999", "5..5"}, 3, false, {{2020, 2030}, {1999, 1999}, {5, 5}}},
      {{"-10..-5", "-3..3"}, 3, false, {{-10, -5}, {-3, 3}}},
      {{"-32768..32767"}, 3, false, {{-32768, 32767}}},
      {{"2030", "2020"}, 3, false, {{2030, 2030}, {2020, 2020}}},
      {{"--method", "1", "2026"}, 1, false, {{2026, 2026}}},
      {{"2026", "--method=2"}, 2, false, {{2026, 2026}}},
      {{"--method", "1", "--method", "2"}, 2, false, {}},
      {{"--method", "julian", "2026"}, 1, false, {{2026, 2026}}},
      {{"--method=orthodox"}, 2, false, {}},
      {{"--method", "western"}, 3, false, {}},
      {{"--method=2", "--method=gregorian"}, 3, false, {}},
      {{"--iso", "2024"}, 3, true, {{2024, 2024}}},
      {{"--iso", "--iso"}, 3, true, {}},
      {{"--", "-5", "2026"}, 3, false, {{-5, -5}, {2026, 2026}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const ParsedArgs parsed = ParseCliArgs(c.args);
    ASSERT_TRUE(std::holds_alternative<CliRequest>(parsed)) << std::get<UsageError>(parsed).message;
    const auto& request = std::get<CliRequest>(parsed);
    EXPECT_EQ(request.action, CliAction::kDates);
    EXPECT_EQ(request.method, c.method);
    EXPECT_EQ(request.format == Format::kIso, c.iso);
    EXPECT_EQ(request.years, c.years);
  }
}

TEST(ParseCliArgs, FeastsOnceEachAndTheLastFormat) {
  const std::string all =
      "clean-monday ash-wednesday palm-sunday maundy-thursday good-friday holy-saturday easter "
      "easter-monday ascension pentecost whit-monday trinity-sunday corpus-christi";
  struct Case {
    Args args;
    Format format;
    std::string feasts;
  };
  using enum Format;
  const Case cases[] = {
      {{}, kText, "easter"},
      {{"--feast", "good-friday", "--feast=easter", "2026"}, kText, "good-friday easter"},
      {{"--feast=pentecost", "--feast", "easter", "--feast", "pentecost"},
       kText,
       "pentecost easter"},
      {{"--feast", "easter", "--feast", "all"}, kText, all},
      {{"--feast=all", "--feast=easter", "--feast=all"}, kText, all},
      {{"--format", "csv"}, kCsv, "easter"},
      {{"--format=json", "--iso"}, kIso, "easter"},
      {{"--iso", "--format", "ics", "--method=2"}, kIcs, "easter"},
      {{"--format=ics", "--method=1", "--method=3"}, kIcs, "easter"},
      {{"--format=text"}, kText, "easter"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const ParsedArgs parsed = ParseCliArgs(c.args);
    ASSERT_TRUE(std::holds_alternative<CliRequest>(parsed)) << std::get<UsageError>(parsed).message;
    std::string feasts;
    for (const std::size_t f : std::get<CliRequest>(parsed).feasts) {
      feasts.append(feasts.empty() ? "" : " ").append(kFeasts.at(f).name);
    }
    EXPECT_EQ(std::get<CliRequest>(parsed).format, c.format);
    EXPECT_EQ(feasts, c.feasts);
  }
}

TEST(ParseCliArgs, HelpAndVersionWinOverEverythingElse) {
  struct Case {
    Args args;
    CliAction action;
  };
  const Case cases[] = {
      {{"--help"}, CliAction::kHelp},
      {{"-h"}, CliAction::kHelp},
      {{"--version"}, CliAction::kVersion},
      {{"-V"}, CliAction::kVersion},
      {{"2026", "--iso", "--help"}, CliAction::kHelp},
      {{"--help", "20x6", "--bogus"}, CliAction::kHelp},
      {{"20x6", "--help"}, CliAction::kHelp},
      {{"99999", "-V"}, CliAction::kVersion},
      {{"--bogus", "--method=7", "-h"}, CliAction::kHelp},
      {{"--version", "--help"}, CliAction::kVersion},
      // The value of an option or a year after "--" is no option.
      {{"--feast", "--help", "-V"}, CliAction::kVersion},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const ParsedArgs parsed = ParseCliArgs(c.args);
    ASSERT_TRUE(std::holds_alternative<CliRequest>(parsed));
    EXPECT_EQ(std::get<CliRequest>(parsed).action, c.action);
  }
}

TEST(ParseCliArgs, RefusesBadArgumentsNamingThem) {
  struct Case {
    Args args;
    std::string message;
  };
  const Case cases[] = {
      {{"20x6"}, "invalid year \"20x6\" (expected digits with an optional minus sign)"},
      {{""}, "invalid year \"\" (expected digits with an optional minus sign)"},
      {{"-"}, "invalid year \"-\" (expected digits with an optional minus sign)"},
      {{"+2026"}, "invalid year \"+2026\" (expected digits with an optional minus sign)"},
      {{" 2026"}, "invalid year \" 2026\" (expected digits with an optional minus sign)"},
      {{"2026 "}, "invalid year \"2026 \" (expected digits with an optional minus sign)"},
      {{"2026.0"}, "invalid year \"2026.0\" (expected digits with an optional minus sign)"},
      {{"--5"}, "unknown option \"--5\""},
      {{"--", "--5"}, "invalid year \"--5\" (expected digits with an optional minus sign)"},
      {{"2026", "\xEF\xBC\x92\xEF\xBC\x90"},
       "invalid year \"\xEF\xBC\x92\xEF\xBC\x90\" (expected digits with an optional minus sign)"},
      {{"32768"}, "year \"32768\" is out of range (-32768..32767)"},
      {{"-32769"}, "year \"-32769\" is out of range (-32768..32767)"},
      {{"99999999999999999999999"}, "year \"99999999999999999999999\" is out of range"},
      {{"2030..2020"}, "range \"2030..2020\" runs backwards (FROM must not be after TO)"},
      {{"-1..-2"}, "range \"-1..-2\" runs backwards"},
      {{"2020.."}, "invalid range \"2020..\" (expected FROM..TO, two years)"},
      {{"..2020"}, "invalid range \"..2020\""},
      {{".."}, "invalid range \"..\""},
      {{"1..2..3"}, "invalid range \"1..2..3\""},
      {{"1...3"},
       "invalid year \".3\" (expected digits with an optional minus sign) in range "
       "\"1...3\""},
      {{"1..40000"}, "year \"40000\" is out of range (-32768..32767) in range \"1..40000\""},
      {{"x..5"}, "invalid year \"x\""},
      {{"--frobnicate"}, "unknown option \"--frobnicate\""},
      {{"-x"}, "unknown option \"-x\""},
      {{"-H"}, "unknown option \"-H\""},
      {{"--feast", "--help"}, "unknown feast \"--help\""},
      {{"--", "--help"}, "invalid year \"--help\""},
      {{"-h=1"}, "option \"-h\" takes no value"},
      {{"--ISO"}, "unknown option \"--ISO\""},
      {{"--method"}, "option \"--method\" needs a value"},
      {{"2026", "--method"}, "option \"--method\" needs a value"},
      {{"--method="},
       "invalid method \"\" (expected julian, orthodox, western, gregorian, 1, 2 or 3)"},
      {{"--method", "x"}, "invalid method \"x\" (expected julian, orthodox, western, gregorian"},
      {{"--method", "Orthodox"}, "invalid method \"Orthodox\""},
      {{"--method=julia"}, "invalid method \"julia\""},
      {{"--method", "western "}, "invalid method \"western \""},
      {{"--method", "1.5"}, "invalid method \"1.5\""},
      {{"--method", "--iso"}, "invalid method \"--iso\""},
      {{"--method", "32768"}, "invalid method \"32768\""},
      {{"--method", "0"}, "invalid method \"0\""},
      {{"--method=4", "2026"}, "invalid method \"4\""},
      {{"--method", "-1"}, "invalid method \"-1\""},
      {{"--feast", "xmas"}, "unknown feast \"xmas\" (--help lists them)"},
      {{"--feast=Easter"}, "unknown feast \"Easter\""},
      {{"--feast="}, "unknown feast \"\""},
      {{"--feast", "all", "--feast", "x"}, "unknown feast \"x\""},
      {{"--feast"}, "option \"--feast\" needs a value"},
      {{"--format", "xml"}, "unknown format \"xml\" (expected text, iso, csv, json or ics)"},
      {{"--format=ICS"}, "unknown format \"ICS\""},
      {{"--format"}, "option \"--format\" needs a value"},
      {{"--format", "ics", "--method", "1"}, "format \"ics\" writes Gregorian calendar dates"},
      {{"--method=1", "2026", "--format=ics"}, "format \"ics\""},
      {{"--iso=yes"}, "option \"--iso\" takes no value"},
      {{"--help="}, "option \"--help\" takes no value"},
      {{"2026", "1..0", "20x6"}, "range \"1..0\" runs backwards"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const ParsedArgs parsed = ParseCliArgs(c.args);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    const std::string& message = std::get<UsageError>(parsed).message;
    EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
  }
}

TEST(QuoteArg, KeepsTheMessageOnOneReadableLine) {
  struct Case {
    std::string arg, quoted;
  };
  const Case cases[] = {
      {"2026", "2026"},
      {"20\n26", "20\\n26"},
      {"a\tb\rc", "a\\tb\\rc"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\x1b[31m", "\\x1B[31m"},
      {"say \"hi\" \\", "say \\\"hi\\\" \\\\"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
      {std::string(64, '9'), std::string(64, '9')},
      {std::string(65, '9'), std::string(64, '9') + "..."},
      // Shortening does not split the two-byte sequence standing at 64..65.
      {std::string(63, 'a') + "\xC3\xA9" + "b", std::string(63, 'a') + "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QuoteArg(c.arg), c.quoted);
  }
  const ParsedArgs parsed = ParseCliArgs({"x\ny"});
  ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
  EXPECT_EQ(std::get<UsageError>(parsed).message.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace velmora::cli
