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

  // The window procedure of every window class whose windows are WindowBase objects.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The object bound to a window made with Procedure; null before WM_NCCREATE and after WM_NCDESTROY.
  static WindowBase* FromHwnd(HWND hwnd);

 protected:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Every message of the bound window but WM_NCDESTROY.
  virtual LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND hwnd_ = nullptr;  // the bound window, from WM_NCCREATE until WM_NCDESTROY
};

}  // namespace kestrune
