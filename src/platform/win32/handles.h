#pragma once
// Conversions between the portable 32-bit window handle and HWND.
#include <windows.h>

#include <cstdint>

#include "platform/types.h"

namespace kestrune {

inline HWND ToHwnd(WindowHandle window) {
  // Window handles are 32-bit values sign-extended on 64-bit Windows.
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}
inline WindowHandle ToWindowHandle(HWND hwnd) {
  return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(hwnd) & 0xFFFFFFFFu);
}

}  // namespace kestrune
