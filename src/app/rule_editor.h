#pragma once
// The advanced page's rule list: one row per program, its name and its two choices. A row is added
// by a typed name or by the program last in front (left alone in front, as the exclusion list of old
// added it), its choices are changed in the two boxes under the list, which show the selected row's,
// and it is removed with "削除". Every change goes through the settings page, stored at once: the
// program's [Rules] line where it changed (setting Rules), then the Exclude key when the programs
// left alone in front changed. The editor also keeps the rules read, for the tick and the restraint.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_page.h"
#include "app/ui.h"
#include "engine/acceleration_cycle.h"
#include "engine/program_rules.h"
#include "platform/message_boxes.h"
#include "settings/settings_model.h"

namespace kestrune {

// A list of rows of three cells (program, in front, behind) with one selected row.
class RuleTable {
 public:
  virtual ~RuleTable() = default;
  virtual void SetRows(const std::vector<std::array<std::wstring, 3>>& rows) = 0;
  virtual int SelectedIndex() const = 0;  // -1 = none
  virtual void SetSelectedIndex(int index) = 0;
};

// The texts of the two boxes' items and of the list's cells.
std::wstring_view FrontChoiceText(FrontChoice choice);
std::wstring_view BehindChoiceText(BehindChoice choice);

class RuleEditor {
 public:
  struct Parts {
    SettingsModel& settings;
    SettingsPage& page;
    RuleTable& list;
    ComboBox& front;   // its items in the order of FrontChoice
    ComboBox& behind;  // its items in the order of BehindChoice
    TextBox& name;     // the typed name
    const AccelerationCycle& acceleration;  // the program last in front
    MessageBoxes& boxes;
  };
  explicit RuleEditor(Parts parts) : p_(parts) {}

  // The rules as the model holds them (Exclude and Rules), read again after each change of either
  // (the settings' reaction). The first read, at start-up, fills the list and the boxes.
  void Reload();
  const ProgramRules& Rules() const { return rules_; }
  // The exclusion list's normal form: its names, and after them any program a [Rules] line alone
  // leaves alone in front.
  std::wstring ExcludeNormalForm(std::wstring_view names) const;

  void AddTypedName();
  void AddLastFront();
  void RemoveSelected();
  void ShowChoices();
  void ChooseFront() { Choose(true); }
  void ChooseBehind() { Choose(false); }

 private:
  bool AddName(std::wstring_view typed);
  // Gives row `index` these choices: stored, and shown. False, with the row as it was, when the name
  // cannot hold them or the Exclude key would no longer read back whole.
  bool Change(std::size_t index, FrontChoice front, BehindChoice behind);
  // The program's own [Rules] line as `after` says, under the key the file gives it.
  void StoreLine(const std::wstring& name, const std::optional<std::wstring>& after);
  void Choose(bool front);
  void Show(int selected);

  Parts p_;
  ProgramRules rules_;
  // The rows shown, in the rules' order; a row whose choices are both back to their defaults stays
  // until the next start, though it is no rule any more, so that it can be given others.
  std::vector<ProgramRule> rows_;
  bool loaded_ = false;
};

}  // namespace kestrune
