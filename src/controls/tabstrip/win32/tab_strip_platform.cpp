#include "controls/tabstrip/win32/tab_strip_platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/open_file_dialog.h"
#include "platform/win32/system_libraries.h"

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <vector>

namespace kestrune::tabstrip {

namespace {

using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

}  // namespace

OsVersion Win32TabStripPlatform::Version() const {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);  // the 148-byte record
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
  const BOOL ok = ::GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
  OsVersion v;
  v.ok = ok == 1;
  v.platformId = info.dwPlatformId;
  v.major = info.dwMajorVersion;
  v.minor = info.dwMinorVersion;
  v.build = info.dwBuildNumber;
  return v;
}

bool Win32TabStripPlatform::CurrentThemeName(std::wstring& colorName) const {
  // Loaded on demand: the library is missing on systems without visual styles.
  HMODULE uxtheme = LoadSystemLibrary(L"uxtheme.dll");
  if (uxtheme == nullptr) return false;
  bool ok = false;
  if (auto fn = reinterpret_cast<GetCurrentThemeNameFn>(
          reinterpret_cast<void*>(::GetProcAddress(uxtheme, "GetCurrentThemeName")))) {
    std::vector<wchar_t> file(255, L'\0');
    std::vector<wchar_t> color(255, L'\0');
    if (fn(file.data(), 255, color.data(), 255, nullptr, 0) == 0) {
      colorName.assign(color.data(), color.size());
      ok = true;
    }
  }
  ::FreeLibrary(uxtheme);
  return ok;
}

void Win32TabStripPlatform::LockWindowUpdate(WindowHandle window) { ::LockWindowUpdate(ToHwnd(window)); }

int Win32TabStripPlatform::Dpi() const {
  if (dpi_ > 0) return dpi_;
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi;
}

void Win32TabStripPlatform::SetParent(WindowHandle child, WindowHandle parent) {
  ::SetParent(ToHwnd(child), ToHwnd(parent));
}

void Win32TabStripPlatform::SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, unsigned flags) {
  ::SetWindowPos(ToHwnd(window), nullptr, x, y, cx, cy, flags);
}

std::wstring Win32TabStripPlatform::ShowOpenFileDialog(const OpenFileRequest& request) {
  // The filter is a list of NUL-terminated description/pattern pairs ending in an empty string.
  std::wstring filter;
  for (const auto& [description, pattern] : request.filters) {
    filter += description;
    filter += L'\0';
    filter += pattern;
    filter += L'\0';
  }
  filter += L'\0';
  std::vector<wchar_t> path(static_cast<std::size_t>(request.maxPathLength) + 1, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = ToHwnd(request.owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(request.maxPathLength);
  ofn.lpstrInitialDir = request.initialDirectory.empty() ? nullptr : request.initialDirectory.c_str();
  ofn.lpstrTitle = request.title.c_str();
  DWORD error = 0;
  if (!::kestrune::ShowOpenFileDialog(ofn, error)) return {};
  return std::wstring(path.data());
}

}  // namespace kestrune::tabstrip
