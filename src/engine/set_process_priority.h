#pragma once
#include <cstdint>

#include "platform/processes.h"

namespace kestrune {

// Sets the priority class of a process (given by id, or by a window it owns, or the program itself
// when both are 0) and gives back the class the process has afterwards, or 0 when it could not be
// opened at all. A process that refuses set rights is only read through a query-only handle.
std::uint32_t SetProcessPriority(ProcessApi& api, ProcessId process, WindowHandle window,
                                 std::uint32_t priorityClass);

}  // namespace kestrune
