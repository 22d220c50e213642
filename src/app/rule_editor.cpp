#include "app/rule_editor.h"

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

void RuleEditor::Load() {
  const Settings::StoredList stored = p_.settings.Exclude();
  cut_ = stored.cut;
  rules_ = ProgramRules::FromStored(stored.text, p_.settings.RuleLines());
  rows_ = rules_.All();
  if (c_.front.ItemCount() == 0)
    for (TextId id : kFrontTexts) c_.front.AddItem(UiText(id));
  if (c_.behind.ItemCount() == 0)
    for (TextId id : kBehindTexts) c_.behind.AddItem(UiText(id));
  c_.name.SetText(L"");
  Show(-1);
}

void RuleEditor::WriteBack() {
  const std::wstring exclude = rules_.Excluded().Stored();
  if (!cut_ && p_.settings.ExcludeFits(exclude)) p_.settings.SetExclude(exclude);
}

void RuleEditor::Show(int selected) {
  std::vector<std::array<std::wstring, 3>> cells;
  cells.reserve(rows_.size());
  for (const ProgramRule& row : rows_)
    cells.push_back({row.name, std::wstring(FrontChoiceText(row.front)), std::wstring(BehindChoiceText(row.behind))});
  c_.list.SetRows(cells);
  c_.list.SetSelectedIndex(selected);
  ShowChoices();
}

void RuleEditor::ShowChoices() {
  const int index = c_.list.SelectedIndex();
  const bool row = index >= 0 && static_cast<std::size_t>(index) < rows_.size();
  c_.front.SetSelectedIndex(row ? static_cast<int>(rows_[static_cast<std::size_t>(index)].front) : -1);
  c_.behind.SetSelectedIndex(row ? static_cast<int>(rows_[static_cast<std::size_t>(index)].behind) : -1);
}

bool RuleEditor::Change(std::size_t index, FrontChoice front, BehindChoice behind) {
  const std::wstring name = rows_[index].name;
  ProgramRules next = rules_;
  if (!next.Set(name, front, behind)) return false;
  const std::wstring exclude = next.Excluded().Stored();
  const bool excludeChanged = exclude != rules_.Excluded().Stored();
  if (excludeChanged && !p_.settings.ExcludeFits(exclude)) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  const std::optional<std::wstring> before = rules_.LineOf(name);
  rules_ = std::move(next);
  rows_[index].front = front;
  rows_[index].behind = behind;
  // Only this program's line: a word a later version added to another line stays.
  const std::optional<std::wstring> after = rules_.LineOf(name);
  if (after != before) {
    if (after)
      p_.settings.SetRuleLine(name, *after);
    else
      p_.settings.RemoveRuleLine(name);
  }
  if (excludeChanged) p_.settings.SetExclude(exclude);
  return true;
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

void RuleEditor::OnAddClick() {
  if (AddName(c_.name.Text())) c_.name.SetText(L"");
}

void RuleEditor::OnAddLastFrontClick() {
  const std::wstring& last = p_.boost.State().lastOtherName;
  if (!last.empty()) AddName(last);
}

void RuleEditor::OnRemoveClick() {
  const int index = c_.list.SelectedIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return;
  if (!Change(static_cast<std::size_t>(index), FrontChoice::Auto, BehindChoice::Auto)) return;
  rows_.erase(rows_.begin() + index);
  const int count = static_cast<int>(rows_.size());
  // The row that moved into its place stays selected, so several can be removed in a row.
  Show(index < count ? index : count - 1);
}

void RuleEditor::OnSelect() { ShowChoices(); }

void RuleEditor::Choose(bool front) {
  const int index = c_.list.SelectedIndex();
  const int choice = (front ? c_.front : c_.behind).SelectedIndex();
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
