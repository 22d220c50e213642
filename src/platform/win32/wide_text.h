#pragma once
// Small helpers for the wide-character Win32 calls.
#include <windows.h>

#include <string>
#include <string_view>

namespace kestrune {

inline std::wstring WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

inline void SetText(HWND hwnd, std::wstring_view text) { ::SetWindowTextW(hwnd, std::wstring(text).c_str()); }

}  // namespace kestrune
