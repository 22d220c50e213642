#include "engine/process_names.h"

#include "engine/exclude_list.h"

namespace kestrune {

std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process) {
  if (process == 0) return {};
  const ProcessApi::Handle handle = api.OpenProcess(access::kQueryLimited, process);
  if (handle == 0) return {};
  const std::wstring path = api.ExecutablePath(handle);
  api.CloseHandle(handle);
  return std::wstring(FileNameOf(path));
}

bool IsExcludedProcess(ProcessApi& api, ProcessId process, const ExcludeList& list) {
  // An empty list costs nothing: no process is opened for it.
  if (list.Empty()) return false;
  const std::wstring name = ExecutableNameOf(api, process);
  return !name.empty() && list.Contains(name);
}

}  // namespace kestrune
