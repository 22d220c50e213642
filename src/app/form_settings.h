#pragma once
// The form's view of the settings file: loading into the controls and the controls' change handlers.

namespace kestrune {

class FormSettings {
 public:
  virtual ~FormSettings() = default;
  // Puts every stored setting into its control, running the change handler of each control whose
  // state changes, as a click would.
  virtual void LoadIntoControls() = 0;
  // Reads the always-on-top setting from the file again.
  virtual bool StoredAlwaysTop() = 0;

  virtual void OnCheckAutoRunClick() = 0;
  virtual void OnCheckAutoMinClick() = 0;
  virtual void OnComboSpeedClick() = 0;
  virtual void OnCheckEnableRecordClick() = 0;
  virtual void OnComboAutoCleanCountClick() = 0;
  virtual void OnCheckStateClick() = 0;
  virtual void OnCheckMostTopClick() = 0;
};

}  // namespace kestrune
