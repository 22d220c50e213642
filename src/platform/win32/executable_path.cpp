#include "platform/win32/executable_path.h"

#include <windows.h>

namespace kestrune {

std::wstring ExecutableFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ExecutableDirectory() {
  std::wstring path = ExecutableFilePath();
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);  // keep "C:\" whole
  return path;
}

std::wstring ExecutableBaseName() {
  std::wstring name = ExecutableFilePath();
  name.erase(0, name.find_last_of(L"\\/") + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return name;
}

}  // namespace kestrune
