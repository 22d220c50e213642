#include "app/rule_editor.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/process_names.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

constexpr TextId kFrontTexts[] = {TextId::RuleFrontAuto, TextId::RuleFrontHigh, TextId::RuleFrontRealtime, TextId::RuleFrontOff};
constexpr TextId kBehindTexts[] = {TextId::RuleBehindAuto, TextId::RuleBehindFree, TextId::RuleBehindLow};

}  // namespace

std::wstring_view FrontChoiceText(FrontChoice choice) { return UiText(kFrontTexts[static_cast<int>(choice)]); }
std::wstring_view BehindChoiceText(BehindChoice choice) { return UiText(kBehindTexts[static_cast<int>(choice)]); }

void RuleEditor::Reload() {
  rules_ = ProgramRules::FromStored(p_.settings.Names(Setting::Exclude), p_.settings.Lines(Setting::Rules));
  if (loaded_) return;
  // The start-up: the list and the boxes are made once; later the editor keeps its rows itself.
  loaded_ = true;
  rows_ = rules_.All();
  if (p_.front.ItemCount() == 0)
    for (TextId id : kFrontTexts) p_.front.AddItem(UiText(id));
  if (p_.behind.ItemCount() == 0)
    for (TextId id : kBehindTexts) p_.behind.AddItem(UiText(id));
  p_.name.SetText(L"");
  Show(-1);
}

std::wstring RuleEditor::ExcludeNormalForm(std::wstring_view names) const {
  return ProgramRules::FromStored(names, p_.settings.Lines(Setting::Rules)).Excluded().Stored();
}

void RuleEditor::Show(int selected) {
  std::vector<std::array<std::wstring, 3>> cells;
  cells.reserve(rows_.size());
  for (const ProgramRule& row : rows_)
    cells.push_back({row.name, std::wstring(FrontChoiceText(row.front)), std::wstring(BehindChoiceText(row.behind))});
  p_.list.SetRows(cells);
  p_.list.SetSelectedIndex(selected);
  ShowChoices();
}

void RuleEditor::ShowChoices() {
  const int index = p_.list.SelectedIndex();
  const bool row = index >= 0 && static_cast<std::size_t>(index) < rows_.size();
  p_.front.SetSelectedIndex(row ? static_cast<int>(rows_[static_cast<std::size_t>(index)].front) : -1);
  p_.behind.SetSelectedIndex(row ? static_cast<int>(rows_[static_cast<std::size_t>(index)].behind) : -1);
}

bool RuleEditor::Change(std::size_t index, FrontChoice front, BehindChoice behind) {
  const std::wstring name = rows_[index].name;
  ProgramRules next = rules_;
  if (!next.Set(name, front, behind)) return false;
  const std::wstring exclude = next.Excluded().Stored();
  const bool excludeChanged = exclude != rules_.Excluded().Stored();
  if (excludeChanged && !p_.settings.NamesFit(exclude)) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  const std::optional<std::wstring> before = rules_.LineOf(name);
  const std::optional<std::wstring> after = next.LineOf(name);
  rules_ = std::move(next);
  rows_[index].front = front;
  rows_[index].behind = behind;
  // Only this program's line: a word a later version added to another line stays.
  if (after != before) StoreLine(name, after);
  if (excludeChanged) p_.page.Change(Setting::Exclude, NameList{exclude});
  return true;
}

void RuleEditor::StoreLine(const std::wstring& name, const std::optional<std::wstring>& after) {
  std::vector<ProfileEntry> lines = p_.settings.Lines(Setting::Rules);
  const auto line = std::find_if(lines.begin(), lines.end(), [&](const ProfileEntry& entry) {
    return SameProgramName(ProgramNameOfEntry(entry.key), name);
  });
  if (!after) {
    if (line != lines.end()) lines.erase(line);
  } else if (line != lines.end()) {
    line->value = *after;
  } else {
    lines.push_back({name, *after});
  }
  p_.page.Change(Setting::Rules, SectionLines{std::move(lines)});
}

bool RuleEditor::AddName(std::wstring_view typed) {
  // Read as one stored entry: blanks trimmed, a path taken as its file name, an unusable name refused.
  ExcludeList probe;
  if (!probe.Add(typed)) return false;
  const std::wstring name = probe.Names().back();
  for (const ProgramRule& row : rows_)
    if (SameProgramName(row.name, name)) return false;
  rows_.push_back({name, FrontChoice::Auto, BehindChoice::Auto});
  if (!Change(rows_.size() - 1, FrontChoice::Off, BehindChoice::Auto)) {
    rows_.pop_back();
    return false;
  }
  Show(static_cast<int>(rows_.size()) - 1);
  return true;
}

void RuleEditor::AddTypedName() {
  if (AddName(p_.name.Text())) p_.name.SetText(L"");
}

void RuleEditor::AddLastFront() {
  const std::wstring& last = p_.acceleration.State().lastOtherName;
  if (!last.empty()) AddName(last);
}

void RuleEditor::RemoveSelected() {
  const int index = p_.list.SelectedIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return;
  if (!Change(static_cast<std::size_t>(index), FrontChoice::Auto, BehindChoice::Auto)) return;
  rows_.erase(rows_.begin() + index);
  const int count = static_cast<int>(rows_.size());
  // The row that moved into its place stays selected, so several can be removed in a row.
  Show(index < count ? index : count - 1);
}

void RuleEditor::Choose(bool front) {
  const int index = p_.list.SelectedIndex();
  const int choice = (front ? p_.front : p_.behind).SelectedIndex();
  if (index >= 0 && static_cast<std::size_t>(index) < rows_.size() && choice >= 0) {
    ProgramRule wanted = rows_[static_cast<std::size_t>(index)];
    if (front)
      wanted.front = static_cast<FrontChoice>(choice);
    else
      wanted.behind = static_cast<BehindChoice>(choice);
    if (Change(static_cast<std::size_t>(index), wanted.front, wanted.behind)) {
      Show(index);
      return;
    }
  }
  // Nothing to change, or refused: the boxes show the row as it is.
  ShowChoices();
}

}  // namespace kestrune
