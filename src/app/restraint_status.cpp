#include "app/restraint_status.h"

namespace kestrune {

std::wstring RestrainedProgramsText(const std::vector<RestrainedProgram>& programs) {
  if (programs.empty()) return std::wstring(kRestrainedNone);
  std::wstring text;
  for (const RestrainedProgram& program : programs) {
    if (!text.empty()) text += L"、";
    text += program.name;
    text += L" (";
    text += program.since;
    text += kRestrainedSince;
    text += L")";
  }
  return text;
}

void RestraintStatus::Tick(bool on, ProcessId front, const ExcludeList* exclude, RestraintRecording recording) {
  if (on)
    Apply(restraint_.Tick(front, exclude), recording);
  else
    End(recording);
}

void RestraintStatus::End(RestraintRecording recording) {
  if (!restraint_.Restrained().empty()) Apply(restraint_.ReleaseAll(), recording);
}

void RestraintStatus::Apply(const std::vector<RestraintChange>& changes, RestraintRecording recording) {
  if (changes.empty()) return;
  if (recording.on) {
    for (const RestraintChange& change : changes) {
      const std::wstring title = std::wstring(change.restrained ? kRestraintStarted : kRestraintEnded) + change.name;
      history_.Append(title, kRestraintLevel, recording.maximum);
    }
  }
  label_.SetCaption(RestrainedProgramsText(restraint_.Restrained()));
}

}  // namespace kestrune
