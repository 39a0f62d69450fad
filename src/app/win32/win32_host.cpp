#include "app/win32/win32_host.hpp"

#include "sysmenu/win32/bas_SysMenuHook.hpp"

namespace velmora {

Fmain& Win32Host::LoadFmain() {
  form_ = FmainWindow::Load(quit_on_destroy_);
  return *form_;
}

void Win32Host::AddAboutItem(std::uintptr_t hwnd, const std::wstring& name) {
  bas_SysMenuHook::AddAboutItem(reinterpret_cast<HWND>(hwnd), name);
}

bool Win32Host::WindowShown() const {
  return form_ != nullptr && form_->window() != nullptr && IsWindowVisible(form_->window());
}

}  // namespace velmora
