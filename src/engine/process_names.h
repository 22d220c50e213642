#pragma once
// Which program a process runs: its executable's file name, and how two such names are told apart.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/processes.h"

namespace kestrune {

// The file name of the process's executable, empty when it cannot be read.
std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process);

// A character as file names compare it: the simple upper-case form of the Latin (with its
// supplements and extensions), Greek, Cyrillic, Armenian and full-width letters, as the file system's
// own case table has them; every other character is itself. A name in any script a user may type
// therefore finds the process the system runs under the other case.
wchar_t FoldedForNames(wchar_t c);

// Whether two executable names are the same program: without regard to case, as above.
bool SameProgramName(std::wstring_view a, std::wstring_view b);

// A hash of the name that two names SameProgramName calls equal share.
std::uint64_t ProgramNameHash(std::wstring_view name);

}  // namespace kestrune
