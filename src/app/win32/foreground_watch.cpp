#include "app/win32/foreground_watch.h"

namespace kestrune {
namespace {

// A win-event callback carries no pointer of its own; one watch at most holds the hook.
std::function<void()>* g_hookHandler = nullptr;

}  // namespace

Win32ForegroundWatch::~Win32ForegroundWatch() {
  // The page stops the watch before the window goes; this only guards a start that never ended.
  if (hook_ != nullptr) StopHook();
}

bool Win32ForegroundWatch::StartHook() {
  if (hook_ != nullptr || g_hookHandler != nullptr) return false;
  hook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
  if (hook_ == nullptr) return false;
  g_hookHandler = &onChange_;
  return true;
}

void Win32ForegroundWatch::StopHook() {
  if (hook_ == nullptr) return;
  ::UnhookWinEvent(hook_);
  hook_ = nullptr;
  g_hookHandler = nullptr;
}

bool Win32ForegroundWatch::StartTimer() {
  return window_ != nullptr && ::SetTimer(window_, timerId_, kQuickInterval, nullptr) != 0;
}

void Win32ForegroundWatch::StopTimer() {
  if (window_ != nullptr) ::KillTimer(window_, timerId_);
}

void CALLBACK Win32ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD, DWORD) {
  if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && g_hookHandler != nullptr && *g_hookHandler)
    (*g_hookHandler)();
}

}  // namespace kestrune
