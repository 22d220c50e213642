#pragma once
// The system's process list over the scripted desktop: each process uses a set share of a core (below
// normal, what a busy machine leaves it); each reading comes a second after the last one or a Pass.
#include <algorithm>
#include <map>
#include <vector>

#include "engine/exclude_list.h"
#include "fakes/fake_processes.h"
#include "platform/process_snapshot.h"

namespace kestrune::testing {

class FakeProcessSnapshot : public ProcessSnapshot {
 public:
  explicit FakeProcessSnapshot(FakeProcessApi& api) : api_(api) {}
  bool Take(std::vector<ProcessSample>& samples, std::uint64_t& now) override {
    samples.clear();
    now = (++readings + 1 + passed) * 10'000'000ull;
    for (auto& [id, p] : api_.processes) {
      used[id] += static_cast<std::uint64_t>(Use(id) * 10'000'000);
      const auto session = sessions.find(id);
      samples.push_back({id, p.started, used[id], session == sessions.end() ? 1u : session->second, FileNameOf(p.path),
                         p.parent});
    }
    return true;
  }
  // Seconds in which the processes work as set and nobody looks (restraint switched off).
  void Pass(std::uint64_t seconds) {
    for (auto& [id, p] : api_.processes) used[id] += static_cast<std::uint64_t>(Use(id) * static_cast<double>(seconds) * 10'000'000);
    passed += seconds;
    machineSeconds += static_cast<double>(seconds);
    machineBusy += std::min(Busy(), 2.0) * static_cast<double>(seconds);
  }
  std::uint32_t OwnSession() override { return 1; }
  unsigned ProcessorCount() override { return 2; }
  // The machine's times follow the processes' use: two processors, each second.
  bool MachineTimes(std::uint64_t& idle, std::uint64_t& total) override {
    machineSeconds += 1;
    machineBusy += std::min(Busy(), 2.0);
    total = static_cast<std::uint64_t>(machineSeconds * 2 * 10'000'000);
    idle = total - static_cast<std::uint64_t>(machineBusy * 10'000'000);
    ++timeLooks;
    return true;
  }

  std::map<ProcessId, double> cores;  // what each process uses, in cores
  std::map<ProcessId, double> coresWhenLowered;  // what it gets at the below-normal class, where set
  std::map<ProcessId, std::uint32_t> sessions;  // the session each runs in where it is not this user's (1)
  std::map<ProcessId, std::uint64_t> used;
  std::uint64_t readings = 0, passed = 0;
  double machineSeconds = 0, machineBusy = 0;
  int timeLooks = 0;

 private:
  double Use(ProcessId id) const {
    const bool low = coresWhenLowered.contains(id) && api_.ClassOf(id) == priority::kBelowNormal;
    return low ? coresWhenLowered.at(id) : cores.contains(id) ? cores.at(id) : 0.0;
  }
  double Busy() const {
    double busy = 0;
    for (const auto& [id, c] : cores) busy += Use(id);
    return busy;
  }
  FakeProcessApi& api_;
};

}  // namespace kestrune::testing
