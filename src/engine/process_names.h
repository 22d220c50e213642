#pragma once
// Which program a process runs: its executable's file name, and whether the exclusion list names it.
#include <string>

#include "platform/processes.h"

namespace kestrune {

// The file name of the process's executable, empty when it cannot be read.
std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process);

// Whether the process's executable is in the list; a process whose name cannot be read is not.
class ExcludeList;
bool IsExcludedProcess(ProcessApi& api, ProcessId process, const ExcludeList& list);

}  // namespace kestrune
