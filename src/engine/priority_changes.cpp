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

std::uint32_t PriorityChanges::Set(ProcessId process, std::uint32_t priorityClass, const ChangeExpectation& expect) {
  if (process == 0) return 0;
  const ProcessApi::Handle handle = api_.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle == 0) return 0;
  const std::uint32_t classNow = api_.GetPriorityClass(handle);
  const std::uint64_t started = api_.StartTime(handle);
  if (started == 0 || (expect.started != 0 && started != expect.started) ||
      (expect.classNow != 0 && classNow != expect.classNow)) {
    api_.CloseHandle(handle);
    return 0;
  }
  // An entry under this id but another start time belongs to a process that has ended.
  std::erase_if(held_, [&](const ChangeEntry& e) { return e.process == process && e.started != started; });
  const auto earlier = std::find_if(held_.begin(), held_.end(), [&](const ChangeEntry& e) { return e.process == process; });
  const std::optional<ChangeEntry> previous = earlier != held_.end() ? std::optional(*earlier) : std::nullopt;
  // Changed again before it was given back: the class it had before the first change stays its own.
  const ChangeEntry entry{process, started, previous ? previous->before : classNow, priorityClass};
  if (previous)
    *earlier = entry;
  else
    held_.push_back(entry);
  WriteJournal();

  api_.SetPriorityClass(handle, priorityClass);
  const std::uint32_t obtained = api_.GetPriorityClass(handle);
  api_.CloseHandle(handle);
  if (obtained != 0 && obtained != priorityClass) {
    auto it = std::find_if(held_.begin(), held_.end(), [&](const ChangeEntry& e) { return e.SameProcess(process, started); });
    if (obtained == classNow) {
      // Nothing changed: the process keeps what it had, and only an earlier change is held.
      if (previous)
        *it = *previous;
      else
        held_.erase(it);
    } else {
      it->set = obtained;  // what a give-back must find to know the class is still the one set
    }
    WriteJournal();
  }
  return obtained;
}

void PriorityChanges::GiveBackEntry(const ChangeEntry& entry, bool restoreOriginal) {
  const ProcessApi::Handle handle = api_.OpenProcess(access::kSetInformation | access::kQueryInformation, entry.process);
  if (handle == 0) return;
  const std::uint64_t started = api_.StartTime(handle);
  const std::uint32_t classNow = api_.GetPriorityClass(handle);
  if (const auto target = GiveBackClass(entry, started, classNow, restoreOriginal)) {
    // A restraint's throttling goes with its class.
    if (entry.set == priority::kBelowNormal) EndSpeedThrottling(api_, handle);
    api_.SetPriorityClass(handle, *target);
  }
  api_.CloseHandle(handle);
}

void PriorityChanges::GiveBack(ProcessId process, bool restoreOriginal) {
  for (const ChangeEntry& entry : held_)
    if (entry.process == process) GiveBackEntry(entry, restoreOriginal);
  if (std::erase_if(held_, [&](const ChangeEntry& e) { return e.process == process; }) != 0) dirty_ = true;
}

void PriorityChanges::Flush() {
  if (dirty_) WriteJournal();
}

void PriorityChanges::GiveBackLeftovers(bool restoreOriginal) {
  const std::string bytes = journal_.Read();
  if (bytes.empty()) return;
  for (const ChangeEntry& entry : ParseJournal(bytes)) GiveBackEntry(entry, restoreOriginal);
  WriteJournal();
}

void PriorityChanges::WriteJournal() {
  // A journal that cannot be written does not stop the change: without it a crash leaves the class
  // as every earlier version of the program did, and the switch still gives it back.
  dirty_ = !journal_.Write(FormatJournal(held_));
}

}  // namespace kestrune
