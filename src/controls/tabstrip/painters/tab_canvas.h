#pragma once
// The drawing primitives of the tab strip's painters: one-pixel lines, outlines, fills and the
// row-by-row fills with cut corners that make up every tab, in the strip's colour values (system
// colours are resolved for each primitive, so a stored system colour follows the user's scheme).
// The canvas also keeps the surface's current pen and fill, which a round rectangle uses.
#include <optional>

#include "platform/color.h"
#include "platform/picture.h"
#include "platform/surface.h"
#include "platform/types.h"

namespace kestrune::tabstrip {

class TabCanvas {
 public:
  TabCanvas(Surface& surface, const SystemColors& system) : surface_(surface), system_(system) {}

  Surface& surface() { return surface_; }
  const SystemColors& system() const { return system_; }
  Rgb ToRgb(OleColor color) const;

  void Clear(OleColor back);
  // From (x1, y1) to (x2, y2), the end point left out.
  void Line(int x1, int y1, int x2, int y2, OleColor color);
  // The four edges of (x, y) .. (x + width, y + height).
  void Outline(int x, int y, int width, int height, OleColor color);
  void FillRect(int x, int y, int width, int height, OleColor color);
  // One line per row from r.top to r.bottom inclusive, the colour running from start to end. Each
  // cut corner starts `radius` pixels in on the top row and comes one pixel out per row; radius -1
  // fills the plain rectangle. A rectangle whose bottom is its top has no gradient step: it fails
  // as a division by zero.
  void FillGradient(const Rect& r, OleColor start, OleColor end, int radius, bool cutLeft, bool cutRight);
  void FillSolid(const Rect& r, OleColor color, int radius, bool cutLeft, bool cutRight);
  // A picture scaled into (left, top, width, height); -1 for both sizes is its own size.
  void DrawPicture(const Picture& picture, int left, int top, int width, int height);
  // A bitmap scaled into dest, with the pixels of the mask colour left out.
  void DrawMaskedBitmap(const Picture& picture, const Rect& dest, OleColor mask);

  // The surface's current pen (and text) colour and its fill: solid in `fill`, or hollow.
  Rgb pen = 0;
  Rgb fill = 0;
  bool fillSolid = false;
  std::optional<Rgb> CurrentFill() const { return fillSolid ? std::optional<Rgb>(fill) : std::nullopt; }

 private:
  Surface& surface_;
  const SystemColors& system_;
};

}  // namespace kestrune::tabstrip
