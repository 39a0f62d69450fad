#include "runtime/error_trap.hpp"

#include <exception>
#include <new>

#include "runtime/errors.hpp"
#include "runtime/messages.hpp"
#include "runtime/runtime.hpp"
#include "runtime/text.hpp"

namespace velmora {
namespace {

// The same box as the error report of a runtime error.
void ReportDescription(const std::wstring& description) {
  Rt().MsgBox(description, MsgIcon::kCritical, Rt().AppTitle());
}

}  // namespace

void ReportCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const RuntimeError& error) {
      ReportError(error);
    } catch (const std::bad_alloc&) {
      ReportError(RuntimeError(kErrOutOfMemory));
    } catch (const std::exception& error) {
      // TRANSLATORS: %1 is the C++ library's own message, in English.
      ReportDescription(Fill(Tr(L"Unexpected error: %1"), {FromUtf8(error.what())}));
    } catch (...) {
      ReportDescription(Tr(L"Unexpected error"));
    }
  } catch (...) {
    // The report itself failed (no memory left even for its text, say): the
    // caller carries on without it.
  }
}

}  // namespace velmora
