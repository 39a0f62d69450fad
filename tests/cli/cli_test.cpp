#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

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

using test::IsSunday;
using test::JdnGregorian;
using test::JdnJulian;

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
      {{"--method=2", "2024"}, {"In the year 2024, Easter holiday occurs in day 5, month 5."}},
      // Years below 1000 keep four digits, years beyond 9999 all of theirs.
      {{"--method", "1", "--iso", "326", "25000"}, {"0326-04-03", "25000-03-26"}},
      // The last 16-bit years: the loop must end.
      {{"--method", "1", "--iso", "32766..32767"}, {"32766-04-18", "32767-04-10"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Joined(c.args));
    const Result r = RunTool(c.args);
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(Lines(r.out), c.lines);
    EXPECT_EQ(r.err, "");
  }
}

TEST(RunCli, WholeRangesGiveSundaysInAscendingYears) {
  struct Case {
    const char* method;
    int from, to;
    bool julian;
  };
  const Case cases[] = {{"3", 1583, 4099, false}, {"1", 326, 3000, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    const std::string range = std::to_string(c.from) + ".." + std::to_string(c.to);
    const Result r = RunTool({"--iso", "--method", c.method, range});
    ASSERT_EQ(r.code, kExitOk);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.to - c.from + 1));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      ASSERT_EQ(line.size(), 10u) << line;
      ASSERT_EQ(line[4], '-');
      ASSERT_EQ(line[7], '-');
      const int y = std::stoi(line.substr(0, 4)), m = std::stoi(line.substr(5, 2)),
                d = std::stoi(line.substr(8, 2));
      ASSERT_EQ(y, c.from + static_cast<int>(i));
      const long long jdn = c.julian ? JdnJulian(y, m, d) : JdnGregorian(y, m, d);
      const long long first = c.julian ? JdnJulian(y, 3, 22) : JdnGregorian(y, 3, 22);
      ASSERT_TRUE(IsSunday(jdn)) << line;
      ASSERT_GE(jdn, first) << line;
      ASSERT_LE(jdn, first + 34) << line;
    }
  }
}

TEST(RunCli, RefusedYearsShowTheComputationsMessageAndTheRestStillPrint) {
  const std::string kGregorian =
      "Velmora (exclamation): Gregorian calendar Easters apply for years 1583 to 4099 only.\n";
  const std::string kJulian =
      "Velmora (exclamation): The original calculation applies to all years from 326 AD.\n";
  const std::string kMethod = "Velmora (exclamation): Method must be 1, 2 or 3.\n";
  struct Case {
    Args args;
    std::vector<std::string> lines;
    std::string err;
  };
  const Case cases[] = {
      {{"--iso", "1582", "2026", "4100"}, {"2026-04-05"}, kGregorian + kGregorian},
      {{"--iso", "1581..1584"}, {"1583-04-10", "1584-04-01"}, kGregorian + kGregorian},
      {{"--iso", "--method=2", "-32768"}, {}, kGregorian},
      {{"--iso", "--method=1", "325..326"}, {"0326-04-03"}, kJulian},
      {{"--method", "0", "2026", "2027"}, {}, kMethod + kMethod},
      {{"--method", "4", "2026"}, {}, kMethod},
      {{"--method", "-1", "2026"}, {}, kMethod},
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
  EXPECT_EQ(help.out, UsageText());
  EXPECT_EQ(help.out.rfind("Usage: velmora-cli [--method N] [--iso] [YEAR | FROM..TO]...\n", 0),
            0u);
  EXPECT_NE(help.out.find("Julian calendar"), std::string::npos);
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

#ifndef _WIN32
TEST(RunCli, AFullDiskIsReportedAndStopsTheRun) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  std::FILE* err = std::tmpfile();
  ASSERT_NE(err, nullptr);
  EXPECT_EQ(RunCli({"1583..4099"}, full, err), kExitRefused);
  std::fclose(full);
  const auto lines = Lines(ReadBack(err));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("velmora-cli: cannot write the output: ", 0), 0u) << lines[0];
}
#endif

}  // namespace
}  // namespace velmora::cli
