// The runtime interface: the one seam between the program's logic and the
// outside world (message boxes, the application's title and version, the
// command line, the clock, the user's settings). A backend is installed once at start-up: the
// Win32 program installs the Win32 backend, the console tool the console
// backend, tests the recording backend.
#pragma once

#include <optional>
#include <string>

#include "runtime/types.hpp"

namespace velmora {

enum class MsgIcon { kInformation, kExclamation, kCritical };

struct AppVersion {
  Int16 major = 0;
  Int16 minor = 0;
  Int16 revision = 0;
  bool operator==(const AppVersion&) const = default;
};

// A local date and time of the proleptic Gregorian calendar.
struct DateTime {
  Int16 year = 0;
  Int16 month = 1;
  Int16 day = 1;
  Int16 hour = 0;
  Int16 minute = 0;
  Int16 second = 0;
  auto operator<=>(const DateTime&) const = default;
};

class Runtime {
 public:
  virtual ~Runtime() = default;

  // A modal box with the text, the icon and one OK button; returns when the
  // user dismisses it. Without a title the application title is shown.
  virtual void MsgBox(const std::wstring& text, MsgIcon icon,
                      const std::optional<std::wstring>& title) = 0;
  virtual std::wstring AppTitle() = 0;
  // Major, minor and revision: the first, second and fourth numbers of the
  // program file's version, read afresh on every call.
  virtual AppVersion Version() = 0;
  // The arguments after the program's name; empty when there are none.
  virtual std::wstring Command() = 0;
  virtual DateTime Now() = 0;
  // The present moment in Coordinated Universal Time, where Now() is local
  // time. This one reads the C runtime's clock; a backend with a clock of its
  // own overrides it too.
  virtual DateTime UtcNow();
  // The program's setting of that name for this user (Windows keeps them
  // under HKCU\Software\Velmora), or nothing when it is missing or
  // cannot be read. A backend without settings has none.
  virtual std::optional<std::wstring> GetSetting(const std::wstring& name);
  // Stores the setting for this user; false when it could not be stored.
  // Never raises.
  virtual bool SaveSetting(const std::wstring& name, const std::wstring& value);
};

// Installs the backend (not owned; it must outlive its use). Passing nullptr
// uninstalls it.
void InstallRuntime(Runtime* backend);

// Installs a backend for the life of the guard and uninstalls it afterwards.
class ScopedRuntime {
 public:
  explicit ScopedRuntime(Runtime& backend) { InstallRuntime(&backend); }
  ~ScopedRuntime() { InstallRuntime(nullptr); }
  ScopedRuntime(const ScopedRuntime&) = delete;
  ScopedRuntime& operator=(const ScopedRuntime&) = delete;
};

// The installed backend. Using the runtime before a backend is installed is a
// programming error and terminates with a message.
Runtime& Rt();

// Shorthand for Rt().MsgBox with no title of its own.
void MsgBox(const std::wstring& text, MsgIcon icon);

class RuntimeError;
// The error report: the error's description in a critical box titled with
// the application title.
void ReportError(const RuntimeError& error);

}  // namespace velmora
