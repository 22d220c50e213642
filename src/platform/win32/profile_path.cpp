#include "platform/win32/profile_path.h"

#include <windows.h>

#include "platform/file_system.h"

namespace kestrune {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedShare = L"\\\\?\\UNC\\";

// The folder's short name in its plain form; empty when the volume keeps none.
std::wstring ShortFolder(const std::wstring& folder) {
  const std::wstring extended = ExtendedLengthPath(folder);
  const DWORD size = ::GetShortPathNameW(extended.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  const DWORD n = ::GetShortPathNameW(extended.c_str(), name.data(), size);
  if (n == 0 || n >= size) return {};
  name.resize(n);
  if (name.rfind(kExtendedShare, 0) == 0) return L"\\\\" + name.substr(kExtendedShare.size());
  if (name.rfind(kExtended, 0) == 0) return name.substr(kExtended.size());
  return name;
}

}  // namespace

std::wstring ProfileFilePath(std::wstring_view file) {
  const std::wstring path(file);
  const std::wstring extended = ExtendedLengthPath(path);
  if (extended == path) return path;
  const std::size_t separator = path.rfind(L'\\');
  const std::wstring folder = ShortFolder(path.substr(0, separator));
  if (!folder.empty()) {
    const std::wstring shortened = JoinPath(folder, path.substr(separator + 1));
    if (ExtendedLengthPath(shortened) == shortened) return shortened;
  }
  return extended;
}

}  // namespace kestrune
