#pragma once
// Sizes given for 96 dots per inch, taken to another resolution as the system scales its own:
// to the nearest pixel, halves away from zero.
namespace kestrune {

inline constexpr int kBaseDpi = 96;

inline constexpr int ScaleToDpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}

}  // namespace kestrune
