#pragma once
// The system's own description of an error code, as the user should read it in a message box.
#include <windows.h>

#include <string>

#include "platform/texts.h"

namespace kestrune {

inline std::wstring SystemErrorText(DWORD error) {
  wchar_t buffer[512] = {};
  const auto describe = [&](DWORD language) {
    return FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, language, buffer,
                          static_cast<DWORD>(sizeof buffer / sizeof buffer[0]), nullptr);
  };
  // In the window's language where the system has it, else in the system's own.
  DWORD length = ShownLanguage() == Language::English ? describe(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) : 0;
  if (length == 0) length = describe(0);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = UiText(TextId::ErrorNumber, {std::to_wstring(error)});
  return text;
}

}  // namespace kestrune
