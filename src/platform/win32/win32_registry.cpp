#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>

namespace kestrune {

namespace {

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

Registry::Key Win32Registry::CreateKey(RegistryRoot root, std::wstring_view subKey) {
  const std::wstring subKeyZ(subKey);
  HKEY key = nullptr;
  const HKEY base = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  // Setting and deleting a value is all autostart does with the key.
  if (RegCreateKeyExW(base, subKeyZ.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  return reinterpret_cast<Key>(key);
}

bool Win32Registry::SetString(Key key, std::wstring_view valueName, std::wstring_view data) {
  const std::wstring nameZ(valueName);
  const std::wstring dataZ(data);
  // REG_SZ data is stored with its terminating NUL; its size is counted in bytes.
  const std::size_t bytes = (dataZ.size() + 1) * sizeof(wchar_t);
  if (bytes > MAXDWORD) return false;
  return RegSetValueExW(ToHkey(key), nameZ.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(dataZ.c_str()),
                        static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Key key, std::wstring_view valueName) {
  const std::wstring nameZ(valueName);
  return RegDeleteValueW(ToHkey(key), nameZ.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(Key key) {
  if (key != 0) RegCloseKey(ToHkey(key));
}

}  // namespace kestrune
