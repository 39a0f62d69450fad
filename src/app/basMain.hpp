// Start-up: chooses the year (command line, else the clock), records the
// texts the About box reads, loads the main window, computes and shows Easter
// Sunday by the reckoning the window shows (Western or Orthodox Easter),
// tells the result while it still lies ahead, shows the window and
// adds the About entry to its system menu. Its error trap is the program's
// one trap (runtime/error_trap.hpp), the one the window's handlers use too.
#pragma once

#include <cstdint>
#include <string>

#include "sysmenu/shared_texts.hpp"
#include "ui/Fmain.hpp"

namespace velmora::basMain {

// What start-up needs of the window system besides the runtime.
class Host {
 public:
  virtual ~Host() = default;
  // Creates the main window hidden and runs its load handler.
  virtual Fmain& LoadFmain() = 0;
  // Adds the About entry to the window's system menu and subclasses it.
  virtual void AddAboutItem(std::uintptr_t hwnd, const std::wstring& name) = 0;
};

void Main(Host& host);

}  // namespace velmora::basMain
