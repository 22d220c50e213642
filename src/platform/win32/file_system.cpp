#include "platform/win32/file_system.h"

#include <windows.h>

#include "platform/win32/error_text.h"

namespace kestrune {

namespace {

// What the file functions are given: a path longer than MAX_PATH made whole (no "..", no "/") and
// then put in the extended form, which takes no clean-up of its own.
std::wstring NativePath(std::wstring_view path) {
  const std::wstring given(path);
  if (ExtendedLengthPath(given) == given) return given;
  const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (size == 0) return given;
  std::wstring full(size, L'\0');
  const DWORD n = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return given;
  full.resize(n);
  return ExtendedLengthPath(full);
}

}  // namespace

FileResult Win32FileSystem::WriteFile(std::wstring_view path, std::string_view bytes) {
  const std::wstring name = NativePath(path);
  // CREATE_NEW: a temporary name that is already taken belongs to someone else and is never overwritten.
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return FileResult::Exists(SystemErrorText(error));
    return FileResult::NothingCreated(SystemErrorText(error));
  }

  DWORD error = ERROR_SUCCESS;
  if (bytes.size() > MAXDWORD) {
    error = ERROR_FILE_TOO_LARGE;
  } else {
    const auto size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), size, &written, nullptr))
      error = GetLastError();
    else if (written != size)
      error = ERROR_HANDLE_DISK_FULL;  // a short write without an error code: the disk filled up
  }
  // The bytes must be on disk before the file is moved over the user's file.
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  return error == ERROR_SUCCESS ? FileResult::Success() : FileResult::Failure(SystemErrorText(error));
}

FileResult Win32FileSystem::Replace(std::wstring_view source, std::wstring_view target) {
  const std::wstring from = NativePath(source);
  const std::wstring to = NativePath(target);
  if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      // Nothing to keep: the new file simply takes the name.
      if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileResult::Success();
      return FileResult::Failure(SystemErrorText(GetLastError()));
    }
  }
  // The system's replace keeps the file the user has: its attributes, its security and its
  // identity (creation time, object id, short name), which a plain move over it would drop.
  if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, 0, nullptr, nullptr)) return FileResult::Success();
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // The old file has already been taken out of the way, so its name is free: the new content
    // takes it by a move at least.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return FileResult::Success();
    return FileResult::Lost(SystemErrorText(GetLastError()));
  }
  return FileResult::Failure(SystemErrorText(error));
}

FileResult Win32FileSystem::Remove(std::wstring_view path) {
  const std::wstring name = NativePath(path);
  if (DeleteFileW(name.c_str())) return FileResult::Success();
  return FileResult::Failure(SystemErrorText(GetLastError()));
}

}  // namespace kestrune
