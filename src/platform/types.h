#pragma once
// Value types shared by the portable core and the Win32 layer.
#include <cstdint>

namespace kestrune {

// Window handles and process ids are opaque 32-bit values in portable code; 0 means none.
// (Top-level window handles only use their low 32 bits on 64-bit Windows too.)
using WindowHandle = std::uint32_t;
using ProcessId = std::uint32_t;

// The pointer-sized value of a window handle, as the platform defines it for 32-bit handle values:
// sign-extended, so a handle at or above 0x80000000 is a negative value on 64-bit Windows. Every
// conversion to the platform's handle type goes through this one.
constexpr std::intptr_t WindowHandleValue(WindowHandle window) {
  return static_cast<std::intptr_t>(static_cast<std::int32_t>(window));
}
// And back: the low 32 bits of the platform's value.
constexpr WindowHandle ToWindowHandle(std::uintptr_t value) { return static_cast<WindowHandle>(value & 0xFFFFFFFFu); }

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Rectangles follow GDI: left <= x < right, top <= y < bottom.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace kestrune
