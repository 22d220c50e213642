#pragma once
// The settings as the window's pages show them (the settings page and the advanced page): the
// controls show the model, a change the user makes goes into the model, and the program's reaction
// to each setting runs around it. The model is the truth (settings_model.h); a control is read only
// at the moment the user changes it, to learn what was chosen.
#include <string_view>

#include "app/ui.h"
#include "platform/message_boxes.h"
#include "settings/settings_location.h"
#include "settings/settings_model.h"

namespace kestrune {

// The controls that show the settings, found by setting (the window finds them by each row's
// control id).
class SettingControls {
 public:
  virtual ~SettingControls() = default;
  virtual CheckBox& Check(Setting setting) = 0;  // a Flag's
  virtual ComboBox& Combo(Setting setting) = 0;  // a Speed's, RecordCount's or Language's
};

// What a setting's value does besides being stored: the program's reaction to each setting.
class SettingReactions {
 public:
  virtual ~SettingReactions() = default;
  // Before a value is held and stored, the user's choice or one a start writes back: the value it
  // settles on (autostart is on only where a Run key took the program).
  virtual SettingValue Settle(Setting setting, SettingValue value) = 0;
  // After the user's change is held, stored and shown.
  virtual void Changed(Setting setting) = 0;
  // After the start-up's load: the program and its window told once what the file holds.
  virtual void Loaded() = 0;
};

// The items of a setting's pick-only list, in the order the list shows them, and what each means.
int ItemCount(SettingKind kind);
std::wstring_view ItemText(SettingKind kind, int index);  // in the language shown
SettingValue ItemValue(SettingKind kind, int index);      // none for an index out of range
int ItemIndex(SettingKind kind, const SettingValue& value);  // -1 for none

class SettingsPage {
 public:
  // location: where the settings file is; when the settings moved there at this start, the load
  // tells the user so.
  SettingsPage(SettingsModel& model, SettingControls& controls, SettingReactions& reactions, MessageBoxes& boxes,
               SettingsLocation location = {})
      : model_(model), controls_(controls), reactions_(reactions), boxes_(boxes), location_(std::move(location)) {}

  // Start-up: fills the lists, then reads every setting into the model in the table's order; a value
  // its row says a start writes back settles and is stored in its normal form (a list the file does
  // not hold whole is not). Then every control shows the model, and the program is told once.
  void Load();
  // The user changed a setting's control: what it shows now is the choice. A choice equal to the
  // setting's value, or no choice at all, changes nothing.
  void OnControlChanged(Setting setting);

 private:
  void Show(Setting setting);
  SettingValue Chosen(Setting setting);

  SettingsModel& model_;
  SettingControls& controls_;
  SettingReactions& reactions_;
  MessageBoxes& boxes_;
  SettingsLocation location_;
};

}  // namespace kestrune
