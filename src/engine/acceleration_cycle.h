#pragma once
// The once-a-second foreground watch: on every change of the foreground window the previous
// owner goes back to the normal class and the new owner is raised by the chosen speed level.
// The tick is given the settings it depends on and says what the window should show and record;
// it reads no control itself.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/acting_process.h"
#include "engine/priority_changes.h"
#include "engine/program_decision.h"
#include "engine/program_rules.h"
#include "platform/code_page.h"
#include "platform/processes.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

// The title is bounded as a 255-byte buffer in the ANSI code page bounds it: at most 254 bytes' worth
// of title there. Its characters stay Unicode, so a title the code page cannot spell still reads.
inline constexpr std::size_t kTitleBytes = 254;

struct AccelerationState {
  WindowHandle current = 0;
  WindowHandle previous = 0;
  std::int32_t switchCount = 0;
  // The current window's process was not raised: its program's rule leaves it alone in front.
  bool currentLeftAlone = false;
  // Its raise was given back already, when acceleration stopped.
  bool currentGivenBack = false;
  // The process the switch to the current window acted on (and raised, unless left alone); 0 = none.
  ProcessId currentProcess = 0;
  // The start time of the process raised for the current window; 0 when nothing was raised. The
  // give-back asks for this very process: its id may name another by then.
  std::uint64_t currentStarted = 0;
  // The executable file name of the last program other than this one that a switch brought to the
  // front, read at that switch (its process may have ended since, and its id be another's); empty
  // = none yet.
  std::wstring lastOtherName = {};
  // The current window is a store app's frame whose app was not inside yet: the next ticks decide
  // again which process it stands for.
  bool awaitingCore = false;

  // Whether a raise for the current window is held, which the next switch or a stop gives back.
  bool HoldsRaise() const { return !currentLeftAlone && !currentGivenBack; }
};

// What the tick depends on besides the platform: the settings Acceleration, Speed, Recording,
// RestoreOriginal and Rules, as the model holds them.
struct TickInput {
  bool acceleration = false;
  SpeedLevel level = SpeedLevel::Unknown;
  bool recording = false;
  // RestoreOriginal: give a process back the class it had before it was raised.
  bool restoreOriginal = false;
  // The rules per program, the programs left alone in front among them; null or empty: none.
  const ProgramRules* rules = nullptr;
};

// What one tick asks of the window. Nothing, unless the foreground window changed.
struct TickOutcome {
  bool switched = false;
  std::wstring title;  // LabelInfo's caption and tooltip, and the history row's title
  bool record = false;  // append a history row for this switch
  SpeedLevel level = SpeedLevel::Unknown;  // the row's level: the one obtained (see LevelObtained)
  std::int32_t switchCount = 0;  // LabelCount's caption, in decimal
  // "極限加速" was asked for and the system gave the high class: the program lacks the right.
  bool realtimeRefused = false;
  // The rule of the program brought to the front decided its raise (its level, or none at all)
  // rather than the general setting; program is its executable's name.
  bool byRule = false;
  std::wstring program;
};

// The level a raise obtained, by the class read back after it: the system may answer a request for
// the real-time class with the high class and report success. A raise that changed nothing (a
// protected or excluded program) is shown with the level asked, as the switch always was.
SpeedLevel LevelObtained(SpeedLevel asked, std::uint32_t classRead);

class AccelerationCycle {
 public:
  AccelerationCycle(ProcessApi& processes, const CodePage& codePage, PriorityChanges& changes)
      : processes_(processes), codePage_(codePage), changes_(changes) {}

  void Reset() { state_ = {}; }
  // One tick of the main timer. With acceleration off it does nothing at all, not even look at
  // the foreground window.
  TickOutcome Tick(const TickInput& input);

  // Whether a window other than the one the last tick saw is in front: the cheap look that decides
  // whether a tick is due before the next one-second tick. No window in front (0) does not count:
  // while the foreground passes between two programs there is a moment without one, which a look
  // every few milliseconds would otherwise take for a switch of its own. A lasting 0 is still
  // taken by the one-second tick, as always.
  // A frame still waiting for its app also makes a tick due.
  bool ForegroundMoved() {
    const WindowHandle now = processes_.ForegroundWindow();
    return (now != 0 && now != state_.current) || state_.awaitingCore;
  }

  // Acceleration stops (switched off, or the program ends): the process raised last gets back
  // what it had. Nothing happens when nothing is held raised.
  void GiveBackRaised(bool restoreOriginal);
  // Start-up: what an earlier run that was ended while it held a process raised left in the journal.
  void GiveBackLeftovers(bool restoreOriginal) { changes_.GiveBackLeftovers(restoreOriginal); }

  const AccelerationState& State() const { return state_; }
  void SetState(const AccelerationState& state) { state_ = state; }

 private:
  struct Acted {
    Decision decision;
    std::uint32_t obtained = 0;  // the class read back after the raise, 0 when nothing was raised
    std::wstring name;           // the executable's name, when it was read
  };
  // Raises the process the current window stands for as the decision says, and remembers it.
  Acted ActOn(const TickInput& input, const Acting& acting);
  // The current window is a frame that had no app inside: acts on the app once it is there.
  void DecideFrameAgain(const TickInput& input);

  ProcessApi& processes_;
  const CodePage& codePage_;
  PriorityChanges& changes_;
  AccelerationState state_;
  std::vector<ChangeRequest> raises_;  // a switch's raises, the process in front first
  std::vector<SetOutcome> raised_;
};

}  // namespace kestrune
