#pragma once
// The quick reaction's platform side: the system's notifications of a new foreground window
// (EVENT_SYSTEM_FOREGROUND, which Wine 8 never sends) and of a new focus (EVENT_OBJECT_FOCUS, which
// it does send, across processes, once the foreground has moved), and a 50 ms timer on the main
// window that looks at the foreground handle where neither comes. Both reach the program through
// the main window's procedure: the timer is a window timer, and each notification (out of context,
// delivered through this thread's message loop) is posted to the window as a message of its own.
#include <windows.h>

#include "app/quick_reaction.h"

namespace kestrune {

class Win32ForegroundWatch : public ForegroundWatch {
 public:
  static constexpr UINT kQuickInterval = 50;

  // window: owns the timer timerId, and is posted eventMessage for each hook event, with the process
  // that owns the event's window in wParam (0 when none can be read).
  void Setup(HWND window, UINT_PTR timerId, UINT eventMessage) {
    window_ = window;
    timerId_ = timerId;
    eventMessage_ = eventMessage;
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
  UINT eventMessage_ = 0;
  HWINEVENTHOOK foregroundHook_ = nullptr;
  HWINEVENTHOOK focusHook_ = nullptr;
};

}  // namespace kestrune
