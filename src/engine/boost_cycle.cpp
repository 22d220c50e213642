#include "engine/boost_cycle.h"

#include <limits>

#include "engine/acting_process.h"
#include "engine/set_process_priority.h"

namespace kestrune {

void BoostCycle::Raise(const TickInput& input, ProcessId process, WindowHandle window) {
  // An unknown level cannot come from the pick-only list; nothing is raised then and the title
  // replaces any notice, so none is shown.
  std::uint32_t raised = 0;
  if (input.level == SpeedLevel::Normal) raised = priority::kHigh;
  if (input.level == SpeedLevel::Extreme) raised = priority::kRealtime;
  if (raised == 0) return;
  if (input.restoreOriginal)
    RaiseRemembering(processes_, process, raised, memory_);
  else
    SetProcessPriority(processes_, process, window, raised);
}

ProcessId BoostCycle::LeavingProcess(WindowHandle window, ProcessId raised) {
  if (window == 0) return processes_.CurrentProcess();
  // A window that is gone leaves nothing to give back (its process may be gone and its id reused).
  // Otherwise the process raised for it, which for a store app's frame is not the window's owner
  // and may no longer be found through it.
  const ProcessId owner = processes_.WindowProcess(window);
  return owner == 0 || raised == 0 ? owner : raised;
}

void BoostCycle::GiveBackRaised(bool restoreOriginal) {
  if (state_.switchCount == 0 || state_.currentLeftAlone) return;
  GiveBack(processes_, LeavingProcess(state_.current, state_.currentProcess), state_.current, restoreOriginal,
           memory_);
  state_.currentLeftAlone = true;
}

void BoostCycle::ActOn(const TickInput& input, const Acting& acting) {
  state_.currentProcess = acting.process;
  state_.awaitingCore = acting.awaitsCore;
  const bool other = acting.process != 0 && acting.process != processes_.CurrentProcess();
  const bool listed = input.exclude != nullptr && !input.exclude->Empty();
  // One name read serves the exclusion and "前面だったプログラムを追加".
  const std::wstring name = other || listed ? ExecutableNameOf(processes_, acting.process) : std::wstring();
  state_.currentLeftAlone = listed && !name.empty() && input.exclude->Contains(name);
  if (!state_.currentLeftAlone) Raise(input, acting.process, state_.current);
  if (other && !name.empty()) state_.lastOtherName = name;
}

void BoostCycle::DecideFrameAgain(const TickInput& input) {
  const Acting acting = ActingProcessOf(processes_, state_.current);
  if (acting.awaitsCore) return;
  state_.awaitingCore = false;
  if (acting.process == state_.currentProcess) return;
  // The host was acted on for the frame; the app inside takes its place.
  if (!state_.currentLeftAlone && state_.currentProcess != 0)
    GiveBack(processes_, state_.currentProcess, 0, input.restoreOriginal, memory_);
  ActOn(input, acting);
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
  if (state_.current == state_.previous) {
    if (state_.awaitingCore) DecideFrameAgain(input);
    return {};
  }

  if (!state_.currentLeftAlone) {
    GiveBack(processes_, LeavingProcess(state_.previous, state_.currentProcess), state_.previous, input.restoreOriginal,
             memory_);
  }
  ActOn(input, ActingProcessOf(processes_, state_.current));

  if (state_.switchCount < std::numeric_limits<std::int32_t>::max()) ++state_.switchCount;

  TickOutcome outcome;
  outcome.switched = true;
  outcome.title = codePage_.ToWide(BoundAnsi(text, kTitleBytes, codePage_));
  outcome.record = input.recordingOn;
  outcome.level = input.level;
  outcome.switchCount = state_.switchCount;
  return outcome;
}

}  // namespace kestrune
