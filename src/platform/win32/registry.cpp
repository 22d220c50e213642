#include "platform/win32/registry.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace kestrune {

namespace {

HKEY ToHkey(Registry::Key key) { return reinterpret_cast<HKEY>(key); }

HKEY BaseOf(RegistryRoot root) { return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

}  // namespace

Registry::Key Win32Registry::CreateKey(RegistryRoot root, std::wstring_view subKey) {
  const std::wstring subKeyZ(subKey);
  HKEY key = nullptr;
  const HKEY base = BaseOf(root);
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

std::optional<std::wstring> Win32Registry::ReadString(RegistryRoot root, std::wstring_view subKey,
                                                     std::wstring_view valueName) {
  const std::wstring subKeyZ(subKey);
  const std::wstring nameZ(valueName);
  HKEY key = nullptr;
  if (RegOpenKeyExW(BaseOf(root), subKeyZ.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  std::optional<std::wstring> value;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, nameZ.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS && type == REG_SZ) {
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, nameZ.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      // Stored data need not end in a NUL, or may hold several: the text is what comes before the first.
      data.resize(std::min<std::size_t>(size / sizeof(wchar_t), data.size()));
      value = data.substr(0, data.find(L'\0'));
    }
  }
  RegCloseKey(key);
  return value;
}

}  // namespace kestrune
