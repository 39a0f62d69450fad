#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>
#include <velmora/easter.hpp>

#ifndef _WIN32
#include "cli/gettext_catalogue.hpp"
#endif
#include "common/calendar_oracle.hpp"
#include "runtime/recording_runtime.hpp"
#include "velmora_version.h"

namespace velmora::cli {
namespace {

using Args = std::vector<std::string>;

std::string ReadBack(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Result {
  int code;
  std::string out, err;
};

// Runs the tool as main does, with its console backend; or, given one, with
// the caller's backend.
Result RunTool(const Args& args, Runtime* runtime = nullptr) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_NE(out, nullptr);
  EXPECT_NE(err, nullptr);
  const int code = runtime ? RunCli(args, out, err, *runtime) : RunCli(args, out, err);
  return {code, ReadBack(out), ReadBack(err)};
}

std::string Joined(const Args& args) {
  std::string text;
  for (const auto& a : args) text += "[" + a + "]";
  return text;
}

using test::CivilDate;
using test::GregorianFromJdn;
using test::JdnGregorian;
using test::JdnJulian;
using test::JulianFromJdn;
using test::MeeusGregorian;
using test::MeeusJulian;

TEST(RunCli, PrintsOneLinePerYearInTheOrderGiven) {
  struct Case {
    Args args;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{"2026"}, {"In the year 2026, Easter holiday occurs in day 5, month 4."}},
      {{"2026", "2024..2025"},
       {"In the year 2026, Easter holiday occurs in day 5, month 4.",
        "In the year 2024, Easter holiday occurs in day 31, month 3.",
        "In the year 2025, Easter holiday occurs in day 20, month 4."}},
      {{"--iso", "2024..2026"}, {"2024-03-31", "2025-04-20", "2026-04-05"}},
      {{"2000", "--iso", "2000"}, {"2000-04-23", "2000-04-23"}},
      // Method 1 gives a date of the Julian calendar; method 2 one in May.
      {{"--method", "1", "--iso", "2026"}, {"2026-03-30"}},
      {{"--method=2", "--iso", "2024"}, {"2024-05-05"}},
      {{"--method=2", "2024"}, {"In the year 2024, Orthodox Easter occurs in day 5, month 5."}},
      // Each reckoning by name, named in the sentence where it could be taken for another.
      {{"--method", "orthodox", "--feast", "good-friday", "2030"},
       {"In the year 2030, Good Friday by the Orthodox reckoning occurs in day 26, month 4."}},
      {{"--method=julian", "--feast=easter", "--feast=good-friday", "2026"},
       {"In the year 2026, Easter by the Julian reckoning occurs in day 30, month 3 of the Julian "
        "calendar.",
        "In the year 2026, Good Friday by the Julian reckoning occurs in day 28, month 3 of the "
        "Julian calendar."}},
      {{"--method=western", "--feast=easter", "--feast=good-friday", "2026"},
       {"In the year 2026, Easter holiday occurs in day 5, month 4.",
        "In the year 2026, Good Friday occurs in day 3, month 4."}},
      // Years below 1000 keep four digits, years beyond 9999 all of theirs
      // after a sign (ISO 8601's expanded years), in every format.
      {{"--method", "1", "--iso", "326", "9999", "25000"},
       {"0326-04-03", "9999-04-15", "+25000-03-26"}},
      {{"--method=1", "--format=csv", "10000"},
       {"year,feast,date\r", "10000,easter,+10000-04-06\r"}},
      {{"--method=1", "--format=json", "25000"},
       {"[",
        "  {\"year\": 25000, \"feast\": \"easter\", \"date\": \"+25000-03-26\", \"method\": 1}",
        "]"}},
      // The last 16-bit years: the loop must end.
      {{"--method", "1", "--iso", "32766..32767"}, {"+32766-04-18", "+32767-04-10"}},
      {{"--feast", "good-friday", "2026"},
       {"In the year 2026, Good Friday occurs in day 3, month 4."}},
      // Year by year, the feasts in the order named.
      {{"--feast=ascension", "--feast=easter", "--iso", "2025..2026"},
       {"2025-05-29", "2025-04-20", "2026-05-14", "2026-04-05"}},
      // A leap day of the Julian calendar that the Gregorian one has not.
      {{"--method=1", "--feast=clean-monday", "--iso", "2700"}, {"2700-02-29"}},
      {{"--format=csv", "2026"}, {"year,feast,date\r", "2026,easter,2026-04-05\r"}},
      {{"--format", "json", "2026"},
       {"[", "  {\"year\": 2026, \"feast\": \"easter\", \"date\": \"2026-04-05\", \"method\": 3}",
        "]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const Result r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(Lines(r.out), c.lines);
    EXPECT_EQ(r.err, "");
  }
}

// The feasts: the library's enumerator, days from Easter Sunday and weekday
// (the Julian day number mod 7: 0 Monday .. 6 Sunday), in calendar order.
struct FeastCase {
  const char* name;
  feast which;
  int offset, weekday;
};
constexpr FeastCase kFeastCases[] = {
    {"clean-monday", feast::clean_monday, -48, 0},
    {"ash-wednesday", feast::ash_wednesday, -46, 2},
    {"palm-sunday", feast::palm_sunday, -7, 6},
    {"maundy-thursday", feast::maundy_thursday, -3, 3},
    {"good-friday", feast::good_friday, -2, 4},
    {"holy-saturday", feast::holy_saturday, -1, 5},
    {"easter", feast::easter, 0, 6},
    {"easter-monday", feast::easter_monday, 1, 0},
    {"ascension", feast::ascension, 39, 3},
    {"pentecost", feast::pentecost, 49, 6},
    {"whit-monday", feast::whit_monday, 50, 0},
    {"trinity-sunday", feast::trinity_sunday, 56, 6},
    {"corpus-christi", feast::corpus_christi, 60, 3},
};
static_assert([] {
  for (const FeastCase& f : kFeastCases) {
    if (offset(f.which) != std::chrono::days{f.offset}) return false;
  }
  return true;
}());

// Every feast of every valid year of each method, against Easter by other
// reckonings and dates from Julian day numbers.
TEST(RunCli, EveryFeastOfEveryYearFromDayNumbers) {
  for (const int method : {1, 2, 3}) {
    SCOPED_TRACE(method);
    const int from = method == 1 ? 326 : 1583, to = method == 1 ? 32767 : 4099;
    const std::string range = std::to_string(from) + ".." + std::to_string(to);
    const Result r =
        RunTool({"--format=csv", "--feast=all", "--method=" + std::to_string(method), range});
    ASSERT_EQ(r.code, kExitOk);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1 + std::size(kFeastCases) * (to - from + 1));
    for (std::size_t i = 1; i < lines.size(); ++i) {
      const int y = from + static_cast<int>((i - 1) / std::size(kFeastCases));
      const FeastCase& feast = kFeastCases[(i - 1) % std::size(kFeastCases)];
      // Methods 1 and 2 reckon in the Julian calendar, method 2 gives the day
      // in the Gregorian one.
      const int easter = method == 3 ? MeeusGregorian(y) : MeeusJulian(y);
      const long long jdn =
          (method == 3 ? JdnGregorian : JdnJulian)(y, easter / 100, easter % 100) + feast.offset;
      ASSERT_EQ(jdn % 7, feast.weekday) << y << " " << feast.name;
      const CivilDate d = method == 1 ? JulianFromJdn(jdn) : GregorianFromJdn(jdn);
      char row[64];
      std::snprintf(row, sizeof row, "%d,%s,%s%04lld-%02d-%02d\r", y, feast.name,
                    d.year > 9999 ? "+" : "", d.year, d.month, d.day);
      ASSERT_EQ(lines[i], row);
    }
  }
}

TEST(RunCli, RefusedYearsShowTheComputationsMessageAndTheRestStillPrint) {
  const auto refused = [](int year, bool julian = false) {
    return "velmora-cli: " + std::to_string(year) + ": " +
           (julian ? "The original calculation applies to all years from 326 AD.\n"
                   : "Gregorian calendar Easters apply for years 1583 to 4099 only.\n");
  };
  struct Case {
    Args args;
    std::vector<std::string> lines;
    std::string err;
  };
  const Case cases[] = {
      {{"--iso", "1582", "2026", "4100"}, {"2026-04-05"}, refused(1582) + refused(4100)},
      {{"--iso", "1581..1584"}, {"1583-04-10", "1584-04-01"}, refused(1581) + refused(1582)},
      {{"--iso", "--method=2", "-32768"}, {}, refused(-32768)},
      {{"--iso", "--method=1", "325..326"}, {"0326-04-03"}, refused(325, true)},
      // Once a year, whatever the feasts; json stays one document.
      {{"--feast=all", "1500"}, {}, refused(1500)},
      {{"--format=json", "1582", "2026"},
       {"[", "  {\"year\": 2026, \"feast\": \"easter\", \"date\": \"2026-04-05\", \"method\": 3}",
        "]"},
       refused(1582)},
      {{"--format=json", "4100"}, {"[]"}, refused(4100)},
      // A calendar without an event is none: nothing at all.
      {{"--format=ics", "4100", "1500"}, {}, refused(4100) + refused(1500)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const Result r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_EQ(Lines(r.out), c.lines);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(RunCli, UsageErrorsPrintNothingAndNameTheArgument) {
  struct Case {
    Args args;
    std::string named;
  };
  const Case cases[] = {
      {{"20x6"}, "invalid year \"20x6\""},
      {{"2026", "2030..2020"}, "\"2030..2020\""},
      {{"2020.."}, "\"2020..\""},
      {{"40000"}, "\"40000\""},
      {{"--iso", "--bogus"}, "unknown option \"--bogus\""},
      {{"--method"}, "\"--method\" needs a value"},
      {{"--method", "three", "2026"}, "invalid method \"three\""},
      {{"--method", "4", "2024..2026"}, "invalid method \"4\""},
      {{"--feast", "xmas", "2026"}, "unknown feast \"xmas\""},
      {{"--format=xml"}, "unknown format \"xml\""},
      {{"--method=1", "--format=ics"}, "--method 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const Result r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_EQ(r.out, "");
    const auto lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 2u) << r.err;
    EXPECT_EQ(lines[0].rfind("velmora-cli: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.named), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("--help"), std::string::npos) << lines[1];
  }
}

TEST(RunCli, HelpAndVersion) {
  const Result version = RunTool({"--version"});
  EXPECT_EQ(version.code, kExitOk);
  EXPECT_EQ(version.out, std::string("velmora-cli ") + VELMORA_FV_STRING + "\n");
  EXPECT_EQ(version.err, "");

  const Result help = RunTool({"--help"});
  EXPECT_EQ(help.code, kExitOk);
  EXPECT_EQ(help.out.rfind("Usage: velmora-cli [--method M] [--feast NAME]... [--format F]\n", 0),
            0u);
  // Each method by its names, its number and its reckoning, the short
  // options, each exit code.
  for (const char* part :
       {"  julian     1  the Julian reckoning, in the Julian calendar\n",
        "  orthodox   2  Orthodox Easter: the Julian reckoning, in the\n",
        "  western    3  Western Easter: the Gregorian reckoning (years\n", "  gregorian     1583",
        "  -h, --help  ", "  -V, --version\n", "\n  0  every", "\n  1  the method refused a year",
        "could not be written", "\n  2  the command line is wrong"}) {
    EXPECT_NE(help.out.find(part), std::string::npos) << part;
  }
  for (const FeastCase& feast : kFeastCases) {
    EXPECT_NE(help.out.find(std::string("  ") + feast.name + " "), std::string::npos) << feast.name;
  }
  for (const char* format : {"text", "iso", "csv", "json", "ics"}) {
    EXPECT_NE(help.out.find(std::string("  ") + format + "  "), std::string::npos) << format;
  }
  EXPECT_EQ(help.err, "");
}

TEST(RunCli, WithoutAYearPrintsThePresentOneFromTheRuntimesClock) {
  RecordingRuntime rt;
  rt.now = {1999, 12, 31, 23, 59, 59};
  const Result r = RunTool({"--iso"}, &rt);
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.out, "1999-04-04\n");

  // Refusals go to the given backend's message box, not to the error stream.
  rt.now.year = 1500;
  const Result refused = RunTool({}, &rt);
  EXPECT_EQ(refused.code, kExitRefused);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "");
  ASSERT_EQ(rt.boxes.size(), 1u);
  EXPECT_EQ(rt.boxes[0].text, L"Gregorian calendar Easters apply for years 1583 to 4099 only.");
}

TEST(RunCli, ACalendarIsStampedByTheRuntimesUtcClock) {
  RecordingRuntime rt;
  rt.utc_now = {2026, 12, 7, 9, 5, 3};
  const Result r = RunTool({"--format=ics", "--method=2", "--feast=whit-monday", "2024"}, &rt);
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.out,
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmora//velmora-cli " VELMORA_FV_STRING
            "//EN\r\nCALSCALE:GREGORIAN\r\nBEGIN:VEVENT\r\n"
            "UID:2024-whit-monday-method2@velmora-cli\r\nDTSTAMP:20261207T090503Z\r\n"
            "DTSTART;VALUE=DATE:20240624\r\nDTEND;VALUE=DATE:20240625\r\nSUMMARY:Whit Monday "
            "(Orthodox)\r\n"
            "DESCRIPTION:50 days after Easter Sunday by the Julian reckoning\\, in the Gr\r\n"
            " egorian calendar (velmora-cli --method 2)\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
}

#ifndef _WIN32
// A full disk is reported whichever write meets it: one of many dates, the
// flush before a refusal, the last flush of a short output.
TEST(RunCli, AFullDiskIsReportedAndStopsTheRun) {
  const std::string refusal =
      "velmora-cli: 1500: Gregorian calendar Easters apply for years 1583 to 4099 only.";
  const std::pair<Args, std::vector<std::string>> cases[] = {
      {{"1583..4099"}, {}}, {{"2026"}, {}}, {{"2026", "1500"}, {refusal}}, {{"--help"}, {}}};
  for (const auto& [args, refusals] : cases) {
    SCOPED_TRACE(Joined(args));
    std::FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr) GTEST_SKIP() << "no /dev/full";
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(RunCli(args, full, err), kExitRefused);
    std::fclose(full);
    auto lines = Lines(ReadBack(err));
    ASSERT_EQ(lines.size(), refusals.size() + 1);
    EXPECT_EQ(lines.back().rfind("velmora-cli: cannot write the output: ", 0), 0u) << lines.back();
    lines.pop_back();
    EXPECT_EQ(lines, refusals);
  }
}

// The catalogues are looked for beside the program, then where it is
// installed; never relative to the working folder, where the program's
// own path is not known (no /proc) or not absolute.
TEST(LocaleDirsOf, BesideTheProgramThenInstalledNeverTheWorkingFolder) {
  using Dirs = std::vector<std::string>;
  const Dirs installed = {"/usr/local/share/locale", "share/locale", "", "/usr/share/locale"};
  const Dirs absolute = {"/usr/local/share/locale", "/usr/share/locale"};
  const std::pair<std::string, Dirs> cases[] = {
      {"/usr/bin/velmora-cli",
       {"/usr/bin/../share/locale", "/usr/bin/locale", absolute[0], absolute[1]}},
      {"/velmora-cli", {"/../share/locale", "/locale", absolute[0], absolute[1]}},
      {"", absolute},
      {"velmora-cli", absolute},
      {"build/native/velmora-cli", absolute}};
  for (const auto& [program, want] : cases) {
    EXPECT_EQ(LocaleDirsOf(program, installed), want) << program;
  }
}
#endif

}  // namespace
}  // namespace velmora::cli
