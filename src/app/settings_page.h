#pragma once
// The settings page (" ソフト設定 "): its seven controls mirror the seven settings. At start-up
// every stored value is put into its control; afterwards every change of a control is stored at
// once by that control's change handler.
#include "app/ui.h"
#include "settings/settings.h"

namespace kestrune {

struct SettingsControls {
  CheckBox& checkAutoRun;
  CheckBox& checkAutoMin;
  CheckBox& checkMostTop;
  CheckBox& checkState;
  CheckBox& checkEnableRecord;
  ComboBox& comboSpeed;
  ComboBox& comboAutoCleanCount;
};

class SettingsPage {
 public:
  SettingsPage(SettingsControls controls, Settings& settings, MainWindowOps& window)
      : c_(controls), settings_(settings), window_(window) {}

  // Start-up: fills the two lists, gives the controls the states they are designed with, then
  // loads the seven settings in their fixed order. A control whose state a loaded value changes
  // runs its change handler, as a click would, so the file afterwards holds what the handlers wrote.
  void Load();

  // The change handlers, run when the user clicks a control.
  void OnCheckAutoRunClick();
  void OnCheckAutoMinClick();
  void OnComboSpeedClick();
  void OnCheckEnableRecordClick();
  void OnComboAutoCleanCountClick();
  void OnCheckStateClick();
  void OnCheckMostTopClick();

 private:
  using Handler = void (SettingsPage::*)();
  void LoadCheck(CheckBox& box, bool checked, Handler handler);
  void LoadCombo(ComboBox& combo, std::wstring_view item, Handler handler);

  SettingsControls c_;
  Settings& settings_;
  MainWindowOps& window_;
};

}  // namespace kestrune
