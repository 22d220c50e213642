#include "app/settings_page.h"

#include "settings/stored_values.h"
#include "vocabulary/program.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

void SettingsPage::Load() {
  if (location_.moved) Notify(SettingsMovedNotice(location_.file));
  for (const std::wstring_view item : SpeedLevelItems()) c_.comboSpeed.AddItem(item);
  for (const std::wstring_view item : kRecordCountItems) c_.comboRecordCount.AddItem(item);

  // The states the form is designed with; which of them the loaded values change decides which
  // handlers run, and so what is written back.
  c_.checkAutoRun.SetChecked(false);
  c_.checkAutoMin.SetChecked(false);
  c_.checkAlwaysTop.SetChecked(true);
  c_.checkAcceleration.SetChecked(true);
  c_.checkRecording.SetChecked(true);
  c_.comboSpeed.SetSelectedIndex(-1);
  c_.comboRecordCount.SetSelectedIndex(-1);

  LoadCheck(c_.checkAutoRun, settings_.Flag(Setting::AutoRun), &SettingsPage::OnCheckAutoRunClick);
  LoadCheck(c_.checkAutoMin, settings_.Flag(Setting::AutoMin), &SettingsPage::OnCheckAutoMinClick);
  LoadCombo(c_.comboSpeed, ItemTextOf(settings_.Speed()), &SettingsPage::OnComboSpeedClick);
  LoadCheck(c_.checkRecording, settings_.Flag(Setting::Recording), &SettingsPage::OnCheckRecordingClick);
  LoadCombo(c_.comboRecordCount, settings_.RecordCount(), &SettingsPage::OnComboRecordCountClick);
  LoadCheck(c_.checkAcceleration, settings_.Flag(Setting::Acceleration), &SettingsPage::OnCheckAccelerationClick);
  LoadCheck(c_.checkAlwaysTop, settings_.Flag(Setting::AlwaysTop), &SettingsPage::OnCheckAlwaysTopClick);
}

void SettingsPage::LoadCheck(CheckBox& box, bool checked, Handler handler) {
  if (box.Checked() == checked) return;
  box.SetChecked(checked);
  (this->*handler)();
}

void SettingsPage::LoadCombo(ComboBox& combo, std::wstring_view item, Handler handler) {
  const int index = combo.FindItem(item);
  if (index < 0 || combo.SelectedIndex() == index) return;
  combo.SetSelectedIndex(index);
  (this->*handler)();
}

void SettingsPage::Notify(std::wstring_view text) { boxes_.Show(text, kProgramTitle, mb::kOk | mb::kIconExclamation); }

void SettingsPage::OnCheckAutoRunClick() {
  const bool on = c_.checkAutoRun.Checked();
  const AutostartResult result = settings_.SetAutoRun(on);
  // The box says what Windows will do at log-on.
  if (on && !result.written) {
    c_.checkAutoRun.SetChecked(false);
    Notify(UiText(TextId::AutostartRefused));
  }
  if (result.machineValueLeft) Notify(UiText(TextId::MachineAutostartLeft));
}

void SettingsPage::OnCheckAutoMinClick() { settings_.SetFlag(Setting::AutoMin, c_.checkAutoMin.Checked()); }

void SettingsPage::OnComboSpeedClick() { settings_.SetSpeed(SpeedLevelOf(c_.comboSpeed.Text())); }

void SettingsPage::OnCheckRecordingClick() { settings_.SetFlag(Setting::Recording, c_.checkRecording.Checked()); }

void SettingsPage::OnComboRecordCountClick() { settings_.SetRecordCount(c_.comboRecordCount.Text()); }

void SettingsPage::OnCheckAccelerationClick() { settings_.SetFlag(Setting::Acceleration, c_.checkAcceleration.Checked()); }

void SettingsPage::OnCheckAlwaysTopClick() {
  const bool on = c_.checkAlwaysTop.Checked();
  window_.SetTopmost(on);
  settings_.SetFlag(Setting::AlwaysTop, on);
}

}  // namespace kestrune
