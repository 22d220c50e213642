#pragma once
// The journal of the changes the program has made to other processes and not yet given back. Each
// change is in it before it is made, so that a copy that was ended by a crash, the task manager or a
// power loss at any moment leaves behind what the next start must give back.
//
// A change is recorded in two steps. Before the call, its line says what is asked; once the class
// has been read back, a later write confirms what was obtained. Until then the process may still
// hold what it had, or already the class asked, or the class the system gave instead (real-time
// answered with high). The line takes the class set before, the class asked and the one given
// instead for this program's, never the class the process had before the first change (then nothing
// was done to it yet), and the next start gives back that class before the first change whichever
// it finds. A confirmation is not worth a write of its own: it rides on the next write, since the
// line that asked is already safe.
//
// One line per change, in decimal, separated by one blank: process id, start time, class before the
// first change, class set (0: none confirmed yet), whether execution-speed throttling was switched on
// with it (0 or 1), and, only while the change is not confirmed, the class asked; then a blank, the
// eight lower-case hexadecimal digits of a checksum over the text before it, and a line feed. A
// confirmed line is exactly what earlier versions wrote; one of four fields (the versions before
// throttling) reads as not throttled. A line that does not read exactly so (torn by a write that did
// not finish, or not ours) is passed over; the other lines still count.
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
// class it had before the first change, the class it was given and, until that is confirmed, the
// class asked.
struct ChangeEntry {
  ProcessId process = 0;
  std::uint64_t started = 0;
  std::uint32_t before = 0;
  std::uint32_t set = 0;
  // Execution-speed throttling was switched on by this program with the change: only then is it
  // switched off again. A process may have switched it on itself (a browser's efficiency mode).
  bool throttled = false;
  // The class asked for by a change not yet confirmed; 0 once the class read back is in set.
  std::uint32_t asked = 0;

  // Whether a process at this class may hold it from this program: the class set and, until the
  // change is confirmed, the class asked or the one the system gives instead; never the class it had
  // before the first change, nor one that could not be read.
  bool Accepts(std::uint32_t classNow) const;
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

// The journals a start reads. own: this seat's where the settings are kept now. earlier: those it
// gives back what they hold and then clears: this seat's in the other folder the settings may be
// kept in (a copy in Program Files keeps them beside itself when run elevated and in the user's
// folder when not, so a crash in one leaves its journal where a run of the other kind does not
// look), and the journal every copy shared before, in each folder. userFolder empty: unknown.
struct StartJournals {
  std::wstring own;
  std::vector<std::wstring> earlier;
};
StartJournals JournalsAtStart(std::wstring_view settingsFolder, std::wstring_view programFolder,
                              std::wstring_view userFolder, std::wstring_view seat);

}  // namespace kestrune
