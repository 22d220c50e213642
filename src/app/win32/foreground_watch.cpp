#include "app/win32/foreground_watch.h"

#include <initializer_list>

namespace kestrune {
namespace {

// A win-event callback carries no pointer of its own; one watch at most holds the hook.
const Win32ForegroundWatch* g_hookHolder = nullptr;

}  // namespace

Win32ForegroundWatch::~Win32ForegroundWatch() {
  // The page stops the watch before the window goes; this only guards a start that never ended.
  StopHook();
}

bool Win32ForegroundWatch::StartHook() {
  if (foregroundHook_ != nullptr || g_hookHolder != nullptr) return false;
  foregroundHook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT);
  focusHook_ =
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  if (foregroundHook_ == nullptr && focusHook_ == nullptr) return false;
  g_hookHolder = this;
  return true;
}

void Win32ForegroundWatch::StopHook() {
  for (HWINEVENTHOOK* hook : {&foregroundHook_, &focusHook_}) {
    if (*hook != nullptr) ::UnhookWinEvent(*hook);
    *hook = nullptr;
  }
  if (g_hookHolder == this) g_hookHolder = nullptr;
}

bool Win32ForegroundWatch::SystemDeliversForeground() const {
  // Windows raises EVENT_SYSTEM_FOREGROUND for every switch. Wine, recognised by the export its
  // ntdll adds, installs the hook but (in version 8) never calls it.
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

bool Win32ForegroundWatch::StartTimer() {
  return window_ != nullptr && ::SetTimer(window_, timerId_, kQuickInterval, nullptr) != 0;
}

void Win32ForegroundWatch::StopTimer() {
  if (window_ != nullptr) ::KillTimer(window_, timerId_);
}

void CALLBACK Win32ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  if ((event != EVENT_SYSTEM_FOREGROUND && event != EVENT_OBJECT_FOCUS) || g_hookHolder == nullptr) return;
  DWORD owner = 0;
  if (window != nullptr) ::GetWindowThreadProcessId(window, &owner);
  ::PostMessageW(g_hookHolder->window_, g_hookHolder->eventMessage_, static_cast<WPARAM>(owner), 0);
}

}  // namespace kestrune
