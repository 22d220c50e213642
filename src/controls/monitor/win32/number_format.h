#pragma once
// The user's thousands and decimal separators, for SystemMonitor::FormatFilesize.
#include <windows.h>

#include <utility>

namespace kestrune::monitor {

// First: thousands separator, second: decimal point; "," and "." when the locale does not say.
inline std::pair<wchar_t, wchar_t> Win32NumberSeparators() {
  wchar_t thousands[8] = {};
  wchar_t decimal[8] = {};
  const bool okThousands = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8) > 1;
  const bool okDecimal = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8) > 1;
  return {okThousands ? thousands[0] : L',', okDecimal ? decimal[0] : L'.'};
}

}  // namespace kestrune::monitor
