#include "controls/button/button_colors.h"

namespace kestrune::button {

Rgb ShadeColor(Rgb color, int n, bool proportionalBlue) {
  const int blue = BlueOf(color);
  // Integer division truncates towards zero, which is the rounding the proportional blue needs.
  const int newBlue = proportionalBlue ? blue + (blue * n) / 192 : blue + n;
  return MakeRgb(ClampComponent(RedOf(color) + n), ClampComponent(GreenOf(color) + n), ClampComponent(newBlue));
}

Rgb AddColorClamped(Rgb color, int dr, int dg, int db, Rgb limit) {
  auto clamp = [](int c, int top) { return c < 0 ? 0 : (c > top ? top : c); };
  return MakeRgb(clamp(RedOf(color) + dr, RedOf(limit)), clamp(GreenOf(color) + dg, GreenOf(limit)),
                 clamp(BlueOf(color) + db, BlueOf(limit)));
}

Rgb ResolveColor(OleColor color, const SystemColors& system) {
  if (IsSystemColor(color)) return system.Get(SystemColorIndex(color)) & 0xFFFFFFu;
  return color & 0xFFFFFFu;
}

}  // namespace kestrune::button
