#pragma once
// The settings page (" ソフト設定 "): its seven controls mirror the seven settings. At start-up
// every stored value is put into its control; afterwards every change of a control is stored at
// once by that control's change handler.
#include <string_view>

#include "app/ui.h"
#include "platform/message_boxes.h"
#include "settings/settings.h"
#include "settings/settings_location.h"

namespace kestrune {

// Autostart could be written in neither Run key: the box is unticked again (TextId::AutostartRefused).
// A machine-wide Run value that this user cannot remove goes on starting a copy at log-on
// (TextId::MachineAutostartLeft).

struct SettingsControls {
  CheckBox& checkAutoRun;
  CheckBox& checkAutoMin;
  CheckBox& checkAlwaysTop;
  CheckBox& checkAcceleration;
  CheckBox& checkRecording;
  ComboBox& comboSpeed;
  ComboBox& comboRecordCount;
};

class SettingsPage {
 public:
  // location: where the settings file is; when the settings moved there at this start, the load
  // tells the user so.
  SettingsPage(SettingsControls controls, Settings& settings, MainWindowOps& window, MessageBoxes& boxes,
               SettingsLocation location = {})
      : c_(controls), settings_(settings), window_(window), boxes_(boxes), location_(std::move(location)) {}

  // Start-up: fills the two lists, gives the controls the states they are designed with, then
  // loads the seven settings in their fixed order. A control whose state a loaded value changes
  // runs its change handler, as a click would, so the file afterwards holds what the handlers wrote.
  void Load();

  // The change handlers, run when the user clicks a control. Autostart's box is unticked again when
  // no Run key took the value, and a machine-wide value this user cannot remove is reported.
  void OnCheckAutoRunClick();
  void OnCheckAutoMinClick();
  void OnComboSpeedClick();
  void OnCheckRecordingClick();
  void OnComboRecordCountClick();
  void OnCheckAccelerationClick();
  void OnCheckAlwaysTopClick();

  const SettingsControls& Controls() const { return c_; }

 private:
  using Handler = void (SettingsPage::*)();
  void LoadCheck(CheckBox& box, bool checked, Handler handler);
  void LoadCombo(ComboBox& combo, std::wstring_view item, Handler handler);
  void Notify(std::wstring_view text);

  SettingsControls c_;
  Settings& settings_;
  MainWindowOps& window_;
  MessageBoxes& boxes_;
  SettingsLocation location_;
};

}  // namespace kestrune
