#pragma once
// The few registry operations autostart needs. Names and data are Unicode, so a value can name a
// path that the ANSI code page cannot spell.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
 public:
  using Key = std::uintptr_t;  // 0 = none

  virtual ~Registry() = default;
  // Opens the key for setting and deleting values, creating it if missing (RegCreateKey); 0 on
  // failure, as for a machine-wide key without administrator rights.
  virtual Key CreateKey(RegistryRoot root, std::wstring_view subKey) = 0;
  // Stores a REG_SZ value with its terminating NUL, however long the data.
  virtual bool SetString(Key key, std::wstring_view valueName, std::wstring_view data) = 0;
  virtual bool DeleteValue(Key key, std::wstring_view valueName) = 0;
  virtual void CloseKey(Key key) = 0;
  // A string value as it is stored, read through a key opened for reading only (which every user
  // may open) and closed again; none when the key or the value is missing or unreadable.
  virtual std::optional<std::wstring> ReadString(RegistryRoot root, std::wstring_view subKey,
                                                 std::wstring_view valueName) = 0;
};

}  // namespace kestrune
