// velmora-cli: the console companion of Velmora. See cli/cli.hpp.
//
// Its texts follow the user's language: on Windows the UI language, from
// the program's tables of texts, the way velmora.exe chooses; elsewhere
// gettext's catalogues by the locale. The arguments reach the runner as
// UTF-8.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "cli/output.hpp"
#ifdef _WIN32
#include "runtime/text.hpp"
#include "runtime/win32/console_text.hpp"
#include "runtime/win32/resource_catalogue.hpp"
#else
#include "cli/gettext_catalogue.hpp"
#endif

namespace {

int RunWith(const std::vector<std::string>& args) {
#ifdef SIGPIPE
  // A reader that closes the pipe early (`velmora-cli 1583..4099 | head -1`)
  // makes a write fail; the runner then stops quietly instead of the process
  // dying of the signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  // Whole blocks rather than a write per line; a console would otherwise get
  // stdout unbuffered or line-buffered.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 15);
  return velmora::cli::RunCli(args, stdout, stderr);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  velmora::ResourceCatalogue catalogue(GetModuleHandleW(nullptr), velmora::UserUiLanguage());
  velmora::InstallCatalogue(&catalogue);
  // A console shows wide text whatever its code page; files and pipes get
  // UTF-8.
  velmora::cli::InstallStreamWrite(&velmora::WriteText);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(velmora::ToUtf8(argv[i]));
  return RunWith(args);
}
#else
int main(int argc, char** argv) {
  namespace cli = velmora::cli;
  // Beside the program where its path is known; else where it was built to
  // be installed (VELMORA_LOCALEDIR), or where gettext looks by default.
  cli::GettextCatalogue catalogue(
      cli::LocaleDirsOf(cli::ThisProgram(), {VELMORA_LOCALEDIR, cli::GettextDefaultLocaleDir()}));
  velmora::InstallCatalogue(&catalogue);
  return RunWith(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
