#include "platform/win32/profile_store.h"

#include <windows.h>

#include <algorithm>

namespace kestrune {

std::string Win32ProfileStore::Read(std::string_view section, std::string_view key, std::size_t bufferBytes) {
  if (bufferBytes == 0) return std::string();
  const std::wstring sectionZ = codePage_.ToWide(section);
  const std::wstring keyZ = codePage_.ToWide(key);
  const auto size = static_cast<DWORD>(std::min<std::size_t>(bufferBytes, 65535));
  std::wstring buffer(size, L'\0');
  const DWORD copied =
      GetPrivateProfileStringW(sectionZ.c_str(), keyZ.c_str(), L"", buffer.data(), size, path_.c_str());
  buffer.resize(std::min<DWORD>(copied, size - 1));
  // The value keeps the byte bound of the ANSI read: a double-byte character that would not fit
  // whole is left out rather than split.
  const std::string ansi = codePage_.ToAnsi(buffer);
  return std::string(BoundAnsi(ansi, bufferBytes - 1, codePage_));
}

bool Win32ProfileStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  const std::wstring sectionZ = codePage_.ToWide(section);
  const std::wstring keyZ = codePage_.ToWide(key);
  const std::wstring valueZ = codePage_.ToWide(value);
  return WritePrivateProfileStringW(sectionZ.c_str(), keyZ.c_str(), valueZ.c_str(), path_.c_str()) != 0;
}

}  // namespace kestrune
