#pragma once
// A picture held as pixels, so that portable code can draw, compare and persist it.
#include <cstdint>
#include <vector>

#include "platform/color.h"

namespace kestrune {

struct Picture {
  enum class Kind { None = 0, Bitmap = 1, Icon = 3 };
  Kind kind = Kind::None;
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;       // row-major, width * height
  std::vector<bool> opaque;      // icons: false where the icon's mask is transparent; empty = all opaque

  bool Empty() const { return kind == Kind::None || width <= 0 || height <= 0; }
  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
  bool OpaqueAt(int x, int y) const {
    return opaque.empty() || opaque[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace kestrune
