#pragma once
// The system's own description of an error code, as the user should read it in a message box.
#include <windows.h>

#include <string>

namespace kestrune {

inline std::wstring SystemErrorText(DWORD error) {
  wchar_t buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      buffer, static_cast<DWORD>(sizeof buffer / sizeof buffer[0]), nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"エラー " + std::to_wstring(error);
  return text;
}

}  // namespace kestrune
