#pragma once
#include "platform/registry.h"

namespace kestrune {

// The registry through the wide-character functions; a Key is the HKEY's value.
class Win32Registry : public Registry {
 public:
  Key CreateKey(RegistryRoot root, std::wstring_view subKey) override;
  bool SetString(Key key, std::wstring_view valueName, std::wstring_view data) override;
  bool DeleteValue(Key key, std::wstring_view valueName) override;
  void CloseKey(Key key) override;
  std::optional<std::wstring> ReadString(RegistryRoot root, std::wstring_view subKey,
                                         std::wstring_view valueName) override;
};

}  // namespace kestrune
