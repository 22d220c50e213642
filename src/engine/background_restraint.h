#pragma once
// The programs behind the one in front: a program of the user's that hogs the processor while the
// machine is busy is lowered to the below-normal class (and, where the system offers it, throttled)
// and given back exactly what it had once it calms down; a program whose rule says "low" is kept at
// the below-normal class for as long as it stays behind, busy machine or not. Both come back when
// they come to the front, when what lowered them ends (the restraint switched off, the rule gone,
// acceleration off, exit) and, after a crash, from the journal. Every change goes through
// PriorityChanges, so it is journaled before it is made and given back only while the class is
// still the one set: every lowering of a tick in one write before the first is made. Which process
// is lowered, and why, is Decide's to say.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/held_programs.h"
#include "engine/priority_changes.h"
#include "engine/program_rules.h"
#include "engine/restraint_planner.h"
#include "platform/clock.h"
#include "platform/process_snapshot.h"

namespace kestrune {

// One lowering or release, for the history.
struct RestraintChange {
  bool restrained = false;
  std::wstring name;
};

// What the programs behind depend on, once a second.
struct BehindInput {
  bool acceleration = false;  // "加速を使用する": neither the rules nor the restraint act without it
  bool restrain = false;      // RestrainBackground
  ProcessId front = 0;        // the process acceleration acts for
  const ProgramRules* rules = nullptr;
};

class BackgroundRestraint {
 public:
  struct Services {
    ProcessSnapshot& snapshot;
    ProcessApi& processes;
    PriorityChanges& changes;
    Clock& clock;
  };
  explicit BackgroundRestraint(Services services, RestraintThresholds thresholds = {})
      : s_(services), planner_(thresholds) {}

  // Whether a Tick has anything to do: the restraint or a rule that keeps a program low is at work,
  // something lowered is still held, or the restraint's readings are to end. Nothing else costs a
  // reading.
  bool Due(const BehindInput& input) const;
  // Once a second: one reading, taken while the restraint has a busy machine to watch or holds a
  // program, and on every tick while a rule keeps programs low (a process started since the last
  // tick is found by its name). With the restraint off what it held goes back, the rules' lowerings
  // staying; with acceleration off, everything (ReleaseAll). Answers the restraint's changes; the
  // rules' are RuleChanges.
  const std::vector<RestraintChange>& Tick(const BehindInput& input);
  // A switch brought this process to the front: it and its descendants are lowered no longer.
  const std::vector<RestraintChange>& OnFront(ProcessId front);
  // Acceleration ends (switched off, exit, log-off): everything lowered back, and the next reading
  // starts afresh: what happened during the pause was not measured.
  const std::vector<RestraintChange>& ReleaseAll();

  const std::vector<RestrainedProgram>& Restrained() const { return programs_.All(); }
  // The processes a rule keeps low right now: the state page's list of them.
  const std::vector<RestrainedProgram>& KeptLow() const { return keptLow_.All(); }
  // What the rules lowered (restrained: true) or let go in the last Tick, OnFront or ReleaseAll: the
  // history's rows of a rule's changes.
  const std::vector<RestraintChange>& RuleChanges() const { return ruleChanges_; }
  bool Holding() const { return !programs_.Empty() || !keptLow_.Empty(); }

 private:
  // The look at the machine's times: whether the restraint's reading is due; the machine's use
  // since the last look where it was measured.
  bool PlanDue(std::optional<std::uint64_t>& machineBusy);
  // The processes of the reading a rule keeps low and that are not held yet (wanted_), and the
  // release of those held that no rule keeps low any more. marks: part of the program in front.
  void FindKeptLow(const BehindInput& input, const std::vector<InProgram>& marks);
  // The planner's steps: releases at once, restraints asked (Ask) for the tick's one journal write.
  void FollowSteps(const std::vector<RestraintStep>& steps);
  void AskKeptLow();
  // Every lowering asked in this tick, made in one batch, and what each obtained taken in.
  void LowerAsked();
  // A restrained process a rule now keeps low changes hands without a change of class.
  bool Transfer(const RestraintStep& step);
  void Release(HeldPrograms& from, std::vector<RestraintChange>& log, const RestrainedProgram& program);
  void Compact();

  // Why a process is asked to be lowered: the restraint (with its name from the reading), or a rule.
  struct Lowering {
    bool restraint = false;
    std::wstring_view name;
  };

  Services s_;
  RestraintPlanner planner_;
  std::vector<ProcessSample> samples_;
  std::vector<InProgram> marks_;
  HeldPrograms programs_;
  HeldPrograms keptLow_;
  std::vector<std::size_t> wanted_;  // samples a rule keeps low that are not held yet
  std::vector<bool> wantedMark_;     // per sample: in wanted_
  // Processes a rule could not lower (not ours to open, a class someone chose), left alone for as
  // many readings.
  std::unordered_map<ProcessKey, int, ProcessKeyHash> refused_;
  std::vector<ChangeRequest> requests_;
  std::vector<Lowering> lowerings_;  // why each of requests_ is asked
  std::vector<SetOutcome> outcomes_;
  std::vector<RestraintChange> changes_;
  std::vector<RestraintChange> ruleChanges_;
  bool measuring_ = false;
  std::uint64_t lastIdle_ = 0, lastTotal_ = 0;
};

}  // namespace kestrune
