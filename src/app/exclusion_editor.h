#pragma once
// The exclusion list's editing on the advanced page: "追加" adds the typed name, "前面だったプログラム
// を追加" the program last in front other than this one, "削除" the selected entry. The list is the
// setting Exclude: each change goes through the settings page, stored at once; an addition that would
// make it too long to read back whole is refused with a message (TextId::ExcludeListFull). A program
// put on or taken off the list keeps its [Rules] line in step (setting Rules), written before the
// list. The editor also keeps the rules per program read, for the tick and the restraint.
#include <string_view>

#include "app/settings_page.h"
#include "app/ui.h"
#include "engine/acceleration_cycle.h"
#include "engine/exclude_list.h"
#include "engine/program_rules.h"
#include "platform/message_boxes.h"
#include "settings/settings_model.h"

namespace kestrune {

class ExclusionEditor {
 public:
  struct Parts {
    SettingsModel& settings;
    SettingsPage& page;
    ListBox& list;      // the page's list of the names
    TextBox& name;      // the typed name
    const AccelerationCycle& acceleration;  // the program last in front
    MessageBoxes& boxes;
  };
  explicit ExclusionEditor(Parts parts) : p_(parts) {}

  // The rules as the model holds them (Exclude and Rules), read again after each change of either
  // (the settings' reaction).
  void Reload();
  const ProgramRules& Rules() const { return rules_; }
  // The exclusion list's normal form: its names, and after them any program a [Rules] line alone
  // leaves alone in front.
  std::wstring ExcludeNormalForm(std::wstring_view names) const;

  void AddTypedName();
  void AddLastFront();
  void RemoveSelected();

 private:
  bool Add(std::wstring_view name);
  void Store(const ExcludeList& list, int selected);
  // The listed program is now left alone in front (off) or no longer: its rule follows, and its
  // [Rules] line where that changed.
  void StoreRule(std::wstring_view name, bool off);

  Parts p_;
  ProgramRules rules_;
  ExcludeList list_;  // rules_.Excluded(): what the page's list shows
};

}  // namespace kestrune
