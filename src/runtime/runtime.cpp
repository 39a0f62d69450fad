#include "runtime/runtime.hpp"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "runtime/checked.hpp"
#include "runtime/errors.hpp"

namespace velmora {
namespace {
Runtime* g_backend = nullptr;
}

DateTime Runtime::UtcNow() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
#if defined(_MSC_VER)
  gmtime_s(&tm, &t);
#elif defined(_WIN32)
  // MinGW: the C runtime's gmtime keeps its result per thread, and the
  // gmtime_s wrapper would add some 5 KB to every program.
  if (const std::tm* utc = std::gmtime(&t)) tm = *utc;
#else
  gmtime_r(&t, &tm);
#endif
  return {Narrow16(tm.tm_year + 1900), Narrow16(tm.tm_mon + 1), Narrow16(tm.tm_mday),
          Narrow16(tm.tm_hour),        Narrow16(tm.tm_min),     Narrow16(tm.tm_sec)};
}

std::optional<std::wstring> Runtime::GetSetting(const std::wstring&) { return std::nullopt; }

bool Runtime::SaveSetting(const std::wstring&, const std::wstring&) { return false; }

void InstallRuntime(Runtime* backend) { g_backend = backend; }

Runtime& Rt() {
  if (g_backend == nullptr) {
    std::fputs("velmora: the runtime is used before a backend is installed\n", stderr);
    std::abort();
  }
  return *g_backend;
}

void MsgBox(const std::wstring& text, MsgIcon icon) { Rt().MsgBox(text, icon, std::nullopt); }

void ReportError(const RuntimeError& error) {
  Rt().MsgBox(error.Description(), MsgIcon::kCritical, Rt().AppTitle());
}

}  // namespace velmora
