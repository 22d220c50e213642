#pragma once
// The autostart value: Windows starts the program at log-on while a Run key names it. The
// machine-wide key takes it where this user may write there (an elevated copy); otherwise the
// user's own key, which needs no rights. Only one of the two names the program at a time, or
// Windows would start it twice.
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

// What an Add or a Remove achieved.
struct AutostartResult {
  bool written = false;           // Add: a Run value names this copy now
  bool machineValueLeft = false;  // the machine-wide key still holds a value this user cannot
                                  // remove, while it should not (Remove) or names another copy (Add)
};

class AutostartValue {
 public:
  static constexpr std::wstring_view kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr std::wstring_view kValueName = L"Kestrune_CN";

  AutostartValue(Registry& registry, std::wstring executablePath)
      : registry_(registry), executablePath_(std::move(executablePath)) {}

  // The machine-wide key first, the user's key when that cannot be written; the value then goes
  // from the other key where this user can remove it. Every key opened is closed again.
  AutostartResult Add();
  // Takes the value from both keys wherever this user can.
  AutostartResult Remove();

 private:
  bool Set(RegistryRoot root, std::wstring_view data);
  void Delete(RegistryRoot root);
  bool MachineValueIs(std::wstring_view data);

  Registry& registry_;
  std::wstring executablePath_;
};

}  // namespace kestrune
