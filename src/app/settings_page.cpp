#include "app/settings_page.h"

#include "settings/stored_values.h"
#include "vocabulary/program.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

void SettingsPage::Load() {
  if (location_.moved) Notify(SettingsMovedNotice(location_.file));
  for (const std::wstring_view item : SpeedLevelItems()) c_.comboSpeed.AddItem(item);
  for (const std::wstring_view item : kRecordCountItems) c_.comboAutoCleanCount.AddItem(item);

  // The states the form is designed with; which of them the loaded values change decides which
  // handlers run, and so what is written back.
  c_.checkAutoRun.SetChecked(false);
  c_.checkAutoMin.SetChecked(false);
  c_.checkMostTop.SetChecked(true);
  c_.checkState.SetChecked(true);
  c_.checkEnableRecord.SetChecked(true);
  c_.comboSpeed.SetSelectedIndex(-1);
  c_.comboAutoCleanCount.SetSelectedIndex(-1);

  LoadCheck(c_.checkAutoRun, settings_.AutoRun(), &SettingsPage::OnCheckAutoRunClick);
  LoadCheck(c_.checkAutoMin, settings_.AutoMin(), &SettingsPage::OnCheckAutoMinClick);
  LoadCombo(c_.comboSpeed, ItemTextOf(settings_.Speed()), &SettingsPage::OnComboSpeedClick);
  LoadCheck(c_.checkEnableRecord, settings_.EnableRecord(), &SettingsPage::OnCheckEnableRecordClick);
  LoadCombo(c_.comboAutoCleanCount, settings_.RecordCount(), &SettingsPage::OnComboAutoCleanCountClick);
  LoadCheck(c_.checkState, settings_.EnableSpeed(), &SettingsPage::OnCheckStateClick);
  LoadCheck(c_.checkMostTop, settings_.AlwaysTop(), &SettingsPage::OnCheckMostTopClick);
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

void SettingsPage::OnCheckAutoMinClick() { settings_.SetAutoMin(c_.checkAutoMin.Checked()); }

void SettingsPage::OnComboSpeedClick() { settings_.SetSpeed(SpeedLevelOf(c_.comboSpeed.Text())); }

void SettingsPage::OnCheckEnableRecordClick() { settings_.SetEnableRecord(c_.checkEnableRecord.Checked()); }

void SettingsPage::OnComboAutoCleanCountClick() { settings_.SetRecordCount(c_.comboAutoCleanCount.Text()); }

void SettingsPage::OnCheckStateClick() { settings_.SetEnableSpeed(c_.checkState.Checked()); }

void SettingsPage::OnCheckMostTopClick() {
  const bool on = c_.checkMostTop.Checked();
  window_.SetTopmost(on);
  settings_.SetAlwaysTop(on);
}

}  // namespace kestrune
