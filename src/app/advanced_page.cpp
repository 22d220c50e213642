#include "app/advanced_page.h"

#include <iterator>

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
  rules_.Load();

  for (std::size_t i = 0; i < std::size(kFlags); ++i) c_.flags.Of(kFlags[i]).SetChecked(on[i]);

  for (std::size_t i = 0; i < std::size(kFlags); ++i) {
    // The list comes after the two give-back flags, where files written so far have it.
    if (i == 2) rules_.WriteBack();
    s.SetFlag(kFlags[i], on[i]);
  }
  quick_.Set(c_.flags.Of(Setting::InstantReaction).Checked());
}

void AdvancedPage::OnFlagClick(Setting flag) {
  const bool on = c_.flags.Of(flag).Checked();
  p_.settings.SetFlag(flag, on);
  if (flag == Setting::InstantReaction) quick_.Set(on);
}

void AdvancedPage::OnAccelerationOff() {
  if (p_.settings.Flag(Setting::RestoreOnStop)) p_.boost.GiveBackRaised(RestoreOriginal());
}

void AdvancedPage::OnShutDown() {
  quick_.Set(false);
  OnAccelerationOff();
}

}  // namespace kestrune
