#include "engine/held_programs.h"

#include <algorithm>
#include <utility>

namespace kestrune {

RestrainedProgram* HeldPrograms::Find(ProcessId process, std::uint64_t started) {
  const auto it = index_.find({process, started});
  return it == index_.end() ? nullptr : &programs_[it->second];
}

void HeldPrograms::Add(RestrainedProgram program) {
  if (!index_.try_emplace({program.process, program.started}, programs_.size()).second) return;
  programs_.push_back(std::move(program));
}

void HeldPrograms::Remove(const RestrainedProgram& program) {
  const auto it = index_.find({program.process, program.started});
  if (it == index_.end()) return;
  // Id 0 is no process of the list: what Compact takes out.
  programs_[it->second].process = 0;
  index_.erase(it);
}

void HeldPrograms::Compact() {
  if (programs_.size() == index_.size()) return;
  std::erase_if(programs_, [](const RestrainedProgram& program) { return program.process == 0; });
  index_.clear();
  for (std::size_t i = 0; i < programs_.size(); ++i) index_[{programs_[i].process, programs_[i].started}] = i;
}

}  // namespace kestrune
