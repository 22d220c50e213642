#pragma once
// Which processes make up the program the user works in: the process in front and its descendants.
// A browser's window belongs to one process while its children of the same executable decode the
// video and run the pages; a build started from a terminal runs in descendants of the shell. Found
// through the parent each process names in the process list; a parent's id may have been given to
// a later process since, and a process started before its "parent" is not its child.
#include <cstdint>
#include <vector>

#include "platform/process_snapshot.h"

namespace kestrune {

enum class InProgram : std::uint8_t { Unknown, Yes, No };

// For samples sorted by process id, one mark each: whether it belongs to root's program. marks is
// reused from reading to reading.
void MarkProgramOf(const std::vector<ProcessSample>& sorted, ProcessId root, std::vector<InProgram>& marks);

// Whether this very process (its id and start time) belongs to root's program, by the same rule.
bool InProgramOf(const std::vector<ProcessSample>& sorted, ProcessId process, std::uint64_t started, ProcessId root);

}  // namespace kestrune
