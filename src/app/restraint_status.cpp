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
  if (changes.empty()) return;
  if (recording.on) {
    for (const RestraintChange& change : changes) {
      const std::wstring title = std::wstring(change.restrained ? UiText(TextId::RestraintStarted) : UiText(TextId::RestraintEnded)) + change.name;
      history_.Append(title, UiText(TextId::RestraintLevel), recording.maximum);
    }
  }
  label_.SetCaption(RestrainedProgramsText(restraint_.Restrained()));
}

}  // namespace kestrune
