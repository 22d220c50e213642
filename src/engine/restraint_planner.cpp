#include "engine/restraint_planner.h"

#include <algorithm>

#include "engine/process_names.h"
#include "engine/program_decision.h"

namespace kestrune {
namespace {

// The programs the user relies on for every click, key and word, whoever started them, and those
// that must keep pace while they are behind: slowing any of them is felt at once, as a frozen
// desktop, lagging text, a reader that falls silent, a stream that drops frames or a voice that
// breaks up. Each group's reason is in the guide.
constexpr std::wstring_view kNeverRestrained[] = {
    // The shell and its hosts, the desktop window manager, the log-on and session managers.
    L"explorer.exe", L"dwm.exe", L"csrss.exe", L"winlogon.exe", L"wininit.exe", L"smss.exe", L"services.exe",
    L"lsass.exe", L"svchost.exe", L"sihost.exe", L"fontdrvhost.exe", L"ShellExperienceHost.exe",
    L"StartMenuExperienceHost.exe", L"SearchHost.exe", L"SearchApp.exe", L"ApplicationFrameHost.exe",
    L"RuntimeBroker.exe", L"taskmgr.exe", L"conhost.exe",
    // The audio engine: sound that stutters.
    L"audiodg.exe",
    // Input methods: Windows' text services and its own input methods' hosts, and third-party ones
    // (Google Japanese Input's converter and candidate window), which turn every key into text.
    L"ctfmon.exe", L"TextInputHost.exe", L"ChsIME.exe", L"IMEBroker.exe", L"GoogleIMEJaConverter.exe",
    L"GoogleIMEJaRenderer.exe",
    // Assistive tools: the magnifier, the screen readers (Narrator, NVDA, JAWS), the on-screen and
    // touch keyboards, speech recognition.
    L"Magnify.exe", L"Narrator.exe", L"nvda.exe", L"jfw.exe", L"osk.exe", L"TabTip.exe", L"sapisvr.exe",
    // Streaming, calls and audio work, which run behind the game or the document in front and lose
    // frames or drop out when held back: OBS Studio, Discord, Zoom, Microsoft Teams (the classic
    // and the new), the REAPER audio workstation.
    L"obs64.exe", L"Discord.exe", L"Zoom.exe", L"Teams.exe", L"msteams.exe", L"reaper.exe",
};

// The machine's use, in cores, from which on it counts as busy.
double BusyCores(unsigned cores, const RestraintThresholds& thresholds) {
  return std::min(thresholds.busyShare * static_cast<double>(std::max(cores, 1u)),
                  thresholds.busyCapCores * MachineScale(cores));
}

}  // namespace

double MachineScale(unsigned cores) { return std::max(1.0, static_cast<double>(cores) / 2.0); }

bool IsNeverRestrained(std::wstring_view executable) {
  const std::wstring_view name = FileNameOf(executable);
  return std::any_of(std::begin(kNeverRestrained), std::end(kNeverRestrained),
                     [name](std::wstring_view listed) { return SameProgramName(name, listed); });
}

bool MachineBusy(std::uint64_t idleDelta, std::uint64_t totalDelta, unsigned cores,
                 const RestraintThresholds& thresholds) {
  if (totalDelta == 0 || idleDelta > totalDelta) return false;
  // The times are summed over all processors: the busy share of the whole, in cores.
  const double busy = static_cast<double>(totalDelta - idleDelta) / static_cast<double>(totalDelta) *
                      static_cast<double>(std::max(cores, 1u));
  return busy >= BusyCores(cores, thresholds);
}

RestraintPlanner::RestraintPlanner(RestraintThresholds thresholds) : thresholds_(thresholds) {
  thresholds_.windowTicks = std::clamp(thresholds_.windowTicks, 1, RestraintThresholds::kMaxWindow);
}

void RestraintPlanner::Restart() {
  for (Track& track : tracks_) {
    track.used = {};
    track.usedSum = 0;
    track.lastTime = 0;
  }
  elapsed_ = {};
  machine_ = {};
  elapsedSum_ = machineSum_ = lastNow_ = 0;
  filled_ = slot_ = 0;
}

void RestraintPlanner::Advance(std::uint64_t elapsed) {
  slot_ = (slot_ + 1) % thresholds_.windowTicks;
  elapsedSum_ += elapsed - elapsed_[slot_];
  elapsed_[slot_] = elapsed;
  machineSum_ -= machine_[slot_];
  machine_[slot_] = 0;
  filled_ = std::min(filled_ + 1, thresholds_.windowTicks);
}

RestraintPlanner::Track* RestraintPlanner::Find(ProcessId process, std::uint64_t started) {
  auto it = std::lower_bound(tracks_.begin(), tracks_.end(), process,
                             [](const Track& track, ProcessId id) { return track.process < id; });
  if (it == tracks_.end() || it->process != process) return nullptr;
  return started == 0 || it->started == started ? &*it : nullptr;
}

void RestraintPlanner::Merge(const std::vector<ProcessSample>& samples, bool counted) {
  for (Track& track : tracks_) track.seen = false;
  // Samples and the tracks known before this reading are both sorted by id: one walk pairs them.
  // New processes go to the end and the tracks are sorted again afterwards.
  const std::size_t known = tracks_.size();
  std::size_t next = 0;
  const auto slot = static_cast<std::size_t>(slot_);
  std::uint64_t machine = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const ProcessSample& sample = samples[i];
    // Process 0 is the system's idle time, not work.
    if (sample.process == 0) continue;
    while (next < known && tracks_[next].process < sample.process) ++next;
    std::size_t index = next;
    // A new process, or a new one under an id whose old process has ended (that one stays unseen).
    if (next == known || tracks_[next].process != sample.process || tracks_[next].started != sample.started) {
      index = tracks_.size();
      Track fresh;
      fresh.process = sample.process;
      fresh.started = sample.started;
      fresh.lastTime = sample.processorTime;
      tracks_.push_back(fresh);
    }
    Track& track = tracks_[index];
    const std::uint64_t delta = sample.processorTime >= track.lastTime ? sample.processorTime - track.lastTime : 0;
    const bool front = frontMarks_[i] == InProgram::Yes;
    if (front || track.front) {
      // The user's program: what it did in front, and before, says nothing about it behind. Its
      // window starts again once it has left the front.
      track.used = {};
      track.usedSum = 0;
    } else if (counted) {
      track.usedSum += delta - track.used[slot];
      track.used[slot] = delta;
    }
    // The machine was busy with it all the same.
    if (counted) machine += delta;
    track.lastTime = sample.processorTime;
    track.name = sample.name;
    track.session = sample.session;
    track.seen = true;
    track.front = front;
  }
  if (!counted) return;
  machine_[slot] = machine;
  machineSum_ += machine;
}

