// The services ControlWindow gives the control it hosts (ControlHost): timers, the cursor, focus,
// the window's border, shape, state and bounds, and the property-changed notice to the form.
#include "platform/win32/control_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_region.h"

#include <cwctype>

namespace kestrune {

void ControlWindow::PropertyChanged(std::string_view key) {
  if (args_.onPropertyChanged) args_.onPropertyChanged(*this, key);
}

void ControlWindow::StartTimer(int timerId, unsigned intervalMs) {
  if (hwnd_ == nullptr) return;
  const auto id = static_cast<UINT_PTR>(timerId);
  if (::SetTimer(hwnd_, id, intervalMs, nullptr) != 0) timers_.insert(id);
}

void ControlWindow::StopTimer(int timerId) {
  const auto id = static_cast<UINT_PTR>(timerId);
  if (hwnd_ != nullptr) ::KillTimer(hwnd_, id);
  timers_.erase(id);
}

Point ControlWindow::CursorPos() const {
  POINT pt{};
  ::GetCursorPos(&pt);
  if (hwnd_ != nullptr) ::ScreenToClient(hwnd_, &pt);
  return Point{pt.x, pt.y};
}

std::vector<ContainedControl*> ControlWindow::ContainedControls() {
  if (args_.containedControls) return args_.containedControls();
  return {};
}

void ControlWindow::SetAccessKeys(std::wstring_view keys) {
  accessKeys_.clear();
  for (wchar_t c : keys) accessKeys_.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
}

// Runs the messages already queued (the toolkit's DoEvents), all but the keys: those wait for the
// main loop, whose keyboard navigation would be bypassed here (a Tab or Ctrl+Tab pressed while the
// strip moves its controls would reach the focused control as a plain key, and be lost). A quit
// request is put back for the main loop instead of being swallowed here.
void ControlWindow::ProcessPendingMessages() {
  MSG msg{};
  const auto next = [&] {
    return ::PeekMessageW(&msg, nullptr, 0, WM_KEYFIRST - 1, PM_REMOVE) ||
           ::PeekMessageW(&msg, nullptr, WM_KEYLAST + 1, 0xFFFFFFFF, PM_REMOVE);
  };
  while (next()) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void ControlWindow::Invalidate() {
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

bool ControlWindow::Seen() const {
  if (hwnd_ == nullptr || !::IsWindowVisible(hwnd_) || ::IsIconic(::GetAncestor(hwnd_, GA_ROOT))) return false;
  const HWND parent = ::GetParent(hwnd_);
  if (parent == nullptr) return true;
  RECT inside{};
  ::GetClientRect(parent, &inside);
  RECT mine{};
  ::GetWindowRect(hwnd_, &mine);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&mine), 2);
  RECT both{};
  return ::IntersectRect(&both, &inside, &mine) != FALSE;
}

Rect ControlWindow::Bounds() const {
  if (hwnd_ == nullptr) return args_.bounds;
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return Rect{r.left, r.top, r.right, r.bottom};
}

void ControlWindow::SetWindowBorder(int borderStyle, int appearance) {
  if (hwnd_ == nullptr) return;
  LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
  LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
  if (borderStyle == 1) {
    if (appearance == 1)
      exStyle |= WS_EX_CLIENTEDGE;
    else
      style |= WS_BORDER;
  }
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle);
  // The frame change resizes the client area, which reaches the control as WM_SIZE.
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ControlWindow::SetWindowEnabled(bool enabled) {
  if (hwnd_ != nullptr) ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

WindowHandle ControlWindow::Window() const { return ToWindowHandle(hwnd_); }

void ControlWindow::MoveFocus(bool forward) {
  if (hwnd_ == nullptr) return;
  // The window that holds the control knows its tab order (a page's parked controls are still
  // visible windows, so the siblings' order alone would reach them): it is asked as a dialog is.
  const HWND root = ::GetAncestor(hwnd_, GA_ROOT);
  const LRESULT handled = ::SendMessageW(root, WM_NEXTDLGCTL, forward ? 0 : 1, FALSE);
  if (handled != 0 || ::GetFocus() != hwnd_) return;
  // A window that does not answer: the next or previous tab stop among the siblings.
  HWND next = ::GetNextDlgTabItem(::GetParent(hwnd_), hwnd_, forward ? FALSE : TRUE);
  if (next != nullptr && next != hwnd_) ::SetFocus(next);
}

bool ControlWindow::FocusMarksShown() const { return !focusHidden_; }

void ControlWindow::SetWindowRegion(const WindowRegion& region) {
  if (hwnd_ != nullptr) win32::ApplyWindowRegion(hwnd_, region);
}

}  // namespace kestrune
