#include "app/exclusion_editor.h"

#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

bool ExclusionEditor::Add(std::wstring_view name) {
  ExcludeList longer = list_;
  if (!longer.Add(name)) return false;
  if (!p_.settings.NamesFit(longer.Stored())) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  Store(longer, static_cast<int>(longer.Names().size()) - 1);
  return true;
}

void ExclusionEditor::Store(const ExcludeList& list, int selected) {
  p_.page.Change(Setting::Exclude, NameList{list.Stored()});
  p_.list.SetSelectedIndex(selected);
}

void ExclusionEditor::AddTypedName() {
  if (Add(p_.name.Text())) p_.name.SetText(L"");
}

void ExclusionEditor::AddLastFront() {
  const std::wstring& last = p_.acceleration.State().lastOtherName;
  if (!last.empty()) Add(last);
}

void ExclusionEditor::RemoveSelected() {
  const int index = p_.list.SelectedIndex();
  ExcludeList shorter = list_;
  if (!shorter.RemoveAt(index)) return;
  const int count = static_cast<int>(shorter.Names().size());
  // The entry that moved into its place stays selected, so several can be removed in a row.
  Store(shorter, index < count ? index : count - 1);
}

}  // namespace kestrune
