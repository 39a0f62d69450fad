#include "runtime/console_runtime.hpp"

#include <ctime>

#include "runtime/text.hpp"
#include "velmora_version.h"

namespace velmora {

const char* IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kInformation:
      return "information";
    case MsgIcon::kExclamation:
      return "exclamation";
    case MsgIcon::kCritical:
      return "critical";
  }
  return "?";
}

ConsoleRuntime::ConsoleRuntime(std::wstring command, std::FILE* out)
    : command_(std::move(command)), out_(out) {}

void ConsoleRuntime::MsgBox(const std::wstring& text, MsgIcon icon,
                            const std::optional<std::wstring>& title) {
  const std::string line =
      ToUtf8(title.value_or(AppTitle())) + " (" + IconName(icon) + "): " + ConsoleText(text) + '\n';
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
}

std::wstring ConsoleRuntime::AppTitle() { return L"Velmora"; }

AppVersion ConsoleRuntime::Version() {
  return {VELMORA_FV_MAJOR, VELMORA_FV_MINOR, VELMORA_FV_REVISION};
}

std::wstring ConsoleRuntime::Command() { return command_; }

DateTime ConsoleRuntime::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return {Narrow16(tm.tm_year + 1900), Narrow16(tm.tm_mon + 1), Narrow16(tm.tm_mday),
          Narrow16(tm.tm_hour),        Narrow16(tm.tm_min),     Narrow16(tm.tm_sec)};
}

}  // namespace velmora
