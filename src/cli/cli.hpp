// velmora-cli's runner: reads the arguments, computes the dates of the feasts
// asked for, year by year, and writes them as text, iso dates, csv, json or
// an iCalendar file. Process set-up (signals, stdout buffering) is main's.
//
// Exit codes: 0 every year has a date (or --help / --version), 1 the
// computation refused a year (its message went to the runtime's message box,
// the other years were still printed) or the output could not be written,
// 2 a usage error (nothing is written to `out`).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/runtime.hpp"

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The text --help prints.
const char* UsageText();

// Installs a console backend whose message boxes go to `err` as
// "velmora-cli: YEAR: text", runs, and uninstalls it again.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The same with a backend of the caller's (its clock gives the present year,
// its message box shows refusals); it is installed for the run.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, Runtime& runtime);

}  // namespace velmora::cli
