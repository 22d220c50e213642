#include "app/advanced_page.h"

#include "engine/priority_memory.h"

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

void QuickReaction::OnHookEvent() {
  if (!hook_) return;
  hookDelivers_ = true;
  if (timer_) watch_.StopTimer();
  timer_ = false;
}

void AdvancedPage::Load() {
  Settings& s = p_.settings;
  const bool restoreOriginal = s.RestoreOriginal();
  const bool restoreOnStop = s.RestoreOnStop();
  const bool instant = s.InstantReaction();
  exclude_ = ExcludeList::Parse(s.Exclude());

  c_.checkRestoreOriginal.SetChecked(restoreOriginal);
  c_.checkRestoreOnStop.SetChecked(restoreOnStop);
  c_.checkInstantReaction.SetChecked(instant);
  c_.listExclude.SetItems(exclude_.Names());
  c_.textExcludeName.SetText(L"");

  s.SetRestoreOriginal(restoreOriginal);
  s.SetRestoreOnStop(restoreOnStop);
  s.SetExclude(exclude_.Stored());
  s.SetInstantReaction(instant);
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
  if (!exclude_.Add(name)) return false;
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
  const ProcessId last = p_.boost.State().lastOtherProcess;
  if (last == 0) return;
  AddName(ExecutableNameOf(p_.processes, last));
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
