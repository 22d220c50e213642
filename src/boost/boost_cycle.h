#pragma once
// The once-a-second foreground watch: on every change of the foreground window the previous
// owner goes back to the normal class and the new owner is raised by the chosen speed level.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/ui.h"
#include "boost/speed_level.h"
#include "platform/code_page.h"
#include "platform/processes.h"

namespace kestrune {

// The title buffer is 255 bytes: at most 254 bytes of title in the ANSI code page.
inline constexpr std::size_t kTitleBytes = 254;

struct BoostState {
  WindowHandle current = 0;
  WindowHandle previous = 0;
  std::int32_t switchCount = 0;
};

// Receives every switch while recording is on (the acceleration history).
class SwitchRecorder {
 public:
  virtual ~SwitchRecorder() = default;
  virtual void RecordSwitch(std::wstring_view title, std::wstring_view speedLevelText) = 0;
};

struct BoostControls {
  const CheckBox& checkState;         // gate
  const ComboBox& comboSpeed;         // speed level by item text
  const CheckBox& checkEnableRecord;  // record switches
  Label& labelInfo;
  Label& labelCount;
};

class BoostCycle {
 public:
  BoostCycle(ProcessApi& processes, const CodePage& codePage, BoostControls controls, SwitchRecorder& recorder)
      : processes_(processes), codePage_(codePage), controls_(controls), recorder_(recorder) {}

  void Reset() { state_ = {}; }
  // One tick of the main timer.
  void Tick();

  const BoostState& State() const { return state_; }
  void SetState(const BoostState& state) { state_ = state; }

 private:
  ProcessApi& processes_;
  const CodePage& codePage_;
  BoostControls controls_;
  SwitchRecorder& recorder_;
  BoostState state_;
};

}  // namespace kestrune
