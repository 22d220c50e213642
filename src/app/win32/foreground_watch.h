#pragma once
// The quick reaction's platform side: the system's foreground notification, and a 50 ms timer on
// the main window that looks at the foreground handle where the notification never comes (Wine).
// Both report on the UI thread: the hook is out of context, delivered through this thread's
// message loop, and the timer is a window timer.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/advanced_page.h"

namespace kestrune {

class Win32ForegroundWatch : public ForegroundWatch {
 public:
  static constexpr UINT kQuickInterval = 50;

  // window: gets the timer's WM_TIMER with timerId; onChange runs for each hook event.
  void Setup(HWND window, UINT_PTR timerId, std::function<void()> onChange) {
    window_ = window;
    timerId_ = timerId;
    onChange_ = std::move(onChange);
  }
  ~Win32ForegroundWatch() override;

  bool StartHook() override;
  void StopHook() override;
  bool StartTimer() override;
  void StopTimer() override;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);

  HWND window_ = nullptr;
  UINT_PTR timerId_ = 0;
  std::function<void()> onChange_;
  HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace kestrune
