#pragma once
// The autostart value: Windows starts the program at log-on while the machine-wide Run key names it.
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/registry.h"

namespace kestrune {

// The executable's full path from its directory and base name. A directory that already ends in a
// backslash (a drive root) is not given a second one.
std::wstring ExecutablePath(std::wstring_view directory, std::wstring_view baseName);

// The settings file beside the executable.
std::wstring SettingsFilePath(std::wstring_view directory);

class ModuleAutoRun {
 public:
  static constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr std::string_view kValueName = "Kestrune_CN";
  // The value is stored as a terminated string of at most this many bytes.
  static constexpr std::size_t kMaxValueBytes = 255;

  ModuleAutoRun(Registry& registry, const CodePage& codePage, std::wstring executablePath)
      : registry_(registry), codePage_(codePage), executablePath_(std::move(executablePath)) {}

  // Both go on past every failing step and report nothing: without administrator rights the
  // machine-wide key cannot be opened, and the check box still keeps its state.
  void Add();
  void Remove();

 private:
  Registry& registry_;
  const CodePage& codePage_;
  std::wstring executablePath_;
};

}  // namespace kestrune
