#pragma once
// Puts the stored settings into the main window's controls at start-up and writes every later change
// of those controls back to the file. The form forwards each control's click here.
#include <functional>
#include <string>
#include <string_view>

#include "app/ui.h"
#include "boost/speed_level.h"
#include "platform/code_page.h"
#include "settings/module_auto_run.h"
#include "settings/module_config.h"

namespace kestrune {


// The maximum chosen when the file holds none of the combo's items (or no RecordCount at all):
// the smallest and first item, so a damaged file can never make the history grow large.
inline constexpr std::wstring_view kFallbackRecordCount = L"50";

struct SettingsControls {
  CheckBox& autoRun;           // CheckAutoRun
  CheckBox& autoMin;           // CheckAutoMin
  ComboBox& speed;             // ComboSpeed
  CheckBox& enableRecord;      // CheckEnableRecord
  ComboBox& autoCleanCount;    // ComboAutoCleanCount
  CheckBox& state;             // CheckState
  CheckBox& mostTop;           // CheckMostTop
};

class SettingsLoader {
 public:
  using SetTopmost = std::function<void(bool topmost)>;

  SettingsLoader(SettingsControls controls, ModuleConfig& config, ModuleAutoRun& autoRun,
                 const CodePage& codePage, SetTopmost setTopmost)
      : c_(controls), config_(config), autoRun_(autoRun), codePage_(codePage), setTopmost_(std::move(setTopmost)) {}

  // Start-up: gives the controls the states they have before loading (the two combo boxes must
  // already hold their items), then loads the seven settings in their fixed order. A control whose
  // state changes runs its click handler, so the file afterwards holds what the handlers wrote.
  void Load();

  // The change handlers, run by the form when the user clicks a control.
  void OnCheckAutoRunClick();
  void OnCheckAutoMinClick();
  void OnComboSpeedClick();
  void OnCheckEnableRecordClick();
  void OnComboAutoCleanCountClick();
  void OnCheckStateClick();
  void OnCheckMostTopClick();

 private:
  void LoadCheck(CheckBox& box, std::string_view stored, void (SettingsLoader::*handler)());
  void LoadCombo(ComboBox& combo, int index, void (SettingsLoader::*handler)());

  SettingsControls c_;
  ModuleConfig& config_;
  ModuleAutoRun& autoRun_;
  const CodePage& codePage_;
  SetTopmost setTopmost_;
};

// The always-on-top step of start-up reads the file once more rather than the check box.
bool StoredAlwaysTop(ModuleConfig& config);

}  // namespace kestrune
