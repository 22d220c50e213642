#pragma once
// The few registry operations autostart needs.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrune {

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
 public:
  using Key = std::uintptr_t;  // 0 = none

  virtual ~Registry() = default;
  // Opens the key, creating it if missing (RegCreateKey); 0 on failure.
  virtual Key CreateKey(RegistryRoot root, std::string_view subKey) = 0;
  virtual bool SetString(Key key, std::string_view valueName, std::string_view ansiData) = 0;
  virtual bool DeleteValue(Key key, std::string_view valueName) = 0;
  virtual void CloseKey(Key key) = 0;
};

}  // namespace kestrune
