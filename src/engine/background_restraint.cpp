#include "engine/background_restraint.h"

#include <algorithm>
#include <iterator>

#include "engine/program_decision.h"

namespace kestrune {
namespace {

// Readings a process a rule could not lower (not ours to open, a class someone chose) is left
// alone before it is asked again: never every second.
constexpr int kRefusedTicks = 30;

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
  return !(timed && !busy && programs_.Empty());
}

const std::vector<RestraintChange>& BackgroundRestraint::Tick(const BehindInput& input) {
  if (!input.acceleration) return ReleaseAll();
  changes_.clear();
  ruleChanges_.clear();
  requests_.clear();
  lowerings_.clear();
  wantedMark_.clear();  // nothing is wanted by a rule unless this tick's reading says so
  for (auto it = refused_.begin(); it != refused_.end();) it = --it->second <= 0 ? refused_.erase(it) : std::next(it);
  std::optional<std::uint64_t> machineBusy;
  const bool plan = input.restrain && PlanDue(machineBusy);
  if (!plan) measuring_ = false;
  const bool keep = !keptLow_.Empty() || (input.rules != nullptr && input.rules->AnyKeptLow());
  std::uint64_t now = 0;
  const bool read = (plan || keep) && s_.snapshot.Take(samples_, now);

  if (plan && read) {
    if (!measuring_) {
      // After a pause the readings do not join up: start the window again.
      planner_.Restart();
      measuring_ = true;
    }
    const RestraintContext context{input.front, s_.processes.CurrentProcess(), s_.snapshot.OwnSession(), input.rules};
    const std::vector<RestraintStep>& steps =
        planner_.Plan(samples_, now, s_.snapshot.ProcessorCount(), context, machineBusy);
    FindKeptLow(input, planner_.FrontMarks());
    FollowSteps(steps);
  } else if (read) {
    std::sort(samples_.begin(), samples_.end(),
              [](const ProcessSample& a, const ProcessSample& b) { return a.process < b.process; });
    MarkProgramOf(samples_, input.front, marks_);
    FindKeptLow(input, marks_);
  }
  // With the restraint off, what it held goes back.
  if (!input.restrain) FollowSteps(planner_.ReleaseAll());
  AskKeptLow();
  LowerAsked();
  s_.changes.Flush();
  Compact();
  return changes_;
}

void BackgroundRestraint::FindKeptLow(const BehindInput& input, const std::vector<InProgram>& marks) {
  wanted_.clear();
  wantedMark_.assign(samples_.size(), false);
  const std::vector<RestrainedProgram>& held = keptLow_.All();
  std::vector<bool> stillKept(held.size(), false);
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
      if (const RestrainedProgram* program = keptLow_.Find(sample.process, sample.started)) {
        stillKept[static_cast<std::size_t>(program - held.data())] = true;
      } else {
        wanted_.push_back(i);
        wantedMark_[i] = true;
      }
    }
  }
  // Its rule gone or changed, come to the program in front, or ended.
  for (std::size_t i = held.size(); i-- > 0;)
    if (!stillKept[i] && held[i].process != 0) Release(keptLow_, ruleChanges_, held[i]);
}

void BackgroundRestraint::FollowSteps(const std::vector<RestraintStep>& steps) {
  for (const RestraintStep& step : steps) {
    if (step.kind == RestraintStepKind::Restrain) {
      // Only from the normal class: any other is someone's choice. One handle for the class and
      // the throttling, both for this very process.
      requests_.push_back({step.process, priority::kBelowNormal, {step.started, priority::kNormal}, true});
      lowerings_.push_back({true, step.name});
    } else if (!Transfer(step)) {
      if (const RestrainedProgram* program = programs_.Find(step.process, step.started))
        Release(programs_, changes_, *program);
    }
  }
}

void BackgroundRestraint::AskKeptLow() {
  for (const std::size_t i : wanted_) {
    const ProcessSample& sample = samples_[i];
    // Changed hands from the restraint in this tick, or refused a while ago.
    if (keptLow_.Find(sample.process, sample.started) != nullptr) continue;
    if (refused_.contains({sample.process, sample.started})) continue;
    // Only from the normal class, as the restraint: any other is someone's choice. The class alone.
    requests_.push_back({sample.process, priority::kBelowNormal, {sample.started, priority::kNormal}, false});
    lowerings_.push_back({false, sample.name});
  }
  wanted_.clear();
}

