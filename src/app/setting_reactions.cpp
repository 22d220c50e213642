// What each setting's value does besides being stored: the program's reactions, in one place. A
// setting that only acts where it is read (the tick reads the speed level and the rules per program,
// the history its maximum) has none here.
#include "app/program.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

SettingValue Program::Settle(Setting setting, SettingValue value) {
  if (setting != Setting::AutoRun) return value;
  // Stored on only when Windows will in fact start the program.
  autostartAsked_ = std::get<bool>(value);
  autostart_ = autostartAsked_ ? s_.autostart.Add() : s_.autostart.Remove();
  return autostartAsked_ && autostart_.written;
}

void Program::TellAutostart() {
  // The box says what Windows will do at log-on; a refusal and a value left are told.
  const auto notice = [this](TextId text) { s_.boxes.Show(UiText(text), kProgramTitle, mb::kOk | mb::kIconExclamation); };
  if (autostartAsked_ && !autostart_.written) notice(TextId::AutostartRefused);
  if (autostart_.machineValueLeft) notice(TextId::MachineAutostartLeft);
  autostartAsked_ = false;
  autostart_ = {};
}

void Program::Changed(Setting setting) {
  switch (setting) {
    case Setting::AutoRun: return TellAutostart();
    // The window follows the choice whatever the file did with it.
    case Setting::AlwaysTop: return w_.window.SetTopmost(settings_.Flag(Setting::AlwaysTop));
    case Setting::Acceleration: return form_.AccelerationSwitched();
    case Setting::RestrainBackground: return form_.RestraintSwitched();
    case Setting::InstantReaction: return quick_.Set(settings_.Flag(Setting::InstantReaction));
    // Every caption, item and row text would have to be made again: the language shown changes at
    // the next start, which the user is told.
    case Setting::Language:
      s_.boxes.Show(UiText(TextId::LanguageNote), kProgramTitle, mb::kOk | mb::kIconExclamation);
      return;
    default: return;
  }
}

void Program::Loaded() {
  // What the file holds, applied once; acceleration, restraint and the rules act from the first tick.
  TellAutostart();
  w_.window.SetTopmost(settings_.Flag(Setting::AlwaysTop));
  quick_.Set(settings_.Flag(Setting::InstantReaction));
  rules_.Show();
}

}  // namespace kestrune
