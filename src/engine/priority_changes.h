#pragma once
// The one place through which the program changes another process's priority class. It knows each
// process it changed by id and start time, writes each change to the journal before making it, and
// gives back only a class that is still the one it set: a class the user or another tool chose since
// is theirs.
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/change_journal.h"
#include "platform/processes.h"
#include "platform/state_file.h"

namespace kestrune {

// What a changed process gets back, given what it is now: nothing unless it is still the very
// process (same start time) and runs at a class the entry takes for this program's (ChangeEntry::
// Accepts); then the class it had before with restoreOriginal, the normal class without. Nothing
// either when that is the class it has.
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

// What a Set did: the class read back afterwards (0 when the process could not be opened for the
// change or its class not read), the start time that names the process for its give-back, and
// whether execution-speed throttling was switched on with the class.
struct SetOutcome {
  std::uint32_t obtained = 0;
  std::uint64_t started = 0;
  bool throttled = false;
};

// One change among several asked at once (SetAll), with what Set takes.
struct ChangeRequest {
  ProcessId process = 0;
  std::uint32_t priorityClass = 0;
  ChangeExpectation expect = {};
  bool throttle = false;
};

class PriorityChanges {
 public:
  // journal: this copy's own. earlier: journals whose leftovers the start-up gives back once and
  // then clears (this seat's where a run of the other kind keeps it, the one copies shared before).
  PriorityChanges(ProcessApi& api, StateFile& journal, std::vector<StateFile*> earlier = {})
      : api_(api), journal_(journal), earlier_(std::move(earlier)) {}

  // Gives the process the class, the change written to the journal first, and answers what it did.
  // The class is read back: the system may give another class than the one asked for and still
  // report success. A process that already has the class it would get is left as it is and no
  // change is kept: nothing is given back that this program did not do. A process whose start time
  // cannot be read is not changed: it could not be told from a later process under the same id when
  // it is given back.
  // With expect, only this very process (its start time) is changed, and only from that class: a
  // process someone already gave a class of their choosing keeps it.
  // throttle: execution-speed throttling too, through the same handle, where the system can read it
  // and nobody (the process itself included) has taken control of it, so that giving it back
  // restores exactly the state read.
  SetOutcome Set(ProcessId process, std::uint32_t priorityClass, const ChangeExpectation& expect = {},
                 bool throttle = false);
  // Several changes as Set makes each (a tick's lowerings, a program and the processes it started):
  // every change asked is in the journal, in one write, before the first is made, so that a tick
  // costs one write however many processes it changes. outcomes[i] answers requests[i]; a process
  // asked for twice is changed for the first request only. What was obtained is confirmed in the
  // journal by its next write.
  void SetAll(const std::vector<ChangeRequest>& requests, std::vector<SetOutcome>& outcomes);

  // Gives back what Set did to this very process (its id and start time), found by its id whatever
  // became of its windows, and forgets it; a later process under the same id keeps what it has.
  // The journal follows at the next Set or Flush: an entry given back and still in the journal is
  // harmless, since the class it names is no longer the process's.
  void GiveBack(ProcessId process, std::uint64_t started, bool restoreOriginal);
  // Ends the throttling Set switched on for this very process and keeps the rest of its change: a
  // raise has taken its class over since.
  void EndThrottling(ProcessId process, std::uint64_t started);
  void Flush();

  // Start-up: the changes an earlier run of this copy left in the journal (it was ended before it
  // could give them back), and those in the shared journal of an earlier version, are given back,
  // then the journals are cleared.
  void GiveBackLeftovers(bool restoreOriginal);

  // The change held for this very process; none when there is none.
  const ChangeEntry* Find(ProcessId process, std::uint64_t started) const;
  const std::vector<ChangeEntry>& Held() const { return held_; }

 private:
  // A change asked and about to be made, its process open.
  struct Pending {
    ProcessApi::Handle handle = 0;
    std::size_t request = 0;
    std::uint64_t started = 0;
    std::uint32_t classNow = 0;
    std::optional<ChangeEntry> previous;  // the change held before this one
    std::optional<ProcessApi::Throttling> throttling;
  };

  void GiveBackEntry(const ChangeEntry& entry, bool restoreOriginal);
  ChangeEntry* HeldEntry(ProcessId process, std::uint64_t started);
  void Hold(const ChangeEntry& entry);
  void Drop(ProcessId process);
  // Opens the process and, where it is to be changed, holds the change asked and keeps it open.
  void Prepare(const ChangeRequest& request, std::size_t index, SetOutcome& outcome);
  // The class read back after the change, and the throttling planned with it, settled in the entry.
  SetOutcome Settle(const Pending& pending, const ChangeRequest& request);
  void WriteJournal();

  ProcessApi& api_;
  StateFile& journal_;
  std::vector<StateFile*> earlier_;
  // One entry per process id: a later process under the same id replaces the entry of one that ended.
  std::vector<ChangeEntry> held_;
  std::unordered_map<ProcessId, std::size_t> index_;  // where each id's entry is in held_
  std::vector<Pending> pending_;
  std::vector<ChangeRequest> one_;
  std::vector<SetOutcome> oneOutcome_;
  bool dirty_ = false;
};

}  // namespace kestrune
