#include "platform/win32/clock.h"

#include <windows.h>

namespace kestrune {

std::wstring Win32Clock::TimeOfDayText() {
  wchar_t buffer[64] = {};
  const int n = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 64);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

}  // namespace kestrune
