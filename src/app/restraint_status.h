#pragma once
// What the window shows and records of the programs behind: the state page's lines of the programs
// restrained right now and of those a rule keeps low, and a history row for each lowering and
// release, the restraint's and the rules'.
#include <string>
#include <string_view>
#include <vector>

#include "app/ui.h"
#include "engine/background_restraint.h"
#include "engine/history.h"
#include "platform/texts.h"

namespace kestrune {

// "build.exe (10:12:03から)、indexer.exe (10:12:09から)"; "なし" when there is none (in Japanese).
std::wstring RestrainedProgramsText(const std::vector<RestrainedProgram>& programs);

// Where the history goes, read at the moment of each change.
struct RestraintRecording {
  bool on = false;
  long long maximum = 0;
};

class RestraintStatus {
 public:
  RestraintStatus(BackgroundRestraint& restraint, Label& label, Label& keptLowLabel, History& history)
      : restraint_(restraint), label_(label), keptLowLabel_(keptLowLabel), history_(history) {}

  // The one-second tick of the programs behind, when it is due (Due).
  bool Due(const BehindInput& input) const { return restraint_.Due(input); }
  void Tick(const BehindInput& input, RestraintRecording recording) { Apply(restraint_.Tick(input), recording); }
  // A switch made this process the front one.
  void OnFront(ProcessId front, RestraintRecording recording) { Apply(restraint_.OnFront(front), recording); }
  // Restraint or acceleration switched off, or the program ends.
  void End(RestraintRecording recording);
  // Whether anything lowered is held, which a switch may have to give back.
  bool Holding() const { return restraint_.Holding(); }

 private:
  void Apply(const std::vector<RestraintChange>& changes, RestraintRecording recording);
  void Record(const std::vector<RestraintChange>& changes, TextId started, TextId ended, TextId level,
              RestraintRecording recording);

  BackgroundRestraint& restraint_;
  Label& label_;
  Label& keptLowLabel_;
  History& history_;
};

}  // namespace kestrune
