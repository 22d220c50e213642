#pragma once
// The autostart value: Windows starts the program at log-on while the machine-wide Run key names it.
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace kestrune {

// The executable's full path from its directory and base name.
std::wstring ExecutablePath(std::wstring_view directory, std::wstring_view baseName);

// The Run value's data for an executable: the whole path in double quotes, so that Windows cannot
// take the part before a blank ("C:\Program.exe" for "C:\Program Files\...") for the program to
// start. Empty when the path cannot be given that way: an empty path, or one that holds a quote
// itself (no Windows path does).
std::wstring RunValueData(std::wstring_view executablePath);

class AutostartValue {
 public:
  static constexpr std::wstring_view kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr std::wstring_view kValueName = L"Kestrune_CN";

  AutostartValue(Registry& registry, std::wstring executablePath)
      : registry_(registry), executablePath_(std::move(executablePath)) {}

  // Both go on past every failing step and report nothing: without administrator rights the
  // machine-wide key cannot be opened, and the check box still keeps its state.
  void Add();
  void Remove();

 private:
  Registry& registry_;
  std::wstring executablePath_;
};

}  // namespace kestrune
