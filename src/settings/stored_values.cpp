#include "settings/stored_values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace kestrune {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double ParseLeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fraction = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++fraction;
    // A point with no digit after it ends the number ("1." is 1) but a lone point is no number.
    if (fraction > 0 || digits > 0) i = j;
    digits += fraction;
  }
  if (digits == 0) return 0.0;

  // The exponent form is deliberately not taken: "1e2" reads as 1, as the rest after the number is ignored.
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Out of range either way: an overlong digit string is huge, an overlong zero fraction is tiny.
    bool huge = false;
    for (std::size_t k = start; k < i && text[k] != '.'; ++k)
      if (text[k] != '0') huge = true;
    value = huge ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != text.data() + i) {
    return 0.0;
  }
  return negative ? -value : value;
}

bool FlagFromStored(std::string_view stored) { return ParseLeadingNumber(stored) == 1.0; }

std::string_view StoredFlag(bool on) { return on ? "1" : "0"; }

SpeedLevel SpeedLevelFromStored(std::string_view stored) {
  return FlagFromStored(stored) ? SpeedLevel::Normal : SpeedLevel::Extreme;
}

std::string_view StoredSpeedLevel(SpeedLevel level) { return level == SpeedLevel::Normal ? "1" : "2"; }

// Compared as numbers, not as text: turning a double into its shortest text would link the C++
// library's floating-point formatting tables into the program for this one comparison.
int RecordCountFromStored(std::string_view stored) {
  const double number = ParseLeadingNumber(stored);
  for (const int count : kRecordCounts)
    if (static_cast<double>(count) == number) return count;
  return kFallbackRecordCount;
}

std::string StoredRecordCount(int count) { return std::to_string(count); }

}  // namespace kestrune
