#include "settings/settings_loader.h"

namespace kestrune {

namespace {

const char* Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

void SettingsLoader::Load() {
  // The states the form is designed with; which of them the loaded values change decides which
  // handlers run, and so what is written back.
  c_.autoRun.SetChecked(false);
  c_.autoMin.SetChecked(false);
  c_.mostTop.SetChecked(true);
  c_.state.SetChecked(true);
  c_.enableRecord.SetChecked(true);
  c_.speed.SetSelectedIndex(-1);
  c_.autoCleanCount.SetSelectedIndex(-1);

  LoadCheck(c_.autoRun, config_.ReadAutoRun(), &SettingsLoader::OnCheckAutoRunClick);
  LoadCheck(c_.autoMin, config_.ReadAutoMin(), &SettingsLoader::OnCheckAutoMinClick);

  const std::wstring_view level = IsSettingOn(config_.ReadSpeedLevel()) ? kSpeedNormal : kSpeedExtreme;
  LoadCombo(c_.speed, c_.speed.FindItem(level), &SettingsLoader::OnComboSpeedClick);

  LoadCheck(c_.enableRecord, config_.ReadEnableRecord(), &SettingsLoader::OnCheckEnableRecordClick);

  const std::string count = ShortestDecimal(ParseLeadingNumber(config_.ReadRecordCount()));
  int countIndex = c_.autoCleanCount.FindItem(codePage_.ToWide(count));
  if (countIndex < 0) countIndex = c_.autoCleanCount.FindItem(kFallbackRecordCount);
  LoadCombo(c_.autoCleanCount, countIndex, &SettingsLoader::OnComboAutoCleanCountClick);

  LoadCheck(c_.state, config_.ReadEnableSpeed(), &SettingsLoader::OnCheckStateClick);
  LoadCheck(c_.mostTop, config_.ReadAlwaysTop(), &SettingsLoader::OnCheckMostTopClick);
}

void SettingsLoader::LoadCheck(CheckBox& box, std::string_view stored, void (SettingsLoader::*handler)()) {
  const bool on = IsSettingOn(stored);
  if (box.Checked() == on) return;
  box.SetChecked(on);
  (this->*handler)();
}

void SettingsLoader::LoadCombo(ComboBox& combo, int index, void (SettingsLoader::*handler)()) {
  if (index < 0 || combo.SelectedIndex() == index) return;
  combo.SetSelectedIndex(index);
  (this->*handler)();
}

void SettingsLoader::OnCheckAutoRunClick() {
  const bool on = c_.autoRun.Checked();
  if (on)
    autoRun_.Add();
  else
    autoRun_.Remove();
  config_.WriteAutoRun(Flag(on));
}

void SettingsLoader::OnCheckAutoMinClick() { config_.WriteAutoMin(Flag(c_.autoMin.Checked())); }

void SettingsLoader::OnComboSpeedClick() {
  config_.WriteSpeedLevel(c_.speed.Text() == kSpeedNormal ? "1" : "2");
}

void SettingsLoader::OnCheckEnableRecordClick() { config_.WriteEnableRecord(Flag(c_.enableRecord.Checked())); }

void SettingsLoader::OnComboAutoCleanCountClick() {
  config_.WriteRecordCount(codePage_.ToAnsi(c_.autoCleanCount.Text()));
}

void SettingsLoader::OnCheckStateClick() { config_.WriteEnableSpeed(Flag(c_.state.Checked())); }

void SettingsLoader::OnCheckMostTopClick() {
  const bool on = c_.mostTop.Checked();
  if (setTopmost_) setTopmost_(on);
  config_.WriteAlwaysTop(Flag(on));
}

bool StoredAlwaysTop(ModuleConfig& config) {
  // Read as a number like every other flag: a stored "1.0" checks CheckMostTop at load, so it must
  // also make the window topmost here, or the two would disagree.
  return IsSettingOn(config.ReadAlwaysTop());
}

}  // namespace kestrune
