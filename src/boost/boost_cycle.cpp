#include "boost/boost_cycle.h"

#include <limits>

#include "boost/set_process_priority.h"

namespace kestrune {

void BoostCycle::Tick() {
  if (!controls_.checkState.Checked()) return;

  const WindowHandle foreground = processes_.ForegroundWindow();
  // Read on every gated tick, before the change test, as one title read per tick.
  const std::string ansiTitle = processes_.WindowTitleAnsi(foreground);
  // The title ends at its first NUL, as it would in the title buffer.
  const std::string_view text = std::string_view(ansiTitle).substr(0, ansiTitle.find('\0'));
  const std::wstring title = codePage_.ToWide(BoundAnsi(text, kTitleBytes, codePage_));

  state_.previous = state_.current;
  state_.current = foreground;
  if (state_.current == state_.previous) return;

  SetProcessPriority(processes_, 0, state_.previous, priority::kNormal);

  const std::wstring speed = controls_.comboSpeed.Text();
  if (speed == kSpeedNormal) {
    SetProcessPriority(processes_, 0, state_.current, priority::kHigh);
  } else if (speed == kSpeedExtreme) {
    SetProcessPriority(processes_, 0, state_.current, priority::kRealtime);
  }
  // Any other text cannot come from the pick-only list; nothing is raised then and the
  // title below replaces any notice, so none is shown.

  controls_.labelInfo.SetCaption(title);
  controls_.labelInfo.SetTooltip(title);

  if (controls_.checkEnableRecord.Checked()) recorder_.RecordSwitch(title, speed);

  if (state_.switchCount < std::numeric_limits<std::int32_t>::max()) ++state_.switchCount;
  controls_.labelCount.SetCaption(std::to_wstring(state_.switchCount));
}

}  // namespace kestrune
