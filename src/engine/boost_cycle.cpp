#include "engine/boost_cycle.h"

#include <limits>

#include "engine/acting_process.h"
#include "engine/process_names.h"

namespace kestrune {

SpeedLevel LevelObtained(SpeedLevel asked, std::uint32_t classRead) {
  if (classRead == priority::kRealtime) return SpeedLevel::Extreme;
  if (classRead == priority::kHigh) return SpeedLevel::Normal;
  return asked;
}

std::uint32_t BoostCycle::Raise(const TickInput& input, ProcessId process) {
  // An unknown level cannot come from the pick-only list; nothing is raised then and the title
  // replaces any notice, so none is shown.
  std::uint32_t raised = 0;
  if (input.level == SpeedLevel::Normal) raised = priority::kHigh;
  if (input.level == SpeedLevel::Extreme) raised = priority::kRealtime;
  if (raised == 0) return 0;
  return changes_.Set(process, raised);
}

void BoostCycle::GiveBackRaised(bool restoreOriginal) {
  if (state_.switchCount == 0 || state_.currentLeftAlone) return;
  changes_.GiveBack(state_.currentProcess, restoreOriginal);
  changes_.Flush();
  state_.currentLeftAlone = true;
}

TickOutcome BoostCycle::Tick(const TickInput& input) {
  if (!input.accelerationOn) return {};

  const WindowHandle foreground = processes_.ForegroundWindow();
  // Read on every gated tick, before the change test, as one title read per tick.
  const std::string ansiTitle = processes_.WindowTitleAnsi(foreground);
  // The title ends at its first NUL, as it would in the title buffer.
  const std::string_view text = std::string_view(ansiTitle).substr(0, ansiTitle.find('\0'));

  state_.previous = state_.current;
  state_.current = foreground;
  if (state_.current == state_.previous) return {};

  // The process raised for the previous window, by its id: that window may have closed since.
  if (!state_.currentLeftAlone) changes_.GiveBack(state_.currentProcess, input.restoreOriginal);
  const ProcessId acting = ActingProcessOf(processes_, state_.current);
  state_.currentProcess = acting;
  state_.currentLeftAlone = input.exclude != nullptr && IsExcludedProcess(processes_, acting, *input.exclude);
  const std::uint32_t obtained = state_.currentLeftAlone ? 0 : Raise(input, acting);
  changes_.Flush();
  if (acting != 0 && acting != processes_.CurrentProcess()) state_.lastOtherProcess = acting;

  if (state_.switchCount < std::numeric_limits<std::int32_t>::max()) ++state_.switchCount;

  TickOutcome outcome;
  outcome.switched = true;
  outcome.title = codePage_.ToWide(BoundAnsi(text, kTitleBytes, codePage_));
  outcome.record = input.recordingOn;
  outcome.level = LevelObtained(input.level, obtained);
  outcome.switchCount = state_.switchCount;
  outcome.realtimeRefused = input.level == SpeedLevel::Extreme && obtained == priority::kHigh;
  return outcome;
}

}  // namespace kestrune
