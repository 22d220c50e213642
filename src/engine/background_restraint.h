#pragma once
// The background restraint: while the user works in front, a program of theirs that hogs the
// processor behind it is lowered to the below-normal class (and, where the system offers it,
// throttled), and given back exactly what it had once it calms down, comes to the front, or
// restraint ends. Every change goes through PriorityChanges, so it is journaled before it is made
// and given back only while the class is still the one set.
#include <string>
#include <vector>

#include "engine/exclude_list.h"
#include "engine/priority_changes.h"
#include "engine/restraint_planner.h"
#include "platform/clock.h"
#include "platform/process_snapshot.h"

namespace kestrune {

struct RestrainedProgram {
  ProcessId process = 0;
  std::uint64_t started = 0;
  std::wstring name;
  std::wstring since;  // the time of day it was restrained
  bool throttled = false;
};

// One restraint or release, for the history.
struct RestraintChange {
  bool restrained = false;
  std::wstring name;
};

class BackgroundRestraint {
 public:
  struct Services {
    ProcessSnapshot& snapshot;
    ProcessApi& processes;
    PriorityChanges& changes;
    Clock& clock;
  };
  explicit BackgroundRestraint(Services services, RestraintRules rules = {}) : s_(services), planner_(rules) {}

  // One reading, once a second while acceleration and restraint are on. front: the process
  // acceleration acts for.
  const std::vector<RestraintChange>& Tick(ProcessId front, const ExcludeList* exclude);
  // A switch brought this process to the front: it and its descendants are no longer restrained.
  const std::vector<RestraintChange>& OnFront(ProcessId front);
  // Restraint ends (switched off, acceleration off, exit, log-off): every restrained program back,
  // and the next reading starts afresh: what happened during the pause was not measured.
  const std::vector<RestraintChange>& ReleaseAll();

  const std::vector<RestrainedProgram>& Restrained() const { return programs_; }

 private:
  void Restrain(const RestraintStep& step);
  void Release(ProcessId process, std::uint64_t started);

  Services s_;
  RestraintPlanner planner_;
  std::vector<ProcessSample> samples_;
  std::vector<RestrainedProgram> programs_;
  std::vector<RestraintChange> changes_;
  bool measuring_ = false;
  std::uint64_t lastIdle_ = 0, lastTotal_ = 0;
};

}  // namespace kestrune
