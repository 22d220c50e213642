#include "engine/boost_cycle.h"

#include <limits>

#include "engine/set_process_priority.h"

namespace kestrune {

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

  SetProcessPriority(processes_, 0, state_.previous, priority::kNormal);
  if (input.level == SpeedLevel::Normal) {
    SetProcessPriority(processes_, 0, state_.current, priority::kHigh);
  } else if (input.level == SpeedLevel::Extreme) {
    SetProcessPriority(processes_, 0, state_.current, priority::kRealtime);
  }
  // An unknown level cannot come from the pick-only list; nothing is raised then and the title
  // replaces any notice, so none is shown.

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
