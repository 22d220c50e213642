#include "platform/win32/state_file.h"

#include <windows.h>

namespace kestrune {

namespace {

// Read whole whatever it holds: a journal holds a line for every process changed, two thousand on
// a busy machine. A file of a gigabyte is none of ours.
constexpr LONGLONG kMostBytes = 1LL << 30;

}  // namespace

std::string Win32StateFile::Read() {
  HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  std::string bytes;
  if (::GetFileSizeEx(file, &size) != FALSE && size.QuadPart > 0 && size.QuadPart <= kMostBytes) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) == FALSE) read = 0;
    bytes.resize(read);
  }
  ::CloseHandle(file);
  return bytes;
}

bool Win32StateFile::Write(std::string_view bytes) {
  if (bytes.empty()) return ::DeleteFileW(path_.c_str()) != FALSE || ::GetLastError() == ERROR_FILE_NOT_FOUND;
  if (static_cast<LONGLONG>(bytes.size()) > kMostBytes) return false;
  HANDLE file =
      ::CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool complete = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
                        written == bytes.size();
  // Not flushed: the file must outlive the program, not the machine. A power loss ends every
  // process the file could name.
  const bool closed = ::CloseHandle(file) != FALSE;
  if (complete && closed && ::MoveFileExW(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE)
    return true;
  ::DeleteFileW(temporary_.c_str());
  return false;
}

}  // namespace kestrune
