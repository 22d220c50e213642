#include "app/quick_reaction.h"

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

}  // namespace kestrune
