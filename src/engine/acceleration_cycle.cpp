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

void AccelerationCycle::GiveBackRaised(bool restoreOriginal) {
  if (state_.switchCount == 0 || !state_.HoldsRaise()) return;
  changes_.GiveBack(state_.currentProcess, state_.currentStarted, restoreOriginal);
  changes_.Flush();
  state_.currentGivenBack = true;
}

AccelerationCycle::Acted AccelerationCycle::ActOn(const TickInput& input, const Acting& acting) {
  state_.currentProcess = acting.process;
  state_.awaitingCore = acting.awaitsCore;
  const bool other = acting.process != 0 && acting.process != processes_.CurrentProcess();
  const bool ruled = input.rules != nullptr && !input.rules->Empty();
  // One name read serves the rules and "前面だったプログラムを追加".
  Acted acted;
  acted.name = other || ruled ? ExecutableNameOf(processes_, acting.process) : std::wstring();
  const ProgramRule* rule = ruled && !acted.name.empty() ? input.rules->Find(acted.name) : nullptr;
  ProcessPlace place;
  place.front = place.frontTree = true;
  acted.decision = Decide(rule, place, {input.level, false});
  state_.currentLeftAlone = acted.decision.treatment != Treatment::Raised;
  state_.currentGivenBack = false;
  // Every raise of a switch in one batch: one journal write before the first is made.
  raises_.clear();
  if (!state_.currentLeftAlone) raises_.push_back({acting.process, acted.decision.priorityClass});
  changes_.SetAll(raises_, raised_);
  const SetOutcome raised = raises_.empty() ? SetOutcome{} : raised_[0];
  state_.currentStarted = raised.started;
  acted.obtained = raised.obtained;
  if (other && !acted.name.empty()) state_.lastOtherName = acted.name;
  return acted;
}

void AccelerationCycle::DecideFrameAgain(const TickInput& input) {
  const Acting acting = ActingProcessOf(processes_, state_.current);
  if (acting.awaitsCore) return;
  state_.awaitingCore = false;
  if (acting.process == state_.currentProcess) return;
  // The host was acted on for the frame; the app inside takes its place.
  if (state_.HoldsRaise() && state_.currentProcess != 0)
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
  if (state_.HoldsRaise()) changes_.GiveBack(state_.currentProcess, state_.currentStarted, input.restoreOriginal);
  const Acted acted = ActOn(input, ActingProcessOf(processes_, state_.current));
  changes_.Flush();

  if (state_.switchCount < std::numeric_limits<std::int32_t>::max()) ++state_.switchCount;

  TickOutcome outcome;
  outcome.switched = true;
  outcome.title = std::wstring(BoundAsAnsi(text, kTitleBytes, codePage_));
  outcome.record = input.recording;
  // A process left alone is shown with the general level, as the switch always was.
  const SpeedLevel asked = acted.decision.treatment == Treatment::Raised ? acted.decision.level : input.level;
  outcome.level = LevelObtained(asked, acted.obtained);
  outcome.switchCount = state_.switchCount;
  outcome.realtimeRefused = asked == SpeedLevel::Extreme && acted.obtained == priority::kHigh;
  outcome.byRule = acted.decision.byRule;
  outcome.program = acted.name;
  return outcome;
}

}  // namespace kestrune
