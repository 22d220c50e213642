#pragma once
// The programs behind that the restraint or a rule holds lowered, in the order they were lowered (the
// state page's), each found by its id and start time at once: a tick that lowers or lets go of
// thousands of processes stays linear in their number.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/types.h"

namespace kestrune {

struct RestrainedProgram {
  ProcessId process = 0;
  std::uint64_t started = 0;
  std::wstring name;
  std::wstring since;  // the time of day it was lowered
  bool throttled = false;
};

// A process for good: its id and its start time.
struct ProcessKey {
  ProcessId process = 0;
  std::uint64_t started = 0;
  friend bool operator==(const ProcessKey&, const ProcessKey&) = default;
};

struct ProcessKeyHash {
  std::size_t operator()(const ProcessKey& key) const {
    return static_cast<std::size_t>((key.started * 0x9E3779B97F4A7C15ull) ^ key.process);
  }
};

class HeldPrograms {
 public:
  RestrainedProgram* Find(ProcessId process, std::uint64_t started);
  void Add(RestrainedProgram program);
  // Let go: found no more at once, and gone from All at the next Compact, so that letting many go
  // moves each of the others once.
  void Remove(const RestrainedProgram& program);
  void Compact();

  // Valid after Compact.
  const std::vector<RestrainedProgram>& All() const { return programs_; }
  bool Empty() const { return index_.empty(); }

 private:
  std::vector<RestrainedProgram> programs_;
  std::unordered_map<ProcessKey, std::size_t, ProcessKeyHash> index_;
};

}  // namespace kestrune
