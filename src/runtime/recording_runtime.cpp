#include "runtime/recording_runtime.hpp"

namespace velmora {

void RecordingRuntime::MsgBox(const std::wstring& text, MsgIcon icon,
                              const std::optional<std::wstring>& box_title) {
  boxes.push_back({text, icon, box_title, box_title.value_or(AppTitle())});
  if (on_box) on_box(boxes.back());
}

std::optional<std::wstring> RecordingRuntime::GetSetting(const std::wstring& name) {
  const auto found = settings.find(name);
  if (found == settings.end()) return std::nullopt;
  return found->second;
}

bool RecordingRuntime::SaveSetting(const std::wstring& name, const std::wstring& value) {
  ++setting_writes;
  if (refuse_settings) return false;
  settings[name] = value;
  return true;
}

}  // namespace velmora
