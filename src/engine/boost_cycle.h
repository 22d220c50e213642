#pragma once
// The once-a-second foreground watch: on every change of the foreground window the previous
// owner goes back to the normal class and the new owner is raised by the chosen speed level.
// The tick is given the states of the controls it depends on and says what the window should
// show and record; it reads no control itself.
#include <cstdint>
#include <string>

#include "platform/code_page.h"
#include "platform/processes.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

// The title buffer is 255 bytes: at most 254 bytes of title in the ANSI code page.
inline constexpr std::size_t kTitleBytes = 254;

struct BoostState {
  WindowHandle current = 0;
  WindowHandle previous = 0;
  std::int32_t switchCount = 0;
};

// What the tick depends on besides the platform: CheckState, ComboSpeed and CheckEnableRecord.
struct TickInput {
  bool accelerationOn = false;
  SpeedLevel level = SpeedLevel::Unknown;
  bool recordingOn = false;
};

// What one tick asks of the window. Nothing, unless the foreground window changed.
struct TickOutcome {
  bool switched = false;
  std::wstring title;  // LabelInfo's caption and tooltip, and the history row's title
  bool record = false;  // append a history row for this switch
  SpeedLevel level = SpeedLevel::Unknown;  // the row's level
  std::int32_t switchCount = 0;  // LabelCount's caption, in decimal
};

class BoostCycle {
 public:
  BoostCycle(ProcessApi& processes, const CodePage& codePage) : processes_(processes), codePage_(codePage) {}

  void Reset() { state_ = {}; }
  // One tick of the main timer. With acceleration off it does nothing at all, not even look at
  // the foreground window.
  TickOutcome Tick(const TickInput& input);

  const BoostState& State() const { return state_; }
  void SetState(const BoostState& state) { state_ = state; }

 private:
  ProcessApi& processes_;
  const CodePage& codePage_;
  BoostState state_;
};

}  // namespace kestrune
