#pragma once
// The focus marks' part of a window's UI state, kept by the window itself: DefWindowProc keeps it on
// Windows, but Wine's keeps nothing and always answers WM_QUERYUISTATE with 0.
#include <windows.h>

namespace kestrune {

// Whether focus marks are hidden after WM_UPDATEUISTATE with `wParam`, when they were `hidden`.
inline bool FocusHiddenAfter(WPARAM wParam, bool hidden) {
  if ((HIWORD(wParam) & UISF_HIDEFOCUS) == 0) return hidden;
  switch (LOWORD(wParam)) {
    case UIS_SET: return true;
    case UIS_CLEAR: return false;
    default: return hidden;  // UIS_INITIALIZE: the window's own rule decides later
  }
}

}  // namespace kestrune
