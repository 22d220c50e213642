#include "engine/priority_changes.h"

#include <algorithm>

namespace kestrune {

std::optional<std::uint32_t> GiveBackClass(const ChangeEntry& entry, std::uint64_t startedNow, std::uint32_t classNow,
                                           bool restoreOriginal) {
  // Ended, perhaps with its id given to a new process.
  if (startedNow == 0 || startedNow != entry.started) return std::nullopt;
  // Unreadable, or chosen by someone else since.
  if (classNow == 0 || classNow != entry.set) return std::nullopt;
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
  const auto it = std::find_if(held_.begin(), held_.end(), [&](const ChangeEntry& e) { return e.SameProcess(process, started); });
  return it == held_.end() ? nullptr : &*it;
}

SetOutcome PriorityChanges::Set(ProcessId process, std::uint32_t priorityClass, const ChangeExpectation& expect,
                                bool throttle) {
  if (process == 0) return {};
  const ProcessApi::Handle handle = api_.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle == 0) return {};
  const std::uint32_t classNow = api_.GetPriorityClass(handle);
  const std::uint64_t started = api_.StartTime(handle);
  const bool expected = started != 0 && (expect.started == 0 || started == expect.started) &&
                        (expect.classNow == 0 || classNow == expect.classNow);
  if (!expected || classNow == priorityClass) {
    api_.CloseHandle(handle);
    // A class the process has already was chosen before this program looked (in the task manager,
    // by the program itself) or set by an earlier change still held: either way nothing new is kept.
    return expected ? SetOutcome{classNow, started, false} : SetOutcome{};
  }
  // An entry under this id but another start time belongs to a process that has ended.
  std::erase_if(held_, [&](const ChangeEntry& e) { return e.process == process && e.started != started; });
  const ChangeEntry* earlier = HeldEntry(process, started);
  const std::optional<ChangeEntry> previous = earlier != nullptr ? std::optional(*earlier) : std::nullopt;
  const bool throttledBefore = previous && previous->throttled;
  const std::optional<ProcessApi::Throttling> throttling =
      throttle && !throttledBefore ? ThrottlingToSwitchOn(api_, handle) : std::nullopt;
  // Changed again before it was given back: the class it had before the first change stays its own,
  // and so does the throttling switched on then. The journal says what is about to be done.
  const ChangeEntry entry{process, started, previous ? previous->before : classNow, priorityClass,
                          throttledBefore || throttling.has_value()};
  if (previous)
    *HeldEntry(process, started) = entry;
  else
    held_.push_back(entry);
  WriteJournal();

  api_.SetPriorityClass(handle, priorityClass);
  const SetOutcome outcome = Settle(handle, previous, entry, classNow, throttling);
  api_.CloseHandle(handle);
  return outcome;
}

SetOutcome PriorityChanges::Settle(ProcessApi::Handle handle, const std::optional<ChangeEntry>& previous,
                                   const ChangeEntry& asked, std::uint32_t classNow,
                                   const std::optional<ProcessApi::Throttling>& throttling) {
  SetOutcome outcome{api_.GetPriorityClass(handle), asked.started, false};
  ChangeEntry* kept = HeldEntry(asked.process, asked.started);
  bool changed = false;
  if (outcome.obtained != 0 && outcome.obtained != asked.set) {
    if (outcome.obtained == classNow) {
      // Nothing changed: the process keeps what it had, and only an earlier change is held.
      if (previous)
        *kept = *previous;
      else
        held_.erase(held_.begin() + (kept - held_.data()));
      kept = nullptr;
    } else {
      kept->set = outcome.obtained;  // what a give-back must find to know the class is still the one set
    }
    changed = true;
  }
  if (throttling) {
    // Only with the class it belongs to, and recorded only where it was switched on.
    outcome.throttled = outcome.obtained == asked.set && api_.WriteThrottling(handle, *throttling);
    if (!outcome.throttled && kept != nullptr) {
      kept->throttled = false;
      changed = true;
    }
  }
  if (changed) WriteJournal();
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
  ChangeEntry* entry = HeldEntry(process, started);
  if (entry == nullptr) return;
  GiveBackEntry(*entry, restoreOriginal);
  std::erase_if(held_, [&](const ChangeEntry& e) { return e.SameProcess(process, started); });
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
  for (StateFile* file : {&journal_, earlier_}) {
    if (file == nullptr) continue;
    const std::string bytes = file->Read();
    if (bytes.empty()) continue;
    for (const ChangeEntry& entry : ParseJournal(bytes)) GiveBackEntry(entry, restoreOriginal);
    if (file == &journal_)
      WriteJournal();
    else
      file->Write({});
  }
}

void PriorityChanges::WriteJournal() {
  // A journal that cannot be written does not stop the change: without it a crash leaves the class
  // as every earlier version of the program did, and the switch still gives it back.
  dirty_ = !journal_.Write(FormatJournal(held_));
}

}  // namespace kestrune
