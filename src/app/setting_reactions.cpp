// What each setting's change does besides being stored: the program's reactions, in one place. A
// setting that only acts where it is read (the tick reads the speed level, the history its maximum)
// has none here.
#include "app/program.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

SettingValue Program::Settle(Setting setting, SettingValue value) {
  switch (setting) {
    case Setting::AutoRun: {
      // Stored on only when Windows will in fact start the program.
      autostartAsked_ = std::get<bool>(value);
      autostart_ = autostartAsked_ ? s_.autostart.Add() : s_.autostart.Remove();
      return autostartAsked_ && autostart_.written;
    }
    case Setting::AlwaysTop:
      // The window follows the choice whatever the file then does.
      w_.window.SetTopmost(std::get<bool>(value));
      return value;
    case Setting::Exclude:
      return NameList{rules_.ExcludeNormalForm(std::get<NameList>(value).text)};
    default:
      return value;
  }
}

void Program::Changed(Setting setting) {
  const auto notice = [this](TextId text) {
    s_.boxes.Show(UiText(text), kProgramTitle, mb::kOk | mb::kIconExclamation);
  };
  switch (setting) {
    case Setting::AutoRun:
      // The box says what Windows will do at log-on; a refusal and a value left are told.
      if (autostartAsked_ && !autostart_.written) notice(TextId::AutostartRefused);
      if (autostart_.machineValueLeft) notice(TextId::MachineAutostartLeft);
      return;
    case Setting::Acceleration: return form_.AccelerationSwitched();
    case Setting::RestrainBackground: return form_.RestraintSwitched();
    case Setting::InstantReaction: return quick_.Set(settings_.Flag(Setting::InstantReaction));
    case Setting::Exclude:
    case Setting::Rules: return rules_.Reload();
    // Every caption, item and row text would have to be made again: the language shown changes at
    // the next start, which the user is told.
    case Setting::Language: return notice(TextId::LanguageNote);
    default: return;
  }
}

}  // namespace kestrune
