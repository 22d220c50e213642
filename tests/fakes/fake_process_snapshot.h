#pragma once
// The system's process list over the scripted desktop: each process uses a set share of a core,
// and each reading comes one second after the last.
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
    now = (++readings + 1) * 10'000'000ull;
    for (auto& [id, p] : api_.processes) {
      used[id] += static_cast<std::uint64_t>(cores[id] * 10'000'000);
      samples.push_back({id, p.started, used[id], 1, FileNameOf(p.path)});
    }
    return true;
  }
  std::uint32_t OwnSession() override { return 1; }
  unsigned ProcessorCount() override { return 2; }
  // The machine's times follow the processes' use: two processors, each second.
  bool MachineTimes(std::uint64_t& idle, std::uint64_t& total) override {
    double busy = 0;
    for (const auto& [id, c] : cores) busy += c;
    machineSeconds += 1;
    machineBusy += std::min(busy, 2.0);
    total = static_cast<std::uint64_t>(machineSeconds * 2 * 10'000'000);
    idle = total - static_cast<std::uint64_t>(machineBusy * 10'000'000);
    ++timeLooks;
    return true;
  }

  std::map<ProcessId, double> cores;  // what each process uses, in cores
  std::map<ProcessId, std::uint64_t> used;
  std::uint64_t readings = 0;
  double machineSeconds = 0, machineBusy = 0;
  int timeLooks = 0;

 private:
  FakeProcessApi& api_;
};

}  // namespace kestrune::testing
