#include "app/rule_editor.h"

#include "engine/exclude_list.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

constexpr TextId kFrontTexts[] = {TextId::RuleFrontAuto, TextId::RuleFrontHigh, TextId::RuleFrontRealtime, TextId::RuleFrontOff};
constexpr TextId kBehindTexts[] = {TextId::RuleBehindAuto, TextId::RuleBehindFree, TextId::RuleBehindLow};

}  // namespace

std::wstring_view FrontChoiceText(FrontChoice choice) { return UiText(kFrontTexts[static_cast<int>(choice)]); }
std::wstring_view BehindChoiceText(BehindChoice choice) { return UiText(kBehindTexts[static_cast<int>(choice)]); }

void RuleEditor::Show() {
  if (p_.front.ItemCount() == 0)
    for (TextId id : kFrontTexts) p_.front.AddItem(UiText(id));
  if (p_.behind.ItemCount() == 0)
    for (TextId id : kBehindTexts) p_.behind.AddItem(UiText(id));
  p_.name.SetText({});
  Draw(-1);
}

const ProgramRule* RuleEditor::Selected() const {
  const std::vector<ProgramRule>& rules = p_.settings.Rules().All();
  return selected_ >= 0 && static_cast<std::size_t>(selected_) < rules.size() ? &rules[static_cast<std::size_t>(selected_)]
                                                                            : nullptr;
}

void RuleEditor::Draw(int selected) {
  std::vector<std::array<std::wstring, 3>> cells;
  for (const ProgramRule& rule : p_.settings.Rules().All())
    cells.push_back({rule.name, std::wstring(FrontChoiceText(rule.front)), std::wstring(BehindChoiceText(rule.behind))});
  // The list tells of the selection it loses and gains meanwhile; the editor's is this one.
  p_.list.SetRows(cells);
  p_.list.SetSelectedIndex(selected);
  selected_ = selected;
  ShowChoices();
}

void RuleEditor::ShowChoices() {
  const ProgramRule* rule = Selected();
  p_.front.SetSelectedIndex(rule != nullptr ? static_cast<int>(rule->front) : -1);
  p_.behind.SetSelectedIndex(rule != nullptr ? static_cast<int>(rule->behind) : -1);
}

void RuleEditor::OnRowSelected() {
  selected_ = p_.list.SelectedIndex();
  ShowChoices();
}

void RuleEditor::TellIfFull(RuleEdit edit) {
  if (edit == RuleEdit::ListFull)
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
}

bool RuleEditor::Add(std::wstring_view typed) {
  // Read as one stored entry: blanks trimmed, a path taken as its file name, an unusable name refused.
  const std::wstring name(ProgramNameOfEntry(typed));
  if (name.empty() || p_.settings.Rules().Find(name) != nullptr) return false;
  const RuleEdit edit = p_.settings.SetRule(name, FrontChoice::Off, BehindChoice::Auto);
  TellIfFull(edit);
  if (edit != RuleEdit::Stored) return false;
  Draw(static_cast<int>(p_.settings.Rules().All().size()) - 1);
  return true;
}

void RuleEditor::AddTypedName() {
  if (Add(p_.name.Text())) p_.name.SetText({});
}

void RuleEditor::AddLastFront() {
  const std::wstring& last = p_.acceleration.State().lastOtherName;
  if (!last.empty()) Add(last);
}

void RuleEditor::RemoveSelected() {
  const ProgramRule* rule = Selected();
  if (rule == nullptr || p_.settings.RemoveRule(std::wstring(rule->name)) != RuleEdit::Stored) return;
  const int count = static_cast<int>(p_.settings.Rules().All().size());
  // The row that moved into its place stays selected, so several can be removed in a row.
  Draw(selected_ < count ? selected_ : count - 1);
}

void RuleEditor::Choose(bool front) {
  const ProgramRule* rule = Selected();
  const int choice = (front ? p_.front : p_.behind).SelectedIndex();
  if (rule != nullptr && choice >= 0) {
    const FrontChoice inFront = front ? static_cast<FrontChoice>(choice) : rule->front;
    const BehindChoice behind = front ? rule->behind : static_cast<BehindChoice>(choice);
    const RuleEdit edit = p_.settings.SetRule(std::wstring(rule->name), inFront, behind);
    TellIfFull(edit);
    if (edit == RuleEdit::Stored) return Draw(selected_);
  }
  // Nothing to change, or refused: the boxes show the row as it is.
  ShowChoices();
}

}  // namespace kestrune
