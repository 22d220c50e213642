#pragma once
// The exclusion list's editing on the advanced page: "追加" adds the typed name, "前面だったプログラム
// を追加" the program last in front other than this one, "削除" the selected entry. The list is the
// setting Exclude: each change goes through the settings page, stored at once; an addition that would
// make it too long to read back whole is refused with a message (TextId::ExcludeListFull). The editor
// also keeps the list read, for the tick and the restraint.
#include <string_view>

#include "app/settings_page.h"
#include "app/ui.h"
#include "engine/acceleration_cycle.h"
#include "engine/exclude_list.h"
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

  // The list as the model holds it, read again after each of its changes (the setting's reaction).
  void Reload() { list_ = ExcludeList::Parse(p_.settings.Names(Setting::Exclude)); }
  const ExcludeList& List() const { return list_; }

  void AddTypedName();
  void AddLastFront();
  void RemoveSelected();

 private:
  bool Add(std::wstring_view name);
  void Store(const ExcludeList& list, int selected);

  Parts p_;
  ExcludeList list_;
};

}  // namespace kestrune
