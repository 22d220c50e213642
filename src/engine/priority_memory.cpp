#include "engine/priority_memory.h"

#include "engine/exclude_list.h"
#include "engine/set_process_priority.h"

namespace kestrune {

void RaiseRemembering(ProcessApi& api, ProcessId process, std::uint32_t priorityClass, PriorityMemory& memory) {
  const ProcessApi::Handle handle = api.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle == 0) {
    // Not ours to change: nothing raised, nothing to remember.
    memory.Forget();
    return;
  }
  const std::uint32_t before = api.GetPriorityClass(handle);
  const std::uint64_t started = api.StartTime(handle);
  if (before != 0 && started != 0)
    memory.Remember(process, started, before);
  else
    memory.Forget();
  api.SetPriorityClass(handle, priorityClass);
  api.CloseHandle(handle);
}

void GiveBack(ProcessApi& api, ProcessId process, WindowHandle window, bool restoreOriginal, PriorityMemory& memory) {
  if (!restoreOriginal) {
    memory.Forget();
    SetProcessPriority(api, process, window, priority::kNormal);
    return;
  }
  const ProcessApi::Handle handle = api.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle != 0) {
    const std::optional<std::uint32_t> remembered = memory.Recall(process, api.StartTime(handle));
    api.SetPriorityClass(handle, remembered.value_or(priority::kNormal));
    api.CloseHandle(handle);
  }
  memory.Forget();
}

std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process) {
  if (process == 0) return {};
  const ProcessApi::Handle handle = api.OpenProcess(access::kQueryLimited, process);
  if (handle == 0) return {};
  const std::wstring path = api.ExecutablePath(handle);
  api.CloseHandle(handle);
  return std::wstring(FileNameOf(path));
}

}  // namespace kestrune
