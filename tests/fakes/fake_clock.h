#pragma once
#include <string>

#include "platform/clock.h"

namespace kestrune::testing {

// A clock that shows whatever time the test sets.
class FakeClock : public Clock {
 public:
  std::wstring TimeOfDayText() override {
    ++reads;
    return time;
  }

  std::wstring time = L"9:05:07";
  int reads = 0;
};

}  // namespace kestrune::testing
