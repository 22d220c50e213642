#pragma once
// Which background programs hog the processor while the user works in front, and when they have
// calmed down: the decisions of the background restraint, taken from one reading of every
// process's processor time a second. The planner opens no process and changes nothing; whoever
// carries its steps out tells it which restraints were made.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/program_rules.h"
#include "engine/program_tree.h"
#include "platform/process_snapshot.h"

namespace kestrune {

// The defaults and why they are what they are: docs/architecture.md, "Background restraint". The
// figures in cores are those of a machine of two; a larger one scales them by its number of cores
// over two (MachineScale), so that they stay the same share of the machine.
struct RestraintThresholds {
  static constexpr int kMaxWindow = 8;
  int windowTicks = 5;            // readings a process's use is averaged over
  double hogShare = 0.25;         // a hog's use over the window, in cores
  double busyShare = 0.4;         // the machine's use that counts as busy, as a share of all cores...
  double busyCapCores = 0.75;     // ...but never more than three quarters of one core
  double quietShare = 0.1;        // use below this in one reading counts as quiet, in cores
  int quietTicksToRelease = 10;   // quiet readings in a row before a restrained process is let go
  int refusedTicks = 30;          // readings a process that could not be restrained is left alone
};

// How many machines of two cores this one is worth; one at least.
double MachineScale(unsigned cores);

enum class RestraintStepKind { Restrain, Release };

struct RestraintStep {
  RestraintStepKind kind;
  ProcessId process;
  std::uint64_t started;
  std::wstring_view name;  // empty for a process that has ended; valid until the next reading
};

struct RestraintContext {
  // The process acceleration acts for now (a store app's, not its frame's): it and its descendants
  // are the program in front.
  ProcessId front = 0;
  ProcessId self = 0;
  std::uint32_t session = 0;
  // The rules per program: a program left alone, never restrained or kept low by its rule is not the
  // restraint's to lower (Decide). Null: none.
  const ProgramRules* rules = nullptr;
};

// Whether the machine was busy between two looks at its times (MachineTimes: idle and whole time
// over all processors), by the same measure the planner uses for its window.
bool MachineBusy(std::uint64_t idleDelta, std::uint64_t totalDelta, unsigned cores,
                 const RestraintThresholds& thresholds = {});

// The programs the restraint never lowers, whatever they use: the system's own interactive
// processes, slowing any of which is felt as a frozen desktop, and the programs that must keep pace
// behind (streaming, calls, audio work).
bool IsNeverRestrained(std::wstring_view executable);

class RestraintPlanner {
 public:
  explicit RestraintPlanner(RestraintThresholds thresholds = {});
  const RestraintThresholds& Thresholds() const { return thresholds_; }

  // Weighs one reading (samples are sorted in place) taken at now (100 ns units, a clock that only
  // moves forward) on a machine of cores processors, and answers the steps to take. The first
  // reading only sets the base line, and so does one whose time has not moved on: nothing is
  // counted over no time. What a process used while it was part of the program in front (at either
  // end of a reading), or before, never counts towards a hog: a game is busy while the user plays
  // it, and says nothing of what it does behind.
  // machineBusy: the processor time the whole machine used since the last reading, where the system
  // tells it (MachineTimes); without it the samples' sum stands for it, which misses any work the
  // list does not show.
  const std::vector<RestraintStep>& Plan(std::vector<ProcessSample>& samples, std::uint64_t now, unsigned cores,
                                         const RestraintContext& context,
                                         std::optional<std::uint64_t> machineBusy = std::nullopt);

  // Each sample of the last reading, in the order Plan sorted them: whether it is part of the program
  // in front.
  const std::vector<InProgram>& FrontMarks() const { return frontMarks_; }

  // The answers to a Restrain step: it was made, or the process could not or must not be lowered
  // (not ours to open, a class someone chose) and is left alone for a while.
  void Restrained(ProcessId process, std::uint64_t started);
  void Refused(ProcessId process, std::uint64_t started);
  // A restraint let go of outside the planner's steps (its program came to the front): the process
  // is judged afresh from the next reading on.
  void Released(ProcessId process, std::uint64_t started);

  // Every restrained process, each marked free: restraint ends (switched off, acceleration off, exit).
  const std::vector<RestraintStep>& ReleaseAll();
  // Forgets every reading, as after a pause in which nothing was measured.
  void Restart();

  std::size_t RestrainedCount() const;

 private:
  struct Track {
    ProcessId process = 0;
    std::uint64_t started = 0;
    std::uint64_t lastTime = 0;
    std::array<std::uint64_t, RestraintThresholds::kMaxWindow> used{};
    std::uint64_t usedSum = 0;
    std::wstring_view name;
    std::uint32_t session = 0;
    int quietTicks = 0;
    int refusedTicks = 0;
    bool restrained = false;
    bool seen = false;
    bool front = false;  // part of the program in front at the last reading
  };

  void Advance(std::uint64_t elapsed);
  // counted: the reading spans time, so its use enters the window.
  void Merge(const std::vector<ProcessSample>& samples, bool counted);
  void WeighTracks(const RestraintContext& context, unsigned cores);
  bool MayRestrain(const Track& track, const RestraintContext& context) const;
  Track* Find(ProcessId process, std::uint64_t started);

  RestraintThresholds thresholds_;
  std::vector<Track> tracks_;  // sorted by process id
  std::vector<RestraintStep> steps_;
  std::vector<InProgram> frontMarks_;  // per sample of the reading: part of the program in front
  std::array<std::uint64_t, RestraintThresholds::kMaxWindow> elapsed_{};
  std::array<std::uint64_t, RestraintThresholds::kMaxWindow> machine_{};
  std::uint64_t elapsedSum_ = 0;
  std::uint64_t machineSum_ = 0;
  std::uint64_t lastNow_ = 0;
  int filled_ = 0;
  int slot_ = 0;
};

}  // namespace kestrune
