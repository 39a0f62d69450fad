// velmora-cli's translations on systems with GNU gettext (glibc): the
// catalogues po/*.po compiled by msgfmt, installed under share/locale, and
// the language by gettext's rules (LANGUAGE, then LC_ALL, LC_MESSAGES,
// LANG; the C or POSIX locale speaks English).
#pragma once

#include <string>
#include <vector>

#include "runtime/messages.hpp"

namespace velmora::cli {

inline constexpr const char* kTextDomain = "velmora-cli";

class GettextCatalogue final : public Catalogue {
 public:
  // Takes the locale from the environment (setlocale) and the catalogues
  // from the first of `locale_dirs` that holds one for the user's language
  // (as gettext chooses it); where none does, the program speaks English.
  explicit GettextCatalogue(const std::vector<std::string>& locale_dirs);
  std::wstring Translation(Msg msg) override;
};

// The folders where the catalogues of the program at `program` (its own
// path) may be, in order: share/locale beside the folder it is installed in
// (/usr/bin -> /usr/share/locale), the folder locale beside it (its build
// folder), then the `installed` ones (those it was built to be installed
// in). Only absolute folders: where the program's path is not known (an
// empty text) or not absolute, only the installed ones, never a folder
// relative to the working folder, which someone else may control.
std::vector<std::string> LocaleDirsOf(const std::string& program,
                                      const std::vector<std::string>& installed);

// The folder where gettext looks for catalogues when none is named
// (/usr/share/locale with glibc), where the system's packages put them.
std::string GettextDefaultLocaleDir();

// The running program's own path, or an empty text where it cannot be told
// (no /proc, as in a chroot or a minimal container).
std::string ThisProgram();

}  // namespace velmora::cli
