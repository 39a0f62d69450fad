// The window system's side of start-up: loads the real Fmain and adds the
// About entry to its system menu.
#pragma once

#include <memory>

#include "app/basMain.hpp"
#include "ui/win32/FmainWindow.hpp"

namespace velmora {

class Win32Host final : public basMain::Host {
 public:
  // With `quit_on_destroy` closing the window ends the thread's message loop.
  explicit Win32Host(bool quit_on_destroy) : quit_on_destroy_(quit_on_destroy) {}

  Fmain& LoadFmain() override;
  void AddAboutItem(std::uintptr_t hwnd, const std::wstring& name) override;

  // The loaded window, or nullptr.
  FmainWindow* form() const { return form_.get(); }
  // Whether start-up got as far as showing the window.
  bool WindowShown() const;

 private:
  bool quit_on_destroy_;
  std::unique_ptr<FmainWindow> form_;
};

}  // namespace velmora
