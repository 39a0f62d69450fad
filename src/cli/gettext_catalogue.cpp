#include "cli/gettext_catalogue.hpp"

#include <libintl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>

#include "runtime/text.hpp"

namespace velmora::cli {
namespace {

bool IsFolder(const std::string& path) {
  struct stat s {};
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

}  // namespace

GettextCatalogue::GettextCatalogue(const std::string& locale_dir) {
  std::setlocale(LC_ALL, "");
  bindtextdomain(kTextDomain, locale_dir.c_str());
  // The program writes UTF-8 whatever the locale's character set.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
}

std::wstring GettextCatalogue::Translation(Msg msg) {
  const std::string english = ToUtf8(msg.english());
  const char* translated = dgettext(kTextDomain, english.c_str());
  // gettext hands back the key itself when it has nothing.
  if (translated == nullptr || translated == english.c_str()) return {};
  return FromUtf8(translated);
}

std::string LocaleDirOf(const std::string& program) {
  const std::size_t slash = program.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : program.substr(0, slash);
  const std::string installed = folder + "/../share/locale";
  return IsFolder(installed) ? installed : folder + "/locale";
}

std::string ThisProgram() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path;
}

}  // namespace velmora::cli
