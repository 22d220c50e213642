#pragma once
// Joins the settings rules and the history to the form and the boost cycle.
#include "app/form_settings.h"
#include "boost/boost_cycle.h"
#include "boost/history.h"
#include "settings/settings_loader.h"

namespace kestrune {

class SettingsBridge : public FormSettings {
 public:
  SettingsBridge(SettingsLoader& loader, ModuleConfig& config) : loader_(loader), config_(config) {}
  void LoadIntoControls() override { loader_.Load(); }
  bool StoredAlwaysTop() override { return kestrune::StoredAlwaysTop(config_); }
  void OnCheckAutoRunClick() override { loader_.OnCheckAutoRunClick(); }
  void OnCheckAutoMinClick() override { loader_.OnCheckAutoMinClick(); }
  void OnComboSpeedClick() override { loader_.OnComboSpeedClick(); }
  void OnCheckEnableRecordClick() override { loader_.OnCheckEnableRecordClick(); }
  void OnComboAutoCleanCountClick() override { loader_.OnComboAutoCleanCountClick(); }
  void OnCheckStateClick() override { loader_.OnCheckStateClick(); }
  void OnCheckMostTopClick() override { loader_.OnCheckMostTopClick(); }

 private:
  SettingsLoader& loader_;
  ModuleConfig& config_;
};

class HistoryRecorder : public SwitchRecorder {
 public:
  explicit HistoryRecorder(History& history) : history_(history) {}
  void RecordSwitch(std::wstring_view title, std::wstring_view speedLevelText) override {
    history_.Append(title, speedLevelText);
  }

 private:
  History& history_;
};

}  // namespace kestrune
