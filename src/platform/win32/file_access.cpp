#include "platform/win32/file_access.h"

#include <windows.h>

#include "platform/file_system.h"

namespace kestrune {

bool Win32FileAccess::Exists(std::wstring_view file) {
  const std::wstring name = ExtendedLengthPath(file);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileAccess::CanWrite(std::wstring_view file) {
  const std::wstring name = ExtendedLengthPath(file);
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  // An existing file is opened for writing and left as it is; a missing one is made and goes
  // again as its handle closes.
  HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
    handle = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, kShareAll, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  }
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

bool Win32FileAccess::MakeFolder(std::wstring_view folder) {
  const std::wstring name = ExtendedLengthPath(folder);
  if (CreateDirectoryW(name.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileAccess::Copy(std::wstring_view from, std::wstring_view to) {
  const std::wstring source = ExtendedLengthPath(from);
  const std::wstring target = ExtendedLengthPath(to);
  return CopyFileW(source.c_str(), target.c_str(), TRUE) != 0;
}

std::wstring UserProgramFolder() {
  const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", folder.data(), size);
  if (n == 0 || n >= size) return {};
  folder.resize(n);
  return JoinPath(folder, L"Kestrune");
}

}  // namespace kestrune
