#pragma once
// Colour arithmetic of the gradient button. All results are plain RGB with each component in 0-255.
#include "platform/color.h"

namespace kestrune::button {

// Adds n to red and green. Blue gets n too, or, with proportionalBlue, n scaled by blue / 192 so
// that dark blues move less than light ones (truncated towards zero). Each component is clamped.
Rgb ShadeColor(Rgb color, int n, bool proportionalBlue = false);

// Adds a delta to each component, clamped to 0 below and to the same component of limit above.
Rgb AddColorClamped(Rgb color, int dr, int dg, int db, Rgb limit);

// A component clamped to 0-255.
constexpr int ClampComponent(int c) { return c < 0 ? 0 : (c > 255 ? 255 : c); }

// The six colours the bevelled and XP looks are built from.
struct SchemeColors {
  Rgb face = 0;
  Rgb shadow = 0;
  Rgb light = 0;
  Rgb highlight = 0;
  Rgb darkShadow = 0;
  Rgb text = 0;
  friend bool operator==(const SchemeColors&, const SchemeColors&) = default;
};

// Resolves a colour value that may name a system colour to RGB.
Rgb ResolveColor(OleColor color, const SystemColors& system);

}  // namespace kestrune::button
