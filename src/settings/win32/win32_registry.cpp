#include "settings/win32/win32_registry.h"

#include <windows.h>

#include <string>

namespace kestrune {

namespace {

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

Registry::Key Win32Registry::CreateKey(RegistryRoot root, std::string_view subKey) {
  const std::string subKeyZ(subKey);
  HKEY key = nullptr;
  const HKEY base = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  if (RegCreateKeyA(base, subKeyZ.c_str(), &key) != ERROR_SUCCESS) return 0;
  return reinterpret_cast<Key>(key);
}

bool Win32Registry::SetString(Key key, std::string_view valueName, std::string_view ansiData) {
  const std::string nameZ(valueName);
  const std::string dataZ(ansiData);
  // REG_SZ data is stored with its terminating NUL.
  return RegSetValueExA(ToHkey(key), nameZ.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(dataZ.c_str()),
                        static_cast<DWORD>(dataZ.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Key key, std::string_view valueName) {
  const std::string nameZ(valueName);
  return RegDeleteValueA(ToHkey(key), nameZ.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(Key key) {
  if (key != 0) RegCloseKey(ToHkey(key));
}

}  // namespace kestrune
