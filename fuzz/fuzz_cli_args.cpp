// libFuzzer target: velmora-cli's argument parser. The input is split on NUL
// and line feed into arguments; the parser must answer with a request or a
// one-line usage error, and a request must hold only non-empty ranges, a
// method of 1 to 3, and one to all feasts, each once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_args.hpp"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_cli_args: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\0' || c == '\n') {
      args.emplace_back();
    } else {
      args.back() += c;
    }
  }
  if (size == 0) args.clear();

  const velmora::cli::ParsedArgs parsed = velmora::cli::ParseCliArgs(args);
  if (const auto* error = std::get_if<velmora::cli::UsageError>(&parsed)) {
    if (error->message.empty()) Fail("empty usage error");
    if (error->message.find_first_of("\r\n") != std::string::npos) {
      Fail("usage error spans more than one line");
    }
    return 0;
  }
  const auto& request = std::get<velmora::cli::CliRequest>(parsed);
  if (request.years.size() > args.size()) Fail("more ranges than arguments");
  for (const auto& range : request.years) {
    if (range.first > range.last) Fail("empty range accepted");
  }
  if (request.method < 1 || request.method > 3) Fail("method outside 1..3 accepted");
  std::vector<bool> seen(velmora::cli::kFeasts.size());
  if (request.feasts.empty()) Fail("no feast");
  for (const std::size_t feast : request.feasts) {
    if (feast >= seen.size() || seen[feast]) Fail("feast out of the table or named twice");
    seen[feast] = true;
  }
  return 0;
}
