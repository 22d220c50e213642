#include "engine/background_restraint.h"

#include <algorithm>

#include "engine/program_decision.h"

namespace kestrune {
namespace {

// Readings a process a rule could not lower (not ours to open, a class someone chose) is left
// alone before it is asked again: never every second.
constexpr int kRefusedTicks = 30;

RestrainedProgram* HeldIn(std::vector<RestrainedProgram>& programs, ProcessId process, std::uint64_t started) {
  const auto it = std::find_if(programs.begin(), programs.end(), [&](const RestrainedProgram& p) {
    return p.process == process && p.started == started;
  });
  return it == programs.end() ? nullptr : &*it;
}

}  // namespace

bool BackgroundRestraint::Due(const BehindInput& input) const {
  const bool restraining = input.acceleration && input.restrain;
  // A restraint switched off with nothing held still ends its readings: once on again, they must
  // start afresh rather than span the pause.
  if (Holding() || restraining || measuring_) return true;
  return input.acceleration && input.rules != nullptr && input.rules->AnyKeptLow();
}

bool BackgroundRestraint::PlanDue(std::optional<std::uint64_t>& machineBusy) {
  // While the machine is quiet and nothing is held, the whole list is not worth taking: nothing
  // could be a hog. One look at the machine's times decides, and readings start when it gets busy.
  std::uint64_t idle = 0, total = 0;
  const bool timed = s_.snapshot.MachineTimes(idle, total);
  const bool measured = timed && lastTotal_ != 0 && total >= lastTotal_ && idle - lastIdle_ <= total - lastTotal_;
  const bool busy = measured && MachineBusy(idle - lastIdle_, total - lastTotal_, s_.snapshot.ProcessorCount(),
                                            planner_.Thresholds());
  if (measured && measuring_) machineBusy = (total - lastTotal_) - (idle - lastIdle_);
  lastIdle_ = idle;
  lastTotal_ = total;
  return !(timed && !busy && programs_.empty());
}

const std::vector<RestraintChange>& BackgroundRestraint::Tick(const BehindInput& input) {
  if (!input.acceleration) return ReleaseAll();
  changes_.clear();
  ruleChanges_.clear();
  for (Refusal& refusal : refused_) --refusal.ticks;
  std::erase_if(refused_, [](const Refusal& refusal) { return refusal.ticks <= 0; });
  std::optional<std::uint64_t> machineBusy;
  const bool plan = input.restrain && PlanDue(machineBusy);
  if (!plan) measuring_ = false;
  const bool keep = !keptLow_.empty() || (input.rules != nullptr && input.rules->AnyKeptLow());
  std::uint64_t now = 0;
  const bool read = (plan || keep) && s_.snapshot.Take(samples_, now);

  const std::vector<RestraintStep>* steps = nullptr;
  if (plan && read) {
    if (!measuring_) {
      // After a pause the readings do not join up: start the window again.
      planner_.Restart();
      measuring_ = true;
    }
    const RestraintContext context{input.front, s_.processes.CurrentProcess(), s_.snapshot.OwnSession(), input.rules};
    steps = &planner_.Plan(samples_, now, s_.snapshot.ProcessorCount(), context, machineBusy);
    FindKeptLow(input, planner_.FrontMarks());
  } else if (read) {
    std::sort(samples_.begin(), samples_.end(),
              [](const ProcessSample& a, const ProcessSample& b) { return a.process < b.process; });
    MarkProgramOf(samples_, input.front, marks_);
    FindKeptLow(input, marks_);
  }
  // With the restraint off, what it held goes back.
  if (!input.restrain) steps = &planner_.ReleaseAll();
  if (steps != nullptr) {
    for (const RestraintStep& step : *steps) {
      if (step.kind == RestraintStepKind::Restrain)
        Restrain(step);
      else if (!Transfer(step))
        Release(programs_, changes_, step.process, step.started);
    }
  }
  LowerKeptLow();
  s_.changes.Flush();
  return changes_;
}

void BackgroundRestraint::FindKeptLow(const BehindInput& input, const std::vector<InProgram>& marks) {
  wanted_.clear();
  std::vector<bool> stillKept(keptLow_.size(), false);
  if (input.rules != nullptr && input.rules->AnyKeptLow()) {
    const ProcessId self = s_.processes.CurrentProcess();
    const std::uint32_t session = s_.snapshot.OwnSession();
    for (std::size_t i = 0; i < samples_.size(); ++i) {
      const ProcessSample& sample = samples_[i];
      const ProgramRule* rule = input.rules->Find(sample.name);
      if (rule == nullptr) continue;
      ProcessPlace place;
      place.frontTree = marks[i] == InProgram::Yes || sample.process == input.front;
      place.ours = sample.session == session && sample.process != self;
      if (Decide(rule, place, {}).treatment != Treatment::KeptLow) continue;
      if (RestrainedProgram* held = HeldIn(keptLow_, sample.process, sample.started))
        stillKept[static_cast<std::size_t>(held - keptLow_.data())] = true;
      else
        wanted_.push_back(i);
    }
  }
  // Its rule gone or changed, come to the program in front, or ended.
  for (std::size_t i = keptLow_.size(); i-- > 0;)
    if (!stillKept[i]) Release(keptLow_, ruleChanges_, keptLow_[i].process, keptLow_[i].started);
}

void BackgroundRestraint::LowerKeptLow() {
  for (const std::size_t i : wanted_) {
    const ProcessSample& sample = samples_[i];
    if (HeldIn(keptLow_, sample.process, sample.started) != nullptr) continue;
    const bool refused = std::any_of(refused_.begin(), refused_.end(), [&](const Refusal& r) {
      return r.process == sample.process && r.started == sample.started;
    });
    if (refused) continue;
    // Only from the normal class, as the restraint: any other is someone's choice.
    const ChangeExpectation expect{sample.started, priority::kNormal};
    if (s_.changes.Set(sample.process, priority::kBelowNormal, expect).obtained != priority::kBelowNormal) {
      refused_.push_back({sample.process, sample.started, kRefusedTicks});
      continue;
    }
    ruleChanges_.push_back({true, std::wstring(sample.name)});
    keptLow_.push_back({sample.process, sample.started, std::wstring(sample.name), s_.clock.TimeOfDayText(), false});
  }
  wanted_.clear();
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

bool BackgroundRestraint::Transfer(const RestraintStep& step) {
  const auto wanted = std::find_if(wanted_.begin(), wanted_.end(), [&](std::size_t i) {
    return samples_[i].process == step.process && samples_[i].started == step.started;
  });
  RestrainedProgram* held = HeldIn(programs_, step.process, step.started);
  if (wanted == wanted_.end() || held == nullptr) return false;
  // The rule asks for the class alone.
  if (held->throttled) s_.changes.EndThrottling(step.process, step.started);
  changes_.push_back({false, held->name});
  ruleChanges_.push_back({true, held->name});
  keptLow_.push_back({held->process, held->started, held->name, s_.clock.TimeOfDayText(), false});
  programs_.erase(programs_.begin() + (held - programs_.data()));
  return true;
}

void BackgroundRestraint::Release(std::vector<RestrainedProgram>& from, std::vector<RestraintChange>& log,
                                  ProcessId process, std::uint64_t started) {
  RestrainedProgram* held = HeldIn(from, process, started);
  if (held == nullptr) return;
  const auto& entries = s_.changes.Held();
  const bool classStillOurs = std::any_of(entries.begin(), entries.end(), [&](const ChangeEntry& e) {
    return e.SameProcess(process, started) && e.set == priority::kBelowNormal;
  });
  // Below normal is only ever set from normal, so the class before is normal either way. Once a
  // switch has raised it since, the raise owns its class and only the throttling is ours.
  if (classStillOurs)
    s_.changes.GiveBack(process, started, true);
  else
    s_.changes.EndThrottling(process, started);
  log.push_back({false, held->name});
  from.erase(from.begin() + (held - from.data()));
}

const std::vector<RestraintChange>& BackgroundRestraint::OnFront(ProcessId front) {
  changes_.clear();
  ruleChanges_.clear();
  // The program that came to the front is its process and every descendant, as the last reading
  // found them.
  for (auto* list : {&programs_, &keptLow_}) {
    for (std::size_t i = list->size(); i-- > 0;) {
      const RestrainedProgram& program = (*list)[i];
      if (program.process == front || InProgramOf(samples_, program.process, program.started, front))
        Release(*list, list == &programs_ ? changes_ : ruleChanges_, program.process, program.started);
    }
  }
  if (!changes_.empty() || !ruleChanges_.empty()) s_.changes.Flush();
  return changes_;
}

const std::vector<RestraintChange>& BackgroundRestraint::ReleaseAll() {
  planner_.ReleaseAll();
  changes_.clear();
  ruleChanges_.clear();
  while (!programs_.empty()) Release(programs_, changes_, programs_.back().process, programs_.back().started);
  while (!keptLow_.empty()) Release(keptLow_, ruleChanges_, keptLow_.back().process, keptLow_.back().started);
  refused_.clear();
  s_.changes.Flush();
  measuring_ = false;
  return changes_;
}

}  // namespace kestrune
