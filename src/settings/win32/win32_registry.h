#pragma once
#include "platform/registry.h"

namespace kestrune {

// The registry through the ANSI functions; a Key is the HKEY's value.
class Win32Registry : public Registry {
 public:
  Key CreateKey(RegistryRoot root, std::string_view subKey) override;
  bool SetString(Key key, std::string_view valueName, std::string_view ansiData) override;
  bool DeleteValue(Key key, std::string_view valueName) override;
  void CloseKey(Key key) override;
};

}  // namespace kestrune
