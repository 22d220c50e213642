#include "controls/monitor/file_size_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace kestrune::monitor {

namespace {

// Digits of a non-negative whole number (held in a double, so any size) with a thousands separator
// every three digits.
std::wstring Grouped(double whole, wchar_t separator) {
  char digits[400] = {};
  std::snprintf(digits, sizeof(digits), "%.0f", whole);
  std::wstring out;
  const std::size_t n = std::strlen(digits);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(static_cast<wchar_t>(digits[i]));
    const std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) out.push_back(separator);
  }
  return out;
}

}  // namespace

std::wstring FormatFileSize(double bytes, wchar_t thousands, wchar_t decimal) {
  constexpr double kK = 1024.0;
  constexpr double kM = 1048576.0;
  constexpr double kG = 1073741824.0;
  if (!std::isfinite(bytes)) return {};  // not a byte count
  const bool negative = bytes < 0;
  auto whole = [&](double v, const wchar_t* unit) {
    const double n = std::nearbyint(std::fabs(v));
    return std::wstring(negative && n != 0 ? L"-" : L"") + Grouped(n, thousands) + unit;
  };
  auto twoDecimals = [&](double v, const wchar_t* unit) {
    const double hundredths = std::nearbyint(std::fabs(v) * 100.0);
    const int cents = static_cast<int>(std::fmod(hundredths, 100.0));
    const std::wstring frac{static_cast<wchar_t>(L'0' + cents / 10), static_cast<wchar_t>(L'0' + cents % 10)};
    return std::wstring(negative && hundredths != 0 ? L"-" : L"") + Grouped(std::floor(hundredths / 100.0), thousands) +
           decimal + frac + unit;
  };
  if (bytes <= kK) return whole(bytes, L" B");
  if (bytes < kM) return whole(bytes / kK, L" K");
  // Exactly 1,048,576 bytes is one megabyte and is shown as "1.00 MB".
  if (bytes < kG) return twoDecimals(bytes / kM, L" MB");
  return twoDecimals(bytes / kG, L" GB");
}

}  // namespace kestrune::monitor
