#pragma once
// The advanced page's rule list: one row per program, its name and its two choices. A row is added
// by a typed name or by the program last in front (left alone in front, as the exclusion list of old
// added it), its choices are changed in the two boxes under the list, which show the selected row's,
// and it is removed with "削除". Every change is stored at once: the program's [Rules] line where it
// changed, and the Exclude key when the programs left alone in front changed.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/ui.h"
#include "engine/boost_cycle.h"
#include "engine/program_rules.h"
#include "platform/message_boxes.h"
#include "settings/settings.h"

namespace kestrune {

// A list of rows of three cells (program, in front, behind) with one selected row.
class RuleTable {
 public:
  virtual ~RuleTable() = default;
  virtual void SetRows(const std::vector<std::array<std::wstring, 3>>& rows) = 0;
  virtual int SelectedIndex() const = 0;  // -1 = none
  virtual void SetSelectedIndex(int index) = 0;
};

struct RuleControls {
  RuleTable& list;
  ComboBox& front;   // its items in the order of FrontChoice
  ComboBox& behind;  // its items in the order of BehindChoice
  TextBox& name;
};

struct RuleParts {
  Settings& settings;
  BoostCycle& boost;
  MessageBoxes& boxes;
};

// The texts of the two boxes' items and of the list's cells.
std::wstring_view FrontChoiceText(FrontChoice choice);
std::wstring_view BehindChoiceText(BehindChoice choice);

class RuleEditor {
 public:
  RuleEditor(RuleControls controls, RuleParts parts) : c_(controls), p_(parts) {}

  // Start-up: the rules from the file into the list. WriteBack then stores the Exclude key in its
  // normal form, unless the stored value was longer than its read buffer (its last name may be cut).
  void Load();
  void WriteBack();

  // "追加", "前面だったプログラムを追加", "削除", a row selected, a box's choice.
  void OnAddClick();
  void OnAddLastFrontClick();
  void OnRemoveClick();
  void OnSelect();
  void OnFrontChoice() { Choose(true); }
  void OnBehindChoice() { Choose(false); }

  const ProgramRules& Rules() const { return rules_; }

 private:
  bool AddName(std::wstring_view typed);
  // Gives row `index` these choices: stored, and shown. False, with the row as it was, when the name
  // cannot hold them or the Exclude key would no longer read back whole.
  bool Change(std::size_t index, FrontChoice front, BehindChoice behind);
  void Choose(bool front);
  void Show(int selected);
  void ShowChoices();

  RuleControls c_;
  RuleParts p_;
  ProgramRules rules_;
  // The rows shown, in the rules' order; a row whose choices are both back to their defaults stays
  // until the next start, though it is no rule any more, so that it can be given others.
  std::vector<ProgramRule> rows_;
  bool cut_ = false;
};

}  // namespace kestrune