void BackgroundRestraint::LowerAsked() {
  if (requests_.empty()) return;
  s_.changes.SetAll(requests_, outcomes_);
  for (std::size_t i = 0; i < requests_.size(); ++i) {
    const ChangeRequest& request = requests_[i];
    const ProcessKey key{request.process, request.expect.started};
    const bool lowered = outcomes_[i].obtained == priority::kBelowNormal;
    const std::wstring name(lowerings_[i].name);
    if (lowerings_[i].restraint) {
      if (!lowered) {
        planner_.Refused(key.process, key.started);
        continue;
      }
      planner_.Restrained(key.process, key.started);
      changes_.push_back({true, name});
      programs_.Add({key.process, key.started, name, s_.clock.TimeOfDayText(), outcomes_[i].throttled});
    } else if (!lowered) {
      refused_[key] = kRefusedTicks;
    } else {
      ruleChanges_.push_back({true, name});
      keptLow_.Add({key.process, key.started, name, s_.clock.TimeOfDayText(), false});
    }
  }
  requests_.clear();
  lowerings_.clear();
}

bool BackgroundRestraint::Transfer(const RestraintStep& step) {
  const auto at = std::lower_bound(samples_.begin(), samples_.end(), step.process,
                                   [](const ProcessSample& s, ProcessId id) { return s.process < id; });
  const auto i = static_cast<std::size_t>(at - samples_.begin());
  const bool wanted = i < wantedMark_.size() && at->process == step.process && at->started == step.started &&
                      wantedMark_[i];
  RestrainedProgram* held = programs_.Find(step.process, step.started);
  if (!wanted || held == nullptr) return false;
  // The rule asks for the class alone.
  if (held->throttled) s_.changes.EndThrottling(step.process, step.started);
  changes_.push_back({false, held->name});
  ruleChanges_.push_back({true, held->name});
  keptLow_.Add({held->process, held->started, held->name, s_.clock.TimeOfDayText(), false});
  programs_.Remove(*held);
  return true;
}

void BackgroundRestraint::Release(HeldPrograms& from, std::vector<RestraintChange>& log,
                                  const RestrainedProgram& program) {
  const ProcessId process = program.process;
  const std::uint64_t started = program.started;
  const ChangeEntry* entry = s_.changes.Find(process, started);
  // Below normal is only ever set from normal, so the class before is normal either way. Once a
  // switch has raised it since, the raise owns its class and only the throttling is ours.
  if (entry != nullptr && entry->set == priority::kBelowNormal)
    s_.changes.GiveBack(process, started, true);
  else
    s_.changes.EndThrottling(process, started);
  log.push_back({false, program.name});
  from.Remove(program);
}

void BackgroundRestraint::Compact() {
  programs_.Compact();
  keptLow_.Compact();
}

const std::vector<RestraintChange>& BackgroundRestraint::OnFront(ProcessId front) {
  changes_.clear();
  ruleChanges_.clear();
  // The program that came to the front is its process and every descendant, as the last reading
  // found them. The planner lets go of a restraint with it: passing through the front ends it.
  for (HeldPrograms* held : {&programs_, &keptLow_}) {
    const std::vector<RestrainedProgram>& list = held->All();
    for (std::size_t i = list.size(); i-- > 0;) {
      const RestrainedProgram& program = list[i];
      if (program.process == 0) continue;
      if (program.process != front && !InProgramOf(samples_, program.process, program.started, front)) continue;
      if (held == &programs_) planner_.Released(program.process, program.started);
      Release(*held, held == &programs_ ? changes_ : ruleChanges_, program);
    }
  }
  if (!changes_.empty() || !ruleChanges_.empty()) s_.changes.Flush();
  Compact();
  return changes_;
}

const std::vector<RestraintChange>& BackgroundRestraint::ReleaseAll() {
  planner_.ReleaseAll();
  changes_.clear();
  ruleChanges_.clear();
  for (HeldPrograms* held : {&programs_, &keptLow_}) {
    const std::vector<RestrainedProgram>& list = held->All();
    for (std::size_t i = list.size(); i-- > 0;)
      if (list[i].process != 0) Release(*held, held == &programs_ ? changes_ : ruleChanges_, list[i]);
  }
  refused_.clear();
  s_.changes.Flush();
  Compact();
  measuring_ = false;
  return changes_;
}

}  // namespace kestrune
