#include "platform/win32/profile_store.h"

#include <windows.h>

#include <algorithm>

#include "platform/file_system.h"
#include "platform/unicode_text.h"
#include "platform/win32/state_file.h"

namespace kestrune {

namespace {

// Whether the file starts with the UTF-16 byte-order mark: the form the profile functions then keep.
bool InUtf16(const std::wstring& path) {
  HANDLE file = ::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char mark[2] = {};
  DWORD read = 0;
  const bool ok = ::ReadFile(file, mark, 2, &read, nullptr) != FALSE && read == 2;
  ::CloseHandle(file);
  return ok && std::string_view(mark, 2) == kUtf16LeMark;
}

// The whole file, or none when it exists but does not read whole (locked, too large for the state
// file): a file is replaced only by all of itself. Empty when it does not exist.
std::optional<std::string> WholeFile(const std::wstring& path, Win32StateFile& file) {
  WIN32_FILE_ATTRIBUTE_DATA found{};
  const bool exists = ::GetFileAttributesExW(ExtendedLengthPath(path).c_str(), GetFileExInfoStandard, &found) != FALSE;
  std::string bytes = file.Read();
  if (exists && (found.nFileSizeHigh != 0 || bytes.size() != found.nFileSizeLow)) return std::nullopt;
  return bytes;
}

// A profile cache that still holds the file as it was reads it again.
void ForgetCachedFile(const std::wstring& path) { WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

}  // namespace

void Win32ProfileStore::RewriteUtf8File() {
  Win32StateFile file(path_);
  const std::optional<std::string> bytes = WholeFile(path_, file);
  const std::optional<std::string> readable = bytes ? ReadableProfileBytes(*bytes, codePage_) : std::nullopt;
  if (readable && file.Write(*readable)) ForgetCachedFile(path_);
}

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

std::optional<std::wstring> Win32ProfileStore::ReadUnicode(std::string_view section, std::string_view key,
                                                           std::size_t bufferChars) {
  if (!InUtf16(path_)) return std::nullopt;
  if (bufferChars == 0) return std::wstring();
  const auto size = static_cast<DWORD>(std::min<std::size_t>(bufferChars, 65535));
  std::wstring buffer(size, L'\0');
  const DWORD copied = GetPrivateProfileStringW(codePage_.ToWide(section).c_str(), codePage_.ToWide(key).c_str(), L"",
                                                buffer.data(), size, path_.c_str());
  buffer.resize(std::min<DWORD>(copied, size - 1));
  return buffer;
}

bool Win32ProfileStore::WriteUnicode(std::string_view section, std::wstring_view key, std::wstring_view value) {
  if (!InUtf16(path_)) {
    Win32StateFile file(path_);
    const std::optional<std::string> bytes = WholeFile(path_, file);
    if (!bytes) return false;
    const std::optional<std::string> unicode = Utf16ProfileBytes(*bytes, codePage_);
    if (unicode && !file.Write(*unicode)) return false;
    ForgetCachedFile(path_);
  }
  const std::wstring keyZ(key);
  const std::wstring valueZ(value);
  return WritePrivateProfileStringW(codePage_.ToWide(section).c_str(), keyZ.c_str(), valueZ.c_str(), path_.c_str()) != 0;
}

namespace {

// One read through GetPrivateProfileStringW whatever its length: the buffer grows until the answer
// is not the one the function gives a buffer that was too small (its size less one for a value, less
// two for a list of names, whose last name it cuts).
std::wstring ReadWhole(const wchar_t* section, const wchar_t* key, const std::wstring& path) {
  const DWORD shortBy = key == nullptr ? 2 : 1;
  for (DWORD size = 1024;; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD copied = GetPrivateProfileStringW(section, key, L"", buffer.data(), size, path.c_str());
    // A file of more than a gigabyte of text is no settings file: what was read is what there is.
    if (copied + shortBy < size || size >= (1u << 29)) {
      buffer.resize(std::min<DWORD>(copied, size - 1));
      return buffer;
    }
  }
}

}  // namespace

std::vector<ProfileEntry> Win32ProfileStore::ReadSection(std::string_view section) {
  const std::wstring sectionZ = codePage_.ToWide(section);
  // The names, each ended by a NUL; the list by one more, which the copied count leaves out.
  const std::wstring names = ReadWhole(sectionZ.c_str(), nullptr, path_);
  std::vector<ProfileEntry> entries;
  for (std::size_t at = 0; at < names.size();) {
    const std::size_t end = std::min(names.find(L'\0', at), names.size());
    std::wstring key = names.substr(at, end - at);
    at = end + 1;
    if (key.empty()) continue;
    std::wstring value = ReadWhole(sectionZ.c_str(), key.c_str(), path_);
    entries.push_back({std::move(key), std::move(value)});
  }
  return entries;
}

bool Win32ProfileStore::Remove(std::string_view section, std::wstring_view key) {
  const std::wstring keyZ(key);
  return WritePrivateProfileStringW(codePage_.ToWide(section).c_str(), keyZ.c_str(), nullptr, path_.c_str()) != 0;
}

}  // namespace kestrune
