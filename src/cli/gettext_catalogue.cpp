#include "cli/gettext_catalogue.hpp"

#include <libintl.h>
#include <unistd.h>

#include <clocale>

#include "runtime/text.hpp"

namespace velmora::cli {

GettextCatalogue::GettextCatalogue(const std::vector<std::string>& locale_dirs) {
  std::setlocale(LC_ALL, "");
  // The program writes UTF-8 whatever the locale's character set.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  for (const std::string& dir : locale_dirs) {
    bindtextdomain(kTextDomain, dir.c_str());
    // A catalogue gettext found there answers for its header entry, the
    // translation of the empty text; without one the empty text comes back.
    // (Named, so that xgettext takes no empty text from here.)
    static constexpr char kHeaderEntry[] = "";
    const char* header = dgettext(kTextDomain, kHeaderEntry);
    if (header != nullptr && *header != '\0') return;
  }
}

std::wstring GettextCatalogue::Translation(Msg msg) {
  const std::string english = ToUtf8(msg.english());
  const char* translated = dgettext(kTextDomain, english.c_str());
  // gettext hands back the key itself when it has nothing.
  if (translated == nullptr || translated == english.c_str()) return {};
  return FromUtf8(translated);
}

std::vector<std::string> LocaleDirsOf(const std::string& program,
                                      const std::vector<std::string>& installed) {
  std::vector<std::string> dirs;
  if (!program.empty() && program.front() == '/') {
    const std::string folder = program.substr(0, program.rfind('/'));
    dirs = {folder + "/../share/locale", folder + "/locale"};
  }
  for (const std::string& dir : installed) {
    if (!dir.empty() && dir.front() == '/') dirs.push_back(dir);
  }
  return dirs;
}

std::string GettextDefaultLocaleDir() {
  // Asked before any binding, gettext names its default.
  const char* dir = bindtextdomain(kTextDomain, nullptr);
  return dir != nullptr ? dir : "";
}

std::string ThisProgram() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path;
}

}  // namespace velmora::cli
