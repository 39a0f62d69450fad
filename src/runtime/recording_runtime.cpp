#include "runtime/recording_runtime.hpp"

namespace velmora {

void RecordingRuntime::MsgBox(const std::wstring& text, MsgIcon icon,
                              const std::optional<std::wstring>& box_title) {
  boxes.push_back({text, icon, box_title, box_title.value_or(AppTitle())});
  if (on_box) on_box(boxes.back());
}

}  // namespace velmora
