#pragma once
// The shape of a control's window as portable data: its rectangle without some cut-out rectangles.
// The Win32 binding turns it into a region (CreateRectRgn, CombineRgn with RGN_DIFF, SetWindowRgn).
#include <vector>

#include "platform/types.h"

namespace kestrune {

struct WindowRegion {
  int width = 0;
  int height = 0;
  std::vector<Rect> cutouts;  // no cut-outs: the plain rectangle

  bool Contains(Point p) const {
    if (!Rect{0, 0, width, height}.Contains(p)) return false;
    for (const Rect& r : cutouts)
      if (r.Contains(p)) return false;
    return true;
  }
  friend bool operator==(const WindowRegion&, const WindowRegion&) = default;
};

}  // namespace kestrune
