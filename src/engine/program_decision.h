#pragma once
// The one decision of what the program does to a process: its rule, where it stands and what the
// restraint's readings found go in, the class to set comes out. The switch asks it for the process
// it brings to the front, the restraint for each process it may lower, and each reading for every
// process a rule may keep low; none of them weighs a rule by itself.
#include <cstdint>

#include "engine/program_rules.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

enum class Treatment : std::uint8_t {
  LeftAlone,   // nothing is set, and whatever is held for it is given back
  Raised,      // in front, raised at the level
  Restrained,  // behind and hogging while the machine is busy: below normal until it calms down
  KeptLow,     // behind, by its rule: below normal for as long as it stays behind
};

struct ProcessPlace {
  bool front = false;      // the process acceleration acts for
  bool frontTree = false;  // the front process or a descendant of it: the program in front
  bool ours = false;       // of this user's session, and not this program itself
  bool system = false;     // never restrained (IsNeverRestrained): the system's own, and those that keep pace
  bool hog = false;        // the restraint's readings find it hogging, with their patience
};

// The general settings the rules stand beside.
struct GeneralSettings {
  SpeedLevel level = SpeedLevel::Unknown;  // ComboSpeed
  bool restrain = false;                   // RestrainBackground
};

struct Decision {
  Treatment treatment = Treatment::LeftAlone;
  std::uint32_t priorityClass = 0;          // the class to set; 0 when left alone
  SpeedLevel level = SpeedLevel::Unknown;   // Raised: the level asked for
  bool byRule = false;                      // the program's rule decided, not the general setting
  friend bool operator==(const Decision&, const Decision&) = default;
};

// rule: the process's program's, null when it has none. In front a rule's level goes before the
// general one, and "off" leaves the process alone. Behind, nothing of the program in front and
// nothing of another session is ever lowered; "low" keeps the rest low whatever the restraint's
// setting and readings; "free", and "off" with "auto" (the exclusion of old), keep it from the
// restraint, which otherwise lowers a hog of the user's that is not on the never-restrained list.
Decision Decide(const ProgramRule* rule, const ProcessPlace& place, const GeneralSettings& general);

}  // namespace kestrune
