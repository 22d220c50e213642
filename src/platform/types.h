#pragma once
// Value types shared by the portable core and the Win32 layer.
#include <cstdint>

namespace kestrune {

// Window handles and process ids are opaque 32-bit values in portable code; 0 means none.
// (Top-level window handles only use their low 32 bits on 64-bit Windows too.)
using WindowHandle = std::uint32_t;
using ProcessId = std::uint32_t;

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
