#include "engine/background_restraint.h"

#include <algorithm>

namespace kestrune {

const std::vector<RestraintChange>& BackgroundRestraint::Tick(ProcessId front, const ExcludeList* exclude) {
  changes_.clear();
  // While the machine is quiet and nothing is held, the whole list is not worth taking: nothing
  // could be a hog. One look at the machine's times decides, and readings start when it gets busy.
  std::uint64_t idle = 0, total = 0;
  const bool timed = s_.snapshot.MachineTimes(idle, total);
  const bool measured = timed && lastTotal_ != 0 && total >= lastTotal_ && idle - lastIdle_ <= total - lastTotal_;
  const bool busy = measured && MachineBusy(idle - lastIdle_, total - lastTotal_, s_.snapshot.ProcessorCount(),
                                            planner_.Rules());
  const std::optional<std::uint64_t> machineBusy =
      measured && measuring_ ? std::optional((total - lastTotal_) - (idle - lastIdle_)) : std::nullopt;
  lastIdle_ = idle;
  lastTotal_ = total;
  if (timed && !busy && programs_.empty()) {
    measuring_ = false;
    return changes_;
  }
  std::uint64_t now = 0;
  if (!s_.snapshot.Take(samples_, now)) return changes_;
  if (!measuring_) {
    // After a pause the readings do not join up: start the window again.
    planner_.Restart();
    measuring_ = true;
  }
  const RestraintContext context{front, s_.processes.CurrentProcess(), s_.snapshot.OwnSession(), exclude};
  for (const RestraintStep& step : planner_.Plan(samples_, now, s_.snapshot.ProcessorCount(), context, machineBusy)) {
    if (step.kind == RestraintStepKind::Restrain)
      Restrain(step);
    else
      Release(step.process, step.started);
  }
  s_.changes.Flush();
  return changes_;
}

void BackgroundRestraint::Restrain(const RestraintStep& step) {
  // Only from the normal class: any other is someone's choice. One handle for the class and the
  // throttling, both for this very process.
  const ChangeExpectation expect{step.started, priority::kNormal};
  const SetOutcome outcome = s_.changes.Set(step.process, priority::kBelowNormal, expect, true);
  if (outcome.obtained != priority::kBelowNormal) {
    planner_.Refused(step.process, step.started);
    return;
  }
  planner_.Restrained(step.process, step.started);
  changes_.push_back({true, std::wstring(step.name)});
  programs_.push_back({step.process, step.started, std::wstring(step.name), s_.clock.TimeOfDayText(), outcome.throttled});
}

void BackgroundRestraint::Release(ProcessId process, std::uint64_t started) {
  const auto it = std::find_if(programs_.begin(), programs_.end(), [&](const RestrainedProgram& p) {
    return p.process == process && p.started == started;
  });
  if (it == programs_.end()) return;
  const auto& held = s_.changes.Held();
  const bool classStillOurs = std::any_of(held.begin(), held.end(), [&](const ChangeEntry& e) {
    return e.SameProcess(process, started) && e.set == priority::kBelowNormal;
  });
  // Below normal is only ever set from normal, so the class before is normal either way. Once a
  // switch has raised it since, the raise owns its class and only the throttling is the restraint's.
  if (classStillOurs)
    s_.changes.GiveBack(process, started, true);
  else
    s_.changes.EndThrottling(process, started);
  changes_.push_back({false, it->name});
  programs_.erase(it);
}

const std::vector<RestraintChange>& BackgroundRestraint::OnFront(ProcessId front) {
  changes_.clear();
  // The program that came to the front is its process and every descendant, as the last reading
  // found them.
  for (std::size_t i = programs_.size(); i-- > 0;) {
    const RestrainedProgram& program = programs_[i];
    if (program.process == front || InProgramOf(samples_, program.process, program.started, front))
      Release(program.process, program.started);
  }
  if (!changes_.empty()) s_.changes.Flush();
  return changes_;
}

const std::vector<RestraintChange>& BackgroundRestraint::ReleaseAll() {
  planner_.ReleaseAll();
  changes_.clear();
  while (!programs_.empty()) Release(programs_.back().process, programs_.back().started);
  s_.changes.Flush();
  measuring_ = false;
  return changes_;
}

}  // namespace kestrune
