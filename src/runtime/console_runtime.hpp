// Console backend: message boxes become lines on stderr that name their icon
// kind and title; the version is the one the build stamps into the program
// file's version resource.
#pragma once

#include <cstdio>

#include "runtime/runtime.hpp"

namespace velmora {

class ConsoleRuntime : public Runtime {
 public:
  explicit ConsoleRuntime(std::wstring command = {}, std::FILE* out = stderr);

  void MsgBox(const std::wstring& text, MsgIcon icon,
              const std::optional<std::wstring>& title) override;
  std::wstring AppTitle() override;
  AppVersion Version() override;
  std::wstring Command() override;
  DateTime Now() override;

 private:
  std::wstring command_;
  std::FILE* out_;
};

// "information", "exclamation" or "critical".
const char* IconName(MsgIcon icon);

}  // namespace velmora
