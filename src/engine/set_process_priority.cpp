#include "engine/set_process_priority.h"

namespace kestrune {

std::uint32_t SetProcessPriority(ProcessApi& api, ProcessId process, WindowHandle window,
                                 std::uint32_t priorityClass) {
  if (process == 0) process = window != 0 ? api.WindowProcess(window) : api.CurrentProcess();

  ProcessApi::Handle handle = api.OpenProcess(access::kSetInformation | access::kQueryInformation, process);
  if (handle != 0) {
    api.SetPriorityClass(handle, priorityClass);
  } else {
    // Protected or foreign processes: still report what class they run at.
    handle = api.OpenProcess(access::kQueryInformation, process);
  }
  if (handle == 0) return 0;
  const std::uint32_t result = api.GetPriorityClass(handle);
  api.CloseHandle(handle);
  return result;
}

}  // namespace kestrune