bool RestraintPlanner::MayRestrain(const Track& track, const RestraintContext& context) const {
  // The program in front is the front process and its descendants: never only the process that owns
  // the window, never every process of the same name (another copy of it may be a hog).
  ProcessPlace place;
  place.frontTree = track.front || track.process == context.front;
  // Only the current user's processes are ours to lower; the rest of the machine counts as load.
  place.ours = track.session == context.session && track.process != context.self;
  place.hog = true;
  if (place.frontTree || !place.ours) return false;
  place.system = IsNeverRestrained(track.name);
  const ProgramRule* rule = context.rules != nullptr && !context.rules->Empty() ? context.rules->Find(track.name) : nullptr;
  return kestrune::Decide(rule, place, {SpeedLevel::Unknown, true}).treatment == Treatment::Restrained;
}

void RestraintPlanner::WeighTracks(const RestraintContext& context, unsigned cores) {
  const auto slot = static_cast<std::size_t>(slot_);
  const double window = static_cast<double>(elapsedSum_);
  const double tick = static_cast<double>(elapsed_[slot]);
  const double scale = MachineScale(cores);
  const bool busy = filled_ == thresholds_.windowTicks &&
                    static_cast<double>(machineSum_) >= BusyCores(cores, thresholds_) * window;
  const double quietUse = thresholds_.quietShare * scale * tick;
  // A restrained process that used little while the machine had room to spare chose to; one that
  // used little while the rest of the machine took every core was held back, and says nothing of
  // what it asks for (below normal, it runs only on a core nobody else wants).
  const double room = static_cast<double>(std::max(cores, 1u)) * tick - static_cast<double>(machine_[slot]);
  const bool roomToSpare = room >= quietUse;
  for (Track& track : tracks_) {
    if (track.restrained) {
      const bool quiet = roomToSpare && static_cast<double>(track.used[slot]) < quietUse;
      track.quietTicks = quiet ? track.quietTicks + 1 : 0;
      if (!track.seen || track.quietTicks >= thresholds_.quietTicksToRelease || !MayRestrain(track, context)) {
        track.restrained = false;
        steps_.push_back({RestraintStepKind::Release, track.process, track.started,
                          track.seen ? track.name : std::wstring_view{}});
      }
    } else if (track.refusedTicks > 0) {
      --track.refusedTicks;
    } else if (busy && track.seen && static_cast<double>(track.usedSum) >= thresholds_.hogShare * scale * window &&
               MayRestrain(track, context)) {
      steps_.push_back({RestraintStepKind::Restrain, track.process, track.started, track.name});
    }
  }
}

