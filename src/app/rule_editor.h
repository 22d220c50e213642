#pragma once
// The advanced page's rule list: a view of the rules the settings model holds, one row per program,
// its name and its two choices, drawn from the model every time. A row is added by a typed name or
// by the program last in front (left alone in front, as the exclusion list of old added it), its
// choices are changed in the two boxes under the list, which show the selected row's, and it is
// removed with "削除". Each edit is one call on the model, which stores what changed; the selected
// row is the editor's own, learnt from the list at the moment the user selects one.
#include <array>
#include <string>
#include <string_view>
#include <vector>

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
    RuleTable& list;
    ComboBox& front;   // its items in the order of FrontChoice
    ComboBox& behind;  // its items in the order of BehindChoice
    TextBox& name;     // the typed name
    const AccelerationCycle& acceleration;  // the program last in front
    MessageBoxes& boxes;
  };
  explicit RuleEditor(Parts parts) : p_(parts) {}

  // The start-up, once the file is read: the boxes' items, and the list drawn with no row selected.
  void Show();

  void AddTypedName();
  void AddLastFront();
  void RemoveSelected();
  // The user selected a row, or none: it is the one the boxes show and change.
  void OnRowSelected();
  void ChooseFront() { Choose(true); }
  void ChooseBehind() { Choose(false); }

 private:
  // The rule of the selected row; null when none is selected.
  const ProgramRule* Selected() const;
  bool Add(std::wstring_view typed);
  void Choose(bool front);
  // The rows from the model, this one selected (-1: none), and its choices in the boxes.
  void Draw(int selected);
  void ShowChoices();
  // A refused edit that would have made Exclude too long is told.
  void TellIfFull(RuleEdit edit);

  Parts p_;
  int selected_ = -1;  // the selected row, in the order of the model's rules
};

}  // namespace kestrune
