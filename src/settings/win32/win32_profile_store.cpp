#include "settings/win32/win32_profile_store.h"

#include <windows.h>

#include <algorithm>

namespace kestrune {

std::string Win32ProfileStore::Read(std::string_view section, std::string_view key, std::size_t bufferBytes) {
  if (bufferBytes == 0) return std::string();
  const std::string sectionZ(section);
  const std::string keyZ(key);
  const auto size = static_cast<DWORD>(std::min<std::size_t>(bufferBytes, 65535));
  std::string buffer(size, '\0');
  const DWORD copied =
      GetPrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), "", buffer.data(), size, path_.c_str());
  buffer.resize(std::min<DWORD>(copied, size - 1));
  return buffer;
}

bool Win32ProfileStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionZ(section);
  const std::string keyZ(key);
  const std::string valueZ(value);
  return WritePrivateProfileStringA(sectionZ.c_str(), keyZ.c_str(), valueZ.c_str(), path_.c_str()) != 0;
}

}  // namespace kestrune
