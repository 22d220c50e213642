#pragma once
// The journal of the changes the program has made to other processes and not yet given back. It is
// written before each change, so that a copy that was ended by a crash, the task manager or a power
// loss leaves behind what the next start must give back.
//
// One line per change: process id, start time, class before, class set, in decimal, separated by
// one blank, then a blank and the eight lower-case hexadecimal digits of a checksum over the text
// before it, and a line feed. A line that does not read exactly so (torn by a write that did not
// finish, or not ours) is passed over; the other lines still count.
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

  bool SameProcess(ProcessId id, std::uint64_t start) const { return process == id && started == start; }
  friend bool operator==(const ChangeEntry&, const ChangeEntry&) = default;
};

std::string FormatJournal(const std::vector<ChangeEntry>& entries);
std::vector<ChangeEntry> ParseJournal(std::string_view bytes);
// One line without its line feed; none when it does not read exactly as a line of the journal.
std::optional<ChangeEntry> ParseJournalLine(std::string_view line);

// Where the journal lives: beside the settings file, in the folder that holds it.
std::wstring JournalFilePath(std::wstring_view settingsFolder);

}  // namespace kestrune
