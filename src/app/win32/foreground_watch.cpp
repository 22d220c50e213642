#include "app/win32/foreground_watch.h"

namespace kestrune {
namespace {

// A win-event callback carries no pointer of its own; one watch at most holds the hook.
std::function<void(ProcessId)>* g_hookHandler = nullptr;

}  // namespace

Win32ForegroundWatch::~Win32ForegroundWatch() {
  // The page stops the watch before the window goes; this only guards a start that never ended.
  StopHook();
}

bool Win32ForegroundWatch::StartHook() {
  if (foregroundHook_ != nullptr || g_hookHandler != nullptr) return false;
  foregroundHook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                                      WINEVENT_OUTOFCONTEXT);
  focusHook_ =
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  if (foregroundHook_ == nullptr && focusHook_ == nullptr) return false;
  g_hookHandler = &onChange_;
  return true;
}

void Win32ForegroundWatch::StopHook() {
  for (HWINEVENTHOOK* hook : {&foregroundHook_, &focusHook_}) {
    if (*hook != nullptr) ::UnhookWinEvent(*hook);
    *hook = nullptr;
  }
  if (g_hookHandler == &onChange_) g_hookHandler = nullptr;
}

bool Win32ForegroundWatch::SystemDeliversForeground() const {
  // Windows raises EVENT_SYSTEM_FOREGROUND for every switch. Wine, recognised by the export its
  // ntdll adds, installs the hook but (in version 8) never calls it.
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

bool Win32ForegroundWatch::StartTimer() {
  return window_ != nullptr && ::SetTimer(window_, timerId_, kQuickInterval, timerProc_) != 0;
}

void Win32ForegroundWatch::StopTimer() {
  if (window_ != nullptr) ::KillTimer(window_, timerId_);
}

void CALLBACK Win32ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  if ((event != EVENT_SYSTEM_FOREGROUND && event != EVENT_OBJECT_FOCUS) || g_hookHandler == nullptr || !*g_hookHandler)
    return;
  DWORD owner = 0;
  if (window != nullptr) ::GetWindowThreadProcessId(window, &owner);
  (*g_hookHandler)(static_cast<ProcessId>(owner));
}

}  // namespace kestrune
