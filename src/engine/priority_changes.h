#pragma once
// The one place through which the program changes another process's priority class. It knows each
// process it changed by id and start time, writes each change to the journal before making it, and
// gives back only a class that is still the one it set: a class the user or another tool chose since
// is theirs.
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/change_journal.h"
#include "platform/processes.h"
#include "platform/state_file.h"

namespace kestrune {

// What a changed process gets back, given what it is now: nothing unless it is still the very
// process (same start time) and still runs at the class that was set; then the class it had before
// with restoreOriginal, the normal class without. Nothing either when that is the class it has.
std::optional<std::uint32_t> GiveBackClass(const ChangeEntry& entry, std::uint64_t startedNow, std::uint32_t classNow,
                                           bool restoreOriginal);

// Ends the execution-speed throttling a restraint switched on, where it is still on; a process whose
// throttling cannot be read was never throttled.
void EndSpeedThrottling(ProcessApi& api, ProcessApi::Handle process);

// What a process must be for a change to be made: this start time, this class (0: any).
struct ChangeExpectation {
  std::uint64_t started = 0;
  std::uint32_t classNow = 0;
};

class PriorityChanges {
 public:
  PriorityChanges(ProcessApi& api, StateFile& journal) : api_(api), journal_(journal) {}

  // Gives the process the class, the change written to the journal first. Answers the class the
  // process has afterwards, read back (the system may give another class than the one asked for
  // and still report success), or 0 when the process could not be opened for the change or its
  // class not read. A process whose start time cannot be read is not changed: it could not be told
  // from a later process under the same id when it is given back.
  // With expect, only this very process (its start time) is changed, and only from that class: a
  // process someone already gave a class of their choosing keeps it.
  std::uint32_t Set(ProcessId process, std::uint32_t priorityClass, const ChangeExpectation& expect = {});

  // Gives back what Set did to this process, found by its id whatever became of its windows, and
  // forgets it. The journal follows at the next Set or Flush: an entry given back and still in the
  // journal is harmless, since the class it names is no longer the process's.
  void GiveBack(ProcessId process, bool restoreOriginal);
  void Flush();

  // Start-up: the changes an earlier run left in the journal (it was ended before it could give
  // them back) are given back, then the journal is cleared.
  void GiveBackLeftovers(bool restoreOriginal);

  const std::vector<ChangeEntry>& Held() const { return held_; }

 private:
  void GiveBackEntry(const ChangeEntry& entry, bool restoreOriginal);
  void WriteJournal();

  ProcessApi& api_;
  StateFile& journal_;
  std::vector<ChangeEntry> held_;
  bool dirty_ = false;
};

}  // namespace kestrune
