#include "engine/priority_changes.h"

#include <utility>

namespace kestrune {

std::optional<std::uint32_t> GiveBackClass(const ChangeEntry& entry, std::uint64_t startedNow, std::uint32_t classNow,
                                           bool restoreOriginal) {
  // Ended, perhaps with its id given to a new process.
  if (startedNow == 0 || startedNow != entry.started) return std::nullopt;
  // Unreadable, chosen by someone else since, or never changed.
  if (!entry.Accepts(classNow)) return std::nullopt;
  const std::uint32_t target = restoreOriginal && entry.before != 0 ? entry.before : priority::kNormal;
  if (target == classNow) return std::nullopt;
  return target;
}

void EndSpeedThrottling(ProcessApi& api, ProcessApi::Handle process) {
  constexpr std::uint32_t speed = ProcessApi::kThrottleExecutionSpeed;
  ProcessApi::Throttling state;
  if (!api.ReadThrottling(process, state) || (state.controlMask & state.stateMask & speed) == 0) return;
  state.controlMask &= ~speed;
  state.stateMask &= ~speed;
  api.WriteThrottling(process, state);
}

namespace {

// The throttling state to switch on: where it can be read and nobody (the process itself included)
// has taken control of it, so that ending it later restores exactly the state read.
std::optional<ProcessApi::Throttling> ThrottlingToSwitchOn(ProcessApi& api, ProcessApi::Handle handle) {
  constexpr std::uint32_t speed = ProcessApi::kThrottleExecutionSpeed;
  ProcessApi::Throttling state;
  if (!api.ReadThrottling(handle, state) || (state.controlMask & speed) != 0) return std::nullopt;
  state.controlMask |= speed;
  state.stateMask |= speed;
  return state;
}

}  // namespace

ChangeEntry* PriorityChanges::HeldEntry(ProcessId process, std::uint64_t started) {
  return const_cast<ChangeEntry*>(std::as_const(*this).Find(process, started));
}

const ChangeEntry* PriorityChanges::Find(ProcessId process, std::uint64_t started) const {
  const auto it = index_.find(process);
  return it == index_.end() || held_[it->second].started != started ? nullptr : &held_[it->second];
}

void PriorityChanges::Hold(const ChangeEntry& entry) {
  const auto [it, added] = index_.try_emplace(entry.process, held_.size());
  if (added)
    held_.push_back(entry);
  else
    held_[it->second] = entry;
}

void PriorityChanges::Drop(ProcessId process) {
  const auto it = index_.find(process);
  if (it == index_.end()) return;
  const std::size_t at = it->second;
  index_.erase(it);
  // The last entry takes the place: no entry moves further, however many are dropped in a row.
  if (at + 1 != held_.size()) {
    held_[at] = held_.back();
    index_[held_[at].process] = at;
  }
  held_.pop_back();
}

SetOutcome PriorityChanges::Set(ProcessId process, std::uint32_t priorityClass, const ChangeExpectation& expect,
                                bool throttle) {
  one_.assign(1, ChangeRequest{process, priorityClass, expect, throttle});
  SetAll(one_, oneOutcome_);
  return oneOutcome_[0];
}

void PriorityChanges::SetAll(const std::vector<ChangeRequest>& requests, std::vector<SetOutcome>& outcomes) {
  outcomes.assign(requests.size(), SetOutcome{});
  pending_.clear();
  for (std::size_t i = 0; i < requests.size(); ++i) Prepare(requests[i], i, outcomes[i]);
  if (pending_.empty()) return;
  WriteJournal();
  for (const Pending& pending : pending_) {
    const ChangeRequest& request = requests[pending.request];
    api_.SetPriorityClass(pending.handle, request.priorityClass);
    outcomes[pending.request] = Settle(pending, request);
    api_.CloseHandle(pending.handle);
  }
  pending_.clear();
}

void PriorityChanges::Prepare(const ChangeRequest& request, std::size_t index, SetOutcome& outcome) {
  if (request.process == 0) return;
  // Only while a batch is made is an entry not confirmed: the process was asked for already.
  if (const auto it = index_.find(request.process); it != index_.end() && held_[it->second].asked != 0) return;
  const ProcessApi::Handle handle =
      api_.OpenProcess(access::kSetInformation | access::kQueryInformation, request.process);
  if (handle == 0) return;
  const std::uint32_t classNow = api_.GetPriorityClass(handle);
  const std::uint64_t started = api_.StartTime(handle);
  const ChangeExpectation& expect = request.expect;
  const bool expected = started != 0 && (expect.started == 0 || started == expect.started) &&
                        (expect.classNow == 0 || classNow == expect.classNow);
  if (!expected || classNow == request.priorityClass) {
    api_.CloseHandle(handle);
    // A class the process has already was chosen before this program looked (in the task manager,
    // by the program itself) or set by an earlier change still held: either way nothing new is kept.
    if (expected) outcome = SetOutcome{classNow, started, false};
    return;
  }
  // An entry under this id but another start time belongs to a process that has ended.
  if (const auto it = index_.find(request.process); it != index_.end() && held_[it->second].started != started)
    Drop(request.process);
  const ChangeEntry* earlier = HeldEntry(request.process, started);
  const std::optional<ChangeEntry> previous = earlier != nullptr ? std::optional(*earlier) : std::nullopt;
  const bool throttledBefore = previous && previous->throttled;
  std::optional<ProcessApi::Throttling> throttling =
      request.throttle && !throttledBefore ? ThrottlingToSwitchOn(api_, handle) : std::nullopt;
  // Changed again before it was given back: the class it had before the first change stays its own,
  // and so does the throttling switched on then. The journal says what is about to be asked, beside
  // the class set before, which the process keeps until the change is made.
  Hold(ChangeEntry{request.process, started, previous ? previous->before : classNow, previous ? previous->set : 0,
                   throttledBefore || throttling.has_value(), request.priorityClass});
  pending_.push_back(Pending{handle, index, started, classNow, previous, std::move(throttling)});
}

SetOutcome PriorityChanges::Settle(const Pending& pending, const ChangeRequest& request) {
  SetOutcome outcome{api_.GetPriorityClass(pending.handle), pending.started, false};
  ChangeEntry* kept = HeldEntry(request.process, pending.started);
  const ChangeEntry asked = *kept;
  if (outcome.obtained != 0 && outcome.obtained == pending.classNow) {
    // Nothing changed: the process keeps what it had, and only an earlier change is held. The line
    // that asked takes neither that class nor the class before for this program's.
    if (pending.previous)
      *kept = *pending.previous;
    else
      Drop(request.process);
    kept = nullptr;
  } else {
    // What a give-back must find to know the class is still the one set; unread, the class asked.
    kept->set = outcome.obtained != 0 ? outcome.obtained : request.priorityClass;
    kept->asked = 0;
    // A class the line that asked would not take for this program's cannot wait for the next write.
    if (!asked.Accepts(kept->set)) dirty_ = true;
  }
  if (pending.throttling) {
    // Only with the class it belongs to, and recorded only where it was switched on.
    outcome.throttled =
        outcome.obtained == request.priorityClass && api_.WriteThrottling(pending.handle, *pending.throttling);
    if (!outcome.throttled && kept != nullptr) {
      kept->throttled = false;
      dirty_ = true;
    }
  }
  return outcome;
}

void PriorityChanges::GiveBackEntry(const ChangeEntry& entry, bool restoreOriginal) {
  const ProcessApi::Handle handle = api_.OpenProcess(access::kSetInformation | access::kQueryInformation, entry.process);
  if (handle == 0) return;
  const std::uint64_t started = api_.StartTime(handle);
  const std::uint32_t classNow = api_.GetPriorityClass(handle);
  // The throttling this program switched on is its own to end, whoever chose the class since; one
  // the process switched on itself is never touched.
  if (entry.throttled && started != 0 && started == entry.started) EndSpeedThrottling(api_, handle);
  if (const auto target = GiveBackClass(entry, started, classNow, restoreOriginal)) api_.SetPriorityClass(handle, *target);
  api_.CloseHandle(handle);
}

void PriorityChanges::GiveBack(ProcessId process, std::uint64_t started, bool restoreOriginal) {
  const ChangeEntry* entry = HeldEntry(process, started);
  if (entry == nullptr) return;
  GiveBackEntry(*entry, restoreOriginal);
  Drop(process);
  dirty_ = true;
}

void PriorityChanges::EndThrottling(ProcessId process, std::uint64_t started) {
  ChangeEntry* entry = HeldEntry(process, started);
  if (entry == nullptr || !entry->throttled) return;
  const ProcessApi::Handle handle = api_.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle != 0) {
    if (api_.StartTime(handle) == started) EndSpeedThrottling(api_, handle);
    api_.CloseHandle(handle);
  }
  entry->throttled = false;
  dirty_ = true;
}

void PriorityChanges::Flush() {
  if (dirty_) WriteJournal();
}

void PriorityChanges::GiveBackLeftovers(bool restoreOriginal) {
  const std::string own = journal_.Read();
  for (const ChangeEntry& entry : ParseJournal(own)) GiveBackEntry(entry, restoreOriginal);
  if (!own.empty()) WriteJournal();
  for (StateFile* file : earlier_) {
    const std::string bytes = file->Read();
    if (bytes.empty()) continue;
    for (const ChangeEntry& entry : ParseJournal(bytes)) GiveBackEntry(entry, restoreOriginal);
    // Where this copy may not write (a journal an elevated run left in Program Files) the file stays,
    // and the next start gives back again only what still runs at a class it set.
    file->Write({});
  }
}

void PriorityChanges::WriteJournal() {
  // A journal that cannot be written does not stop the change: without it a crash leaves the class
  // as every earlier version of the program did, and the switch still gives it back.
  dirty_ = !journal_.Write(FormatJournal(held_));
}

}  // namespace kestrune
