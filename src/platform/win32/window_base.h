#pragma once
// A window whose procedure is an object's member function. The object passed as the creation
// parameter (CreateWindowEx's last argument, as a WindowBase*) receives every message from
// WM_NCCREATE up to WM_NCDESTROY, which ends the binding; messages before WM_NCCREATE and after
// WM_NCDESTROY go to DefWindowProc.
#include <windows.h>

namespace kestrune {

class WindowBase {
 public:
  virtual ~WindowBase() = default;

  // The object bound to a window made with Procedure; null before WM_NCCREATE and after WM_NCDESTROY.
  static WindowBase* FromHwnd(HWND hwnd) {
    return reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }

  // The window procedure of every window class whose windows are WindowBase objects.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = hwnd;
    }
    WindowBase* self = FromHwnd(hwnd);
    if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleWindowMessage(message, wParam, lParam);
  }

 protected:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Every message of the bound window but WM_NCDESTROY.
  virtual LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND hwnd_ = nullptr;  // the bound window, from WM_NCCREATE until WM_NCDESTROY
};

}  // namespace kestrune
