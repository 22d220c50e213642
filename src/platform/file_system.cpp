#include "platform/file_system.h"

namespace kestrune {

namespace {

constexpr std::size_t kMaxPlainPath = 259;  // MAX_PATH less the terminating NUL

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring JoinPath(std::wstring_view directory, std::wstring_view name) {
  std::wstring path(directory);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

std::wstring ExtendedLengthPath(std::wstring_view fullPath) {
  std::wstring path(fullPath);
  if (path.size() <= kMaxPlainPath || path.size() < 3) return path;
  const bool drive = path[1] == L':' && IsSeparator(path[2]);
  const bool share = IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != L'?' && path[2] != L'.';
  if (!drive && !share) return path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return drive ? L"\\\\?\\" + path : L"\\\\?\\UNC" + path.substr(1);
}

std::wstring TemporaryPathBeside(std::wstring_view fullPath) {
  return ExtendedLengthPath(std::wstring(fullPath) + L".tmp");
}

}  // namespace kestrune
