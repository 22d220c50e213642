#pragma once
// Conversions between the portable 32-bit window handle and HWND.
#include <windows.h>

#include <cstdint>

#include "platform/types.h"

namespace kestrune {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(WindowHandleValue(window)); }
inline WindowHandle ToWindowHandle(HWND hwnd) {
  return ToWindowHandle(reinterpret_cast<std::uintptr_t>(hwnd));
}

}  // namespace kestrune
