#pragma once
#include <string>

namespace kestrune {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local time of day in the system's time format (no date).
  virtual std::wstring TimeOfDayText() = 0;
};

}  // namespace kestrune
