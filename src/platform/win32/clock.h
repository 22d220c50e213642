#pragma once
#include "platform/clock.h"

namespace kestrune {

// The time of day in the user's time format (GetTimeFormatW with the default locale).
class Win32Clock : public Clock {
 public:
  std::wstring TimeOfDayText() override;
};

}  // namespace kestrune
