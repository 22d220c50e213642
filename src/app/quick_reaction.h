#pragma once
// The quick reaction (InstantReaction): a switch acted on within moments instead of at the next
// one-second tick. The system's notifications and a short timer tell the program to look at the
// foreground window; the look itself is the form's (FormMain::LookAtForeground).
#include "platform/types.h"

namespace kestrune {

// The platform side: the system's notifications of a change of the foreground or the focus, and a
// short timer that looks at the foreground handle where they never come. Each Start answers whether
// it acquired its resource; each Stop releases what its Start acquired.
class ForegroundWatch {
 public:
  virtual ~ForegroundWatch() = default;
  virtual bool StartHook() = 0;
  virtual void StopHook() = 0;
  virtual bool StartTimer() = 0;
  virtual void StopTimer() = 0;
  // Whether this system is known to deliver the foreground notification for every switch (Windows
  // does; Wine 8 installs the hook and never calls it).
  virtual bool SystemDeliversForeground() const { return false; }
};

// Holds the watch on while InstantReaction is on, and releases exactly what it acquired: when
// switched off, and at the latest when it goes. The timer is for systems that never deliver the
// notification: where the system is known to deliver it, the timer never starts, and once the hook
// has delivered one, it has shown that it works here, and the timer, which costs a wake-up of the
// idle program every 50 ms, is stopped.
class QuickReaction {
 public:
  explicit QuickReaction(ForegroundWatch& watch) : watch_(watch) {}
  ~QuickReaction() { Set(false); }
  QuickReaction(const QuickReaction&) = delete;
  QuickReaction& operator=(const QuickReaction&) = delete;

  void Set(bool on);
  // The hook delivered a notification about a window of windowOwner's; self is this program.
  void OnHookEvent(ProcessId windowOwner, ProcessId self);
  // Only a window of another program proves that the hook reports switches between other programs:
  // a system may deliver only the notifications of the program's own focus changes.
  static bool ProvesDelivery(ProcessId windowOwner, ProcessId self) { return windowOwner != 0 && windowOwner != self; }

 private:
  ForegroundWatch& watch_;
  bool hook_ = false;
  bool timer_ = false;
  bool hookDelivers_ = false;
};

}  // namespace kestrune
