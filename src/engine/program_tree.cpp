#include "engine/program_tree.h"

#include <algorithm>

namespace kestrune {
namespace {

// Deeper than any real chain of parents; it also ends a loop that reused ids could make.
constexpr std::size_t kDeepest = 64;

const ProcessSample* Find(const std::vector<ProcessSample>& sorted, ProcessId process) {
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), process,
                                   [](const ProcessSample& s, ProcessId id) { return s.process < id; });
  return it != sorted.end() && it->process == process ? &*it : nullptr;
}

// The parent that really started this process, or none.
const ProcessSample* ParentOf(const std::vector<ProcessSample>& sorted, const ProcessSample& child) {
  if (child.parent == 0 || child.parent == child.process) return nullptr;
  const ProcessSample* parent = Find(sorted, child.parent);
  return parent != nullptr && parent->started <= child.started ? parent : nullptr;
}

}  // namespace

void MarkProgramOf(const std::vector<ProcessSample>& sorted, ProcessId root, std::vector<InProgram>& marks) {
  marks.assign(sorted.size(), root == 0 ? InProgram::No : InProgram::Unknown);
  if (root == 0) return;
  std::size_t path[kDeepest];
  for (std::size_t first = 0; first < sorted.size(); ++first) {
    // Up the parents until a process already marked, the root or the top; everything on the way
    // shares the answer, so every process is walked over once.
    std::size_t depth = 0;
    InProgram verdict = InProgram::No;
    for (const ProcessSample* at = &sorted[first]; at != nullptr; at = ParentOf(sorted, *at)) {
      const auto index = static_cast<std::size_t>(at - sorted.data());
      if (marks[index] != InProgram::Unknown) {
        verdict = marks[index];
        break;
      }
      if (depth == kDeepest) break;
      path[depth++] = index;
      if (at->process == root) {
        verdict = InProgram::Yes;
        break;
      }
    }
    for (std::size_t i = 0; i < depth; ++i) marks[path[i]] = verdict;
  }
}

bool InProgramOf(const std::vector<ProcessSample>& sorted, ProcessId process, std::uint64_t started, ProcessId root) {
  const ProcessSample* at = Find(sorted, process);
  if (at == nullptr || at->started != started) return false;
  for (std::size_t depth = 0; at != nullptr && depth < kDeepest; ++depth, at = ParentOf(sorted, *at))
    if (at->process == root) return true;
  return false;
}

}  // namespace kestrune
