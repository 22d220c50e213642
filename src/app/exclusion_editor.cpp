#include "app/exclusion_editor.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/process_names.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

void ExclusionEditor::Reload() {
  rules_ = ProgramRules::FromStored(p_.settings.Names(Setting::Exclude), p_.settings.Lines(Setting::Rules));
  list_ = rules_.Excluded();
}

std::wstring ExclusionEditor::ExcludeNormalForm(std::wstring_view names) const {
  return ProgramRules::FromStored(names, p_.settings.Lines(Setting::Rules)).Excluded().Stored();
}

bool ExclusionEditor::Add(std::wstring_view name) {
  ExcludeList longer = list_;
  if (!longer.Add(name)) return false;
  if (!p_.settings.NamesFit(longer.Stored())) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  StoreRule(longer.Names().back(), true);
  Store(longer, static_cast<int>(longer.Names().size()) - 1);
  return true;
}

void ExclusionEditor::StoreRule(std::wstring_view name, bool off) {
  const std::optional<std::wstring> before = rules_.LineOf(name);
  const ProgramRule* rule = rules_.Find(name);
  const BehindChoice behind = rule != nullptr ? rule->behind : BehindChoice::Auto;
  ProgramRules changed = rules_;
  // The name was taken as a file name by the list, so the rules take it too.
  changed.Set(name, off ? FrontChoice::Off : FrontChoice::Auto, behind);
  const std::optional<std::wstring> after = changed.LineOf(name);
  if (after == before) return;
  // The program's own line changes, under the key the file gives it; every other line stays as read.
  std::vector<ProfileEntry> lines = p_.settings.Lines(Setting::Rules);
  const auto line = std::find_if(lines.begin(), lines.end(), [&](const ProfileEntry& entry) {
    return SameProgramName(ProgramNameOfEntry(entry.key), name);
  });
  if (!after) {
    if (line != lines.end()) lines.erase(line);
  } else if (line != lines.end()) {
    line->value = *after;
  } else {
    lines.push_back({std::wstring(name), *after});
  }
  p_.page.Change(Setting::Rules, SectionLines{std::move(lines)});
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
  if (index < 0 || static_cast<std::size_t>(index) >= list_.Names().size()) return;
  ExcludeList shorter = list_;
  const std::wstring name = shorter.Names()[static_cast<std::size_t>(index)];
  shorter.RemoveAt(index);
  StoreRule(name, false);
  const int count = static_cast<int>(shorter.Names().size());
  // The entry that moved into its place stays selected, so several can be removed in a row.
  Store(shorter, index < count ? index : count - 1);
}

}  // namespace kestrune
