#include "app/advanced_page.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "engine/process_names.h"
#include "vocabulary/program.h"

namespace kestrune {

void QuickReaction::Set(bool on) {
  if (on) {
    // The hook, and the timer until the hook has delivered: a hook that installs is no promise
    // that its events come (Wine installs the foreground one and never calls it).
    if (!hook_) hook_ = watch_.StartHook();
    if (!timer_ && !(hook_ && (hookDelivers_ || watch_.SystemDeliversForeground()))) timer_ = watch_.StartTimer();
    return;
  }
  if (hook_) watch_.StopHook();
  if (timer_) watch_.StopTimer();
  hook_ = timer_ = false;
}

void QuickReaction::OnHookEvent(ProcessId windowOwner, ProcessId self) {
  if (!hook_ || !ProvesDelivery(windowOwner, self)) return;
  hookDelivers_ = true;
  if (timer_) watch_.StopTimer();
  timer_ = false;
}

// The page's flags, in the order they are written back at start-up.
constexpr Setting kFlags[] = {Setting::RestoreOriginal, Setting::RestoreOnStop, Setting::InstantReaction,
                              Setting::RestrainBackground};

void AdvancedPage::Load() {
  Settings& s = p_.settings;
  bool on[std::size(kFlags)] = {};
  for (std::size_t i = 0; i < std::size(kFlags); ++i) on[i] = s.Flag(kFlags[i]);
  const Settings::StoredList stored = s.Exclude();
  rules_ = ProgramRules::FromStored(stored.text, s.RuleLines());
  // Exclude's names, and after them any a [Rules] line alone leaves alone.
  exclude_ = rules_.Excluded();

  for (std::size_t i = 0; i < std::size(kFlags); ++i) c_.flags.Of(kFlags[i]).SetChecked(on[i]);
  c_.listExclude.SetItems(exclude_.Names());
  c_.textExcludeName.SetText(L"");

  for (std::size_t i = 0; i < std::size(kFlags); ++i) {
    // The list comes after the two give-back flags, where files written so far have it.
    if (i == 2 && !stored.cut && s.ExcludeFits(exclude_.Stored())) s.SetExclude(exclude_.Stored());
    s.SetFlag(kFlags[i], on[i]);
  }
  quick_.Set(c_.flags.Of(Setting::InstantReaction).Checked());
}

void AdvancedPage::OnFlagClick(Setting flag) {
  const bool on = c_.flags.Of(flag).Checked();
  p_.settings.SetFlag(flag, on);
  if (flag == Setting::InstantReaction) quick_.Set(on);
}

bool AdvancedPage::AddName(std::wstring_view name) {
  ExcludeList longer = exclude_;
  if (!longer.Add(name)) return false;
  if (!p_.settings.ExcludeFits(longer.Stored())) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  exclude_ = std::move(longer);
  StoreRule(exclude_.Names().back(), true);
  ShowAndStore(static_cast<int>(exclude_.Names().size()) - 1);
  return true;
}

void AdvancedPage::StoreRule(std::wstring_view name, bool off) {
  const std::optional<std::wstring> before = rules_.LineOf(name);
  const ProgramRule* rule = rules_.Find(name);
  const BehindChoice behind = rule != nullptr ? rule->behind : BehindChoice::Auto;
  // The name was taken as a file name by the list, so the rules take it too.
  rules_.Set(name, off ? FrontChoice::Off : FrontChoice::Auto, behind);
  const std::optional<std::wstring> after = rules_.LineOf(name);
  if (after == before) return;
  if (after)
    p_.settings.SetRuleLine(name, *after);
  else
    p_.settings.RemoveRuleLine(name);
}

void AdvancedPage::ShowAndStore(int selected) {
  c_.listExclude.SetItems(exclude_.Names());
  c_.listExclude.SetSelectedIndex(selected);
  p_.settings.SetExclude(exclude_.Stored());
}

void AdvancedPage::OnAddClick() {
  if (AddName(c_.textExcludeName.Text())) c_.textExcludeName.SetText(L"");
}

void AdvancedPage::OnAddLastFrontClick() {
  const std::wstring& last = p_.boost.State().lastOtherName;
  if (!last.empty()) AddName(last);
}

void AdvancedPage::OnRemoveClick() {
  const int index = c_.listExclude.SelectedIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= exclude_.Names().size()) return;
  const std::wstring name = exclude_.Names()[static_cast<std::size_t>(index)];
  exclude_.RemoveAt(index);
  StoreRule(name, false);
  const int count = static_cast<int>(exclude_.Names().size());
  // The entry that moved into its place stays selected, so several can be removed in a row.
  ShowAndStore(index < count ? index : count - 1);
}

void AdvancedPage::OnAccelerationOff() {
  if (p_.settings.Flag(Setting::RestoreOnStop)) p_.boost.GiveBackRaised(RestoreOriginal());
}

void AdvancedPage::OnShutDown() {
  quick_.Set(false);
  OnAccelerationOff();
}

}  // namespace kestrune
