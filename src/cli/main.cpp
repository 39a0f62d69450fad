// velmora-cli: the console companion of Velmora. See cli/cli.hpp.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.hpp"

int main(int argc, char** argv) {
#ifdef SIGPIPE
  // A reader that closes the pipe early (`velmora-cli 1583..4099 | head -1`)
  // makes a write fail; the runner then stops quietly instead of the process
  // dying of the signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  // Whole blocks rather than a write per line; a console would otherwise get
  // stdout unbuffered or line-buffered.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 15);

  const std::vector<std::string> args(argv + 1, argv + argc);
  return velmora::cli::RunCli(args, stdout, stderr);
}
