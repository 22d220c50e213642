#pragma once
// The adapters the program talks to, one for each control of the table that has one, kept by the
// control's id and made with the control. The settings' controls are found by the id their row in
// the settings table gives them.
#include <map>
#include <variant>

#include "app/settings_page.h"
#include "app/win32/own_controls.h"
#include "app/win32/rule_table.h"
#include "app/win32/stock_controls.h"

namespace kestrune {

class Win32Adapters : public SettingControls {
 public:
  template <typename T>
  T& Of(int id) {
    return std::get<T>(adapters_.at(id));
  }
  template <typename T>
  T& Make(int id) {
    return std::get<T>(adapters_.try_emplace(id, std::in_place_type<T>).first->second);
  }

  CheckBox& Check(Setting setting) override { return Of<Win32CheckBox>(ControlOf(setting)); }
  ComboBox& Combo(Setting setting) override { return Of<Win32ComboBox>(ControlOf(setting)); }

 private:
  using Adapter = std::variant<Win32Label, Win32CheckBox, Win32ComboBox, Win32TextBox, Win32HistoryList,
                               Win32GradientButton, Win32RuleTable>;
  std::map<int, Adapter> adapters_;
};

}  // namespace kestrune
