#include "app/advanced_page.h"

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

void AdvancedPage::Load() {
  Settings& s = p_.settings;
  const bool restoreOriginal = s.RestoreOriginal();
  const bool restoreOnStop = s.RestoreOnStop();
  const bool instant = s.InstantReaction();
  const bool restrain = s.RestrainBackground();
  const Settings::StoredList stored = s.Exclude();
  exclude_ = ExcludeList::Parse(stored.text);

  c_.checkRestoreOriginal.SetChecked(restoreOriginal);
  c_.checkRestoreOnStop.SetChecked(restoreOnStop);
  c_.checkInstantReaction.SetChecked(instant);
  c_.checkRestrainBackground.SetChecked(restrain);
  c_.listExclude.SetItems(exclude_.Names());
  c_.textExcludeName.SetText(L"");

  s.SetRestoreOriginal(restoreOriginal);
  s.SetRestoreOnStop(restoreOnStop);
  if (!stored.cut) s.SetExclude(exclude_.Stored());
  s.SetInstantReaction(instant);
  s.SetRestrainBackground(restrain);
  quick_.Set(instant);
}

void AdvancedPage::OnCheckInstantReactionClick() {
  const bool on = c_.checkInstantReaction.Checked();
  p_.settings.SetInstantReaction(on);
  quick_.Set(on);
}

bool AdvancedPage::AddName(std::wstring_view name) {
  // The file holds the list in the code page: a name it cannot spell would come back as another.
  if (p_.codePage.ToWide(p_.codePage.ToAnsi(name)) != name) return false;
  ExcludeList longer = exclude_;
  if (!longer.Add(name)) return false;
  if (!p_.settings.ExcludeFits(longer.Stored())) {
    p_.boxes.Show(UiText(TextId::ExcludeListFull), kProgramTitle, mb::kOk | mb::kIconExclamation);
    return false;
  }
  exclude_ = std::move(longer);
  ShowAndStore(static_cast<int>(exclude_.Names().size()) - 1);
  return true;
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
  if (!exclude_.RemoveAt(index)) return;
  const int count = static_cast<int>(exclude_.Names().size());
  // The entry that moved into its place stays selected, so several can be removed in a row.
  ShowAndStore(index < count ? index : count - 1);
}

void AdvancedPage::OnAccelerationOff() {
  if (p_.settings.RestoreOnStop()) p_.boost.GiveBackRaised(RestoreOriginal());
}

void AdvancedPage::OnShutDown() {
  quick_.Set(false);
  OnAccelerationOff();
}

}  // namespace kestrune
