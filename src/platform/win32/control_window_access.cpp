// What the control window tells screen readers: its accessibility object, the events, the default
// action a reader asks for.
#include <exception>
#include <string_view>

#include "platform/win32/accessible_object.h"
#include "platform/win32/control_window.h"
#include "platform/win32/system_libraries.h"

namespace kestrune {

namespace {

// Private to this window class: a reader's default action, run from the message loop.
constexpr UINT kDefaultActionMessage = WM_USER + 0x100;

DWORD WinEventOf(AccessibleEvent event) {
  switch (event) {
    case AccessibleEvent::kFocus: return EVENT_OBJECT_FOCUS;
    case AccessibleEvent::kSelection: return EVENT_OBJECT_SELECTION;
    case AccessibleEvent::kNameChange: return EVENT_OBJECT_NAMECHANGE;
    case AccessibleEvent::kStateChange: return EVENT_OBJECT_STATECHANGE;
  }
  return EVENT_OBJECT_STATECHANGE;
}

}  // namespace

std::optional<AccessibleDescription> ControlWindow::DescribeControl() {
  if (!control_ || !loaded_) return std::nullopt;
  try {
    return control_->Describe();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void ControlWindow::PostDefaultAction(long child) {
  if (hwnd_ != nullptr) ::PostMessageW(hwnd_, kDefaultActionMessage, static_cast<WPARAM>(child), 0);
}

void ControlWindow::RaiseAccessibleEvent(AccessibleEvent event, long child) {
  // Nobody can be reading a window that is not there yet (events raised while the control loads).
  if (hwnd_ != nullptr && loaded_) ::NotifyWinEvent(WinEventOf(event), hwnd_, OBJID_CLIENT, child);
}

bool ControlWindow::AccessibilityMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  if (message == kDefaultActionMessage) {
    const auto child = static_cast<long>(static_cast<LONG_PTR>(wParam));
    answer = 0;
    if (!control_ || !loaded_) return true;
    // Like every handler, a failure stays at the message boundary (its text in LastError()).
    try {
      control_->DoDefaultAction(child);
    } catch (const std::exception& e) {
      const std::string_view what = e.what();
      lastError_.assign(what.begin(), what.end());
    }
    return true;
  }
  // Only the client object is ours; the window's frame and the rest stay the system's.
  if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT || !DescribeControl()) return false;
  if (accessible_ == nullptr) accessible_ = new AccessibleObject(*this);
  answer = system_call::LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(accessible_));
  return true;
}

void ControlWindow::ReleaseAccessible() {
  if (accessible_ == nullptr) return;
  accessible_->Disconnect();
  accessible_->Release();
  accessible_ = nullptr;
}

}  // namespace kestrune
