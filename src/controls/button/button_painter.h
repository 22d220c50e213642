#pragma once
// The drawing primitives and gradients of the gradient button, on a surface of W x H pixels.
// Coordinates follow the surface: a line leaves out its end point, rectangles are right/bottom exclusive.
#include "platform/color.h"
#include "platform/surface.h"

namespace kestrune::button {

class ButtonPainter {
 public:
  ButtonPainter(Surface& surface, int width, int height) : surface_(surface), w_(width), h_(height) {}

  int Width() const { return w_; }
  int Height() const { return h_; }
  Surface& Target() { return surface_; }

  // The rectangle (x, y, x + w, y + h) filled, or only its one-pixel outline.
  void DrawRect(int x, int y, int w, int h, Rgb color, bool outlineOnly = false);
  void DrawLine(int x1, int y1, int x2, int y2, Rgb color);
  void PutPixel(int x, int y, Rgb color);
  // Edges in edge colour two pixels short of each corner, one pixel in corner colour inside each corner.
  void DrawRoundedFrame(Rgb edge, Rgb corner);

  // Rows from..to (inclusive, by step) each one increment lighter than the row before, starting one
  // increment above (r, g, b); the increment takes each component to white over H - 5 rows.
  void FadeToWhite(int r, int g, int b, int from, int to, int step);

  // The band gradient of button type 3: mid at the band edge percent of the height down, fading to end
  // towards the top and again towards the bottom, with a highlight at the top. flat: mid only.
  void DrawBandGradient(Rgb mid, Rgb frame, Rgb end, int percent, bool flat);

  // The glass gradient of button type 4: an upper band towards end, a flat band of mid, a lower band.
  void DrawGlassGradient(Rgb mid, Rgb frame, Rgb end, int percent);

 private:
  void Row(int y, int x1, int x2, double r, double g, double b);

  Surface& surface_;
  int w_;
  int h_;
};

}  // namespace kestrune::button
