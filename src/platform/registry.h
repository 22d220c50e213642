#pragma once
// The few registry operations autostart needs. Names and data are Unicode, so a value can name a
// path that the ANSI code page cannot spell.
#include <cstdint>
#include <string_view>

namespace kestrune {

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
 public:
  using Key = std::uintptr_t;  // 0 = none

  virtual ~Registry() = default;
  // Opens the key, creating it if missing (RegCreateKey); 0 on failure.
  virtual Key CreateKey(RegistryRoot root, std::wstring_view subKey) = 0;
  // Stores a REG_SZ value with its terminating NUL, however long the data.
  virtual bool SetString(Key key, std::wstring_view valueName, std::wstring_view data) = 0;
  virtual bool DeleteValue(Key key, std::wstring_view valueName) = 0;
  virtual void CloseKey(Key key) = 0;
};

}  // namespace kestrune
