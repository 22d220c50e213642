#pragma once
// Giving back what was taken: the class a process had before the cycle raised it, and the two
// priority changes of a switch that use it.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/processes.h"

namespace kestrune {

// The class of the one process the cycle holds raised, named by its id and its start time so
// that a new process under a reused id never receives an old class. It holds one entry at most:
// the cycle raises one process at a time, and each give-back forgets what it gave (a process that
// ended is forgotten at the next switch, when its give-back finds it gone).
class PriorityMemory {
 public:
  void Remember(ProcessId process, std::uint64_t started, std::uint32_t priorityClass) {
    entry_ = Entry{process, started, priorityClass};
  }
  // The class remembered for exactly this process; none for another one, even under the same id.
  std::optional<std::uint32_t> Recall(ProcessId process, std::uint64_t started) const {
    if (!entry_ || entry_->process != process || entry_->started != started || started == 0) return std::nullopt;
    return entry_->priorityClass;
  }
  void Forget() { entry_.reset(); }
  bool Empty() const { return !entry_; }

 private:
  struct Entry {
    ProcessId process;
    std::uint64_t started;
    std::uint32_t priorityClass;
  };
  std::optional<Entry> entry_;
};

// Raises a process and remembers the class it had (when it could be read) before the raise.
// The same opens as SetProcessPriority: set and query rights, else query only and no change.
void RaiseRemembering(ProcessApi& api, ProcessId process, std::uint32_t priorityClass, PriorityMemory& memory);

// Puts a raised process back: to its remembered class when restoreOriginal is on and the memory
// holds this very process, otherwise to the normal class. The memory is empty afterwards.
// window: the window the process was found by; without restoreOriginal this is exactly
// SetProcessPriority(process, window, normal), opens and all.
void GiveBack(ProcessApi& api, ProcessId process, WindowHandle window, bool restoreOriginal, PriorityMemory& memory);

// The file name of the process's executable, empty when it cannot be read.
std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process);

}  // namespace kestrune
