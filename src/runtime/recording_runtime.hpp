// Recording backend for tests: message boxes are recorded instead of shown,
// the title, version, command line and clock are whatever the test sets,
// and the settings are kept in memory.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "runtime/runtime.hpp"

namespace velmora {

struct RecordedBox {
  std::wstring text;
  MsgIcon icon;
  std::optional<std::wstring> title;  // as passed: nullopt means "no title"
  std::wstring shown_title;           // what the title bar would show
};

class RecordingRuntime : public Runtime {
 public:
  void MsgBox(const std::wstring& text, MsgIcon icon,
              const std::optional<std::wstring>& title) override;
  std::wstring AppTitle() override { return title; }
  AppVersion Version() override { return version; }
  std::wstring Command() override { return command; }
  DateTime Now() override { return now; }
  DateTime UtcNow() override { return utc_now; }
  std::optional<std::wstring> GetSetting(const std::wstring& name) override;
  bool SaveSetting(const std::wstring& name, const std::wstring& value) override;

  std::wstring title = L"Velmora";
  AppVersion version{1, 1, 0};
  std::wstring command;
  DateTime now{2026, 1, 1, 12, 0, 0};
  DateTime utc_now{2026, 1, 1, 11, 0, 0};
  std::vector<RecordedBox> boxes;
  // The stored settings; with `refuse_settings` every write fails and
  // changes nothing. `setting_writes` counts the writes asked for.
  std::map<std::wstring, std::wstring> settings;
  bool refuse_settings = false;
  int setting_writes = 0;
  // Called while a box is "open", after it has been recorded.
  std::function<void(const RecordedBox&)> on_box;
};

}  // namespace velmora
