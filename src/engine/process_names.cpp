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

}  // namespace kestrune
