#pragma once
// Every float-to-integer conversion of the program rounds to nearest with ties to even.
#include <cmath>
#include <cstdint>

namespace kestrune {

inline std::int64_t RoundEven(double value) {
  return static_cast<std::int64_t>(std::nearbyint(value));  // default FP mode is round-to-nearest-even
}

inline int RoundEvenInt(double value) { return static_cast<int>(RoundEven(value)); }

}  // namespace kestrune
