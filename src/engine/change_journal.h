#pragma once
// The journal of the changes the program has made to other processes and not yet given back. It is
// written before each change, so that a copy that was ended by a crash, the task manager or a power
// loss leaves behind what the next start must give back.
//
// One line per change: process id, start time, class before, class set and whether execution-speed
// throttling was switched on with it (0 or 1), in decimal, separated by one blank, then a blank and
// the eight lower-case hexadecimal digits of a checksum over the text before it, and a line feed.
// A line without the throttling field (as earlier versions wrote them) reads as not throttled. A
// line that does not read exactly so (torn by a write that did not finish, or not ours) is passed
// over; the other lines still count.
//
// Each copy of the program keeps a journal of its own, named after the seat it runs in (the machine
// and the log-on session), so that two copies started from one folder in two sessions never read,
// clear or overwrite each other's changes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kestrune {

// One change: which process (id and start time, which together name one process for good), the
// class it had before the first change and the class it was given.
struct ChangeEntry {
  ProcessId process = 0;
  std::uint64_t started = 0;
  std::uint32_t before = 0;
  std::uint32_t set = 0;
  // Execution-speed throttling was switched on by this program with the change: only then is it
  // switched off again. A process may have switched it on itself (a browser's efficiency mode).
  bool throttled = false;

  bool SameProcess(ProcessId id, std::uint64_t start) const { return process == id && started == start; }
  friend bool operator==(const ChangeEntry&, const ChangeEntry&) = default;
};

std::string FormatJournal(const std::vector<ChangeEntry>& entries);
std::vector<ChangeEntry> ParseJournal(std::string_view bytes);
// One line without its line feed; none when it does not read exactly as a line of the journal.
std::optional<ChangeEntry> ParseJournalLine(std::string_view line);

// Where this seat's journal lives: beside the settings file, in the folder that holds it, under a
// name made from the seat (a text that tells this machine and log-on session from any other that
// may start a copy from the same folder, another Wine prefix too).
std::wstring JournalFilePath(std::wstring_view settingsFolder, std::wstring_view seat);
// The journal every copy shared before each seat had its own: read once at start-up for what an
// earlier version left, then removed.
std::wstring SharedJournalFilePath(std::wstring_view settingsFolder);

}  // namespace kestrune
