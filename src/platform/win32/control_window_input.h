#pragma once
// How ControlWindow reads the buttons, shift state and position of a window message.
#include <windows.h>
#include <windowsx.h>

#include "platform/own_control.h"

namespace kestrune::window_input {

inline int ShiftFromKeys(WPARAM keys) {
  int shift = 0;
  if (keys & MK_SHIFT) shift |= shiftstate::kShift;
  if (keys & MK_CONTROL) shift |= shiftstate::kCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= shiftstate::kAlt;
  return shift;
}

inline int ShiftNow() {
  int shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= shiftstate::kShift;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= shiftstate::kCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= shiftstate::kAlt;
  return shift;
}

inline int ButtonsFromKeys(WPARAM keys) {
  int buttons = 0;
  if (keys & MK_LBUTTON) buttons |= mouse::kLeft;
  if (keys & MK_RBUTTON) buttons |= mouse::kRight;
  if (keys & MK_MBUTTON) buttons |= mouse::kMiddle;
  return buttons;
}

inline int ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      return mouse::kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      return mouse::kMiddle;
    default:
      return mouse::kLeft;
  }
}

inline float XOf(LPARAM lParam) { return static_cast<float>(GET_X_LPARAM(lParam)); }
inline float YOf(LPARAM lParam) { return static_cast<float>(GET_Y_LPARAM(lParam)); }

}  // namespace kestrune::window_input
