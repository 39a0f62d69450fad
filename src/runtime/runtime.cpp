#include "runtime/runtime.hpp"

#include <cstdio>
#include <cstdlib>

#include "runtime/errors.hpp"

namespace velmora {
namespace {
Runtime* g_backend = nullptr;
}

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
