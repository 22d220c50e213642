#pragma once
// Which program a process runs: its executable's file name.
#include <string>

#include "platform/processes.h"

namespace kestrune {

// The file name of the process's executable, empty when it cannot be read.
std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process);

}  // namespace kestrune
