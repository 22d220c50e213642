#pragma once
// The quick reaction's platform side: the system's notifications of a new foreground window
// (EVENT_SYSTEM_FOREGROUND, which Wine 8 never sends) and of a new focus (EVENT_OBJECT_FOCUS, which
// it does send, across processes, once the foreground has moved), and a 50 ms timer on the main
// window that looks at the foreground handle where neither comes. All report on the UI thread: the
// hooks are out of context, delivered through this thread's message loop, and the timer is a
// window timer.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/advanced_page.h"

namespace kestrune {

class Win32ForegroundWatch : public ForegroundWatch {
 public:
  static constexpr UINT kQuickInterval = 50;

  // window: owns the timer timerId, which runs timerProc; onChange runs for each hook event, given
  // the process that owns the event's window (0 when none can be read).
  void Setup(HWND window, UINT_PTR timerId, TIMERPROC timerProc, std::function<void(ProcessId)> onChange) {
    window_ = window;
    timerId_ = timerId;
    timerProc_ = timerProc;
    onChange_ = std::move(onChange);
  }
  ~Win32ForegroundWatch() override;

  bool StartHook() override;
  void StopHook() override;
  bool StartTimer() override;
  void StopTimer() override;
  bool SystemDeliversForeground() const override;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);

  HWND window_ = nullptr;
  UINT_PTR timerId_ = 0;
  TIMERPROC timerProc_ = nullptr;
  std::function<void(ProcessId)> onChange_;
  HWINEVENTHOOK foregroundHook_ = nullptr;
  HWINEVENTHOOK focusHook_ = nullptr;
};

}  // namespace kestrune