const std::vector<RestraintStep>& RestraintPlanner::Plan(std::vector<ProcessSample>& samples, std::uint64_t now,
                                                         unsigned cores, const RestraintContext& context,
                                                         std::optional<std::uint64_t> machineBusy) {
  steps_.clear();
  std::sort(samples.begin(), samples.end(),
            [](const ProcessSample& a, const ProcessSample& b) { return a.process < b.process; });
  const bool baseLine = lastNow_ == 0 || now <= lastNow_;
  if (!baseLine) Advance(now - lastNow_);
  lastNow_ = now;
  MarkProgramOf(samples, context.front, frontMarks_);
  Merge(samples, !baseLine);
  if (machineBusy && !baseLine) {
    std::uint64_t& machine = machine_[static_cast<std::size_t>(slot_)];
    machineSum_ += *machineBusy - machine;
    machine = *machineBusy;
  }
  std::sort(tracks_.begin(), tracks_.end(), [](const Track& a, const Track& b) {
    return a.process != b.process ? a.process < b.process : a.seen < b.seen;
  });
  if (!baseLine) WeighTracks(context, cores);
  // Ended processes are forgotten once their release (if any) has been asked for.
  tracks_.erase(std::remove_if(tracks_.begin(), tracks_.end(), [](const Track& track) { return !track.seen; }),
                tracks_.end());
  return steps_;
}

void RestraintPlanner::Restrained(ProcessId process, std::uint64_t started) {
  if (Track* track = Find(process, started)) {
    track->restrained = true;
    track->quietTicks = 0;
  }
}

void RestraintPlanner::Released(ProcessId process, std::uint64_t started) {
  if (Track* track = Find(process, started)) track->restrained = false;
}

void RestraintPlanner::Refused(ProcessId process, std::uint64_t started) {
  if (Track* track = Find(process, started)) track->refusedTicks = thresholds_.refusedTicks;
}

const std::vector<RestraintStep>& RestraintPlanner::ReleaseAll() {
  steps_.clear();
  for (Track& track : tracks_) {
    if (!track.restrained) continue;
    track.restrained = false;
    steps_.push_back({RestraintStepKind::Release, track.process, track.started, {}});
  }
  return steps_;
}

std::size_t RestraintPlanner::RestrainedCount() const {
  return static_cast<std::size_t>(
      std::count_if(tracks_.begin(), tracks_.end(), [](const Track& track) { return track.restrained; }));
}

}  // namespace kestrune
