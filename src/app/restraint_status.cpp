#include "app/restraint_status.h"

#include "platform/texts.h"

namespace kestrune {

std::wstring RestrainedProgramsText(const std::vector<RestrainedProgram>& programs) {
  if (programs.empty()) return std::wstring(UiText(TextId::RestrainedNone));
  std::wstring text;
  for (const RestrainedProgram& program : programs) {
    if (!text.empty()) text += UiText(TextId::RestrainedSeparator);
    text += UiText(TextId::RestrainedSince, {program.name, program.since});
  }
  return text;
}

void RestraintStatus::End(RestraintRecording recording) {
  // Also with nothing held: the readings must start afresh once restraint is on again.
  Apply(restraint_.ReleaseAll(), recording);
}

void RestraintStatus::Apply(const std::vector<RestraintChange>& changes, RestraintRecording recording) {
  const std::vector<RestraintChange>& rules = restraint_.RuleChanges();
  if (changes.empty() && rules.empty()) return;
  Record(changes, TextId::RestraintStarted, TextId::RestraintEnded, TextId::RestraintLevel, recording);
  Record(rules, TextId::RuleStarted, TextId::RuleEnded, TextId::RuleLevel, recording);
  label_.SetCaption(RestrainedProgramsText(restraint_.Restrained()));
  keptLowLabel_.SetCaption(RestrainedProgramsText(restraint_.KeptLow()));
}

void RestraintStatus::Record(const std::vector<RestraintChange>& changes, TextId started, TextId ended, TextId level,
                             RestraintRecording recording) {
  if (!recording.on) return;
  for (const RestraintChange& change : changes)
    history_.Append(std::wstring(UiText(change.restrained ? started : ended)) + change.name, UiText(level), recording.maximum);
}

}  // namespace kestrune
