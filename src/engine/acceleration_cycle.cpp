#include "engine/acceleration_cycle.h"

#include <limits>

#include "engine/acting_process.h"
#include "engine/process_names.h"

namespace kestrune {

SpeedLevel LevelObtained(SpeedLevel asked, std::uint32_t classRead) {
  if (classRead == priority::kRealtime) return SpeedLevel::Extreme;
  if (classRead == priority::kHigh) return SpeedLevel::Normal;
  return asked;
}

SetOutcome AccelerationCycle::Raise(const TickInput& input, ProcessId process) {
  // An unknown level cannot come from the pick-only list; nothing is raised then and the title
  // replaces any notice, so none is shown.
  std::uint32_t raised = 0;
  if (input.level == SpeedLevel::Normal) raised = priority::kHigh;
  if (input.level == SpeedLevel::Extreme) raised = priority::kRealtime;
  if (raised == 0) return {};
  return changes_.Set(process, raised);
}

void AccelerationCycle::GiveBackRaised(bool restoreOriginal) {
  if (state_.switchCount == 0 || state_.currentLeftAlone) return;
  changes_.GiveBack(state_.currentProcess, state_.currentStarted, restoreOriginal);
  changes_.Flush();
  state_.currentLeftAlone = true;
}

std::uint32_t AccelerationCycle::ActOn(const TickInput& input, const Acting& acting) {
  state_.currentProcess = acting.process;
  state_.awaitingCore = acting.awaitsCore;
  const bool other = acting.process != 0 && acting.process != processes_.CurrentProcess();
  const bool listed = input.exclude != nullptr && !input.exclude->Empty();
  // One name read serves the exclusion and "前面だったプログラムを追加".
  const std::wstring name = other || listed ? ExecutableNameOf(processes_, acting.process) : std::wstring();
  state_.currentLeftAlone = listed && !name.empty() && input.exclude->Contains(name);
  const SetOutcome raised = state_.currentLeftAlone ? SetOutcome{} : Raise(input, acting.process);
  state_.currentStarted = raised.started;
  if (other && !name.empty()) state_.lastOtherName = name;
  return raised.obtained;
}

void AccelerationCycle::DecideFrameAgain(const TickInput& input) {
  const Acting acting = ActingProcessOf(processes_, state_.current);
  if (acting.awaitsCore) return;
  state_.awaitingCore = false;
  if (acting.process == state_.currentProcess) return;
  // The host was acted on for the frame; the app inside takes its place.
  if (!state_.currentLeftAlone && state_.currentProcess != 0)
    changes_.GiveBack(state_.currentProcess, state_.currentStarted, input.restoreOriginal);
  ActOn(input, acting);
  changes_.Flush();
}

TickOutcome AccelerationCycle::Tick(const TickInput& input) {
  if (!input.acceleration) return {};

  const WindowHandle foreground = processes_.ForegroundWindow();
  // Read on every gated tick, before the change test, as one title read per tick.
  const std::wstring title = processes_.WindowTitle(foreground);
  // The title ends at its first NUL, as it would in the title buffer.
  const std::wstring_view text = std::wstring_view(title).substr(0, title.find(L'\0'));

  state_.previous = state_.current;
  state_.current = foreground;
  if (state_.current == state_.previous) {
    if (state_.awaitingCore) DecideFrameAgain(input);
    return {};
  }

  // The process raised for the previous window, by its id: that window may have closed since.
  if (!state_.currentLeftAlone) changes_.GiveBack(state_.currentProcess, state_.currentStarted, input.restoreOriginal);
  const std::uint32_t obtained = ActOn(input, ActingProcessOf(processes_, state_.current));
  changes_.Flush();

  if (state_.switchCount < std::numeric_limits<std::int32_t>::max()) ++state_.switchCount;

  TickOutcome outcome;
  outcome.switched = true;
  outcome.title = std::wstring(BoundAsAnsi(text, kTitleBytes, codePage_));
  outcome.record = input.recording;
  outcome.level = LevelObtained(input.level, obtained);
  outcome.switchCount = state_.switchCount;
  outcome.realtimeRefused = input.level == SpeedLevel::Extreme && obtained == priority::kHigh;
  return outcome;
}

}  // namespace kestrune
