#include "controls/button/button_region.h"

namespace kestrune::button {

WindowRegion ButtonRegion(bool cutCorners, int width, int height) {
  WindowRegion region{width, height, {}};
  if (!cutCorners) return region;
  const int w = width, h = height;
  region.cutouts = {
      Rect{0, 0, 2, 1},         Rect{0, 1, 1, 2},          // top left
      Rect{w - 2, 0, w, 1},     Rect{w - 1, 1, w, 2},      // top right
      Rect{0, h - 1, 2, h},     Rect{0, h - 2, 1, h - 1},  // bottom left
      Rect{w - 2, h - 1, w, h}, Rect{w - 1, h - 2, w, h - 1},  // bottom right
  };
  return region;
}

}  // namespace kestrune::button
