// The program's one error trap. Start-up and every handler the message loop
// runs (a pick in either list, the About entry) go through it: whatever
// the handler throws ends the handler there and is reported in the critical
// box titled with the application title, and the caller carries on.
//  - a runtime error: its own description ("Overflow", "Invalid property
//    value", ...);
//  - running out of memory (std::bad_alloc): error 7's, "Out of memory";
//  - any other exception: "Unexpected error", followed for a standard
//    exception by ": " and the exception's own text.
// Nothing leaves the trap, not even a failure to show the report.
#pragma once

namespace velmora {

// The report of the exception being handled; only inside a catch block.
void ReportCurrentException() noexcept;

template <typename Handler>
void RunTrapped(Handler&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    ReportCurrentException();
  }
}

}  // namespace velmora
