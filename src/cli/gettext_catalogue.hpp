// velmora-cli's translations on systems with GNU gettext (glibc): the
// catalogues po/*.po compiled by msgfmt, installed under share/locale, and
// the language by gettext's rules (LANGUAGE, then LC_ALL, LC_MESSAGES,
// LANG; the C or POSIX locale speaks English).
#pragma once

#include <string>

#include "runtime/messages.hpp"

namespace velmora::cli {

inline constexpr const char* kTextDomain = "velmora-cli";

class GettextCatalogue final : public Catalogue {
 public:
  // Takes the locale from the environment (setlocale) and the catalogues
  // from `locale_dir` (share/locale).
  explicit GettextCatalogue(const std::string& locale_dir);
  std::wstring Translation(Msg msg) override;
};

// Where the catalogues of the program at `program` (its own path) are:
// share/locale beside the folder it is installed in (/usr/bin ->
// /usr/share/locale), else, in its build folder, the folder locale beside it.
std::string LocaleDirOf(const std::string& program);

// The running program's own path, or an empty text where it cannot be told.
std::string ThisProgram();

}  // namespace velmora::cli
