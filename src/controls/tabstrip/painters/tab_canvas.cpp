#include "controls/tabstrip/painters/tab_canvas.h"

#include <algorithm>

#include "controls/tabstrip/tab_colors.h"
#include "controls/tabstrip/tab_strip_error.h"
#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {

constexpr int kDivisionByZero = 11;  // the toolkit's number for it

// The span of one row of a fill with cut corners; radius -1 is a plain rectangle.
void RowSpan(const Rect& r, int radius, bool left, bool right, int& x1, int& x2) {
  if (radius == -1) {
    x1 = r.left;
    x2 = r.right;
  } else if (left && right) {
    x1 = r.left + radius + 1;
    x2 = r.right - radius;
  } else if (left) {
    x1 = r.left + radius + 1;
    x2 = r.right;
  } else {
    x1 = r.left;
    x2 = r.right - radius;
  }
}

}  // namespace

Rgb TabCanvas::ToRgb(OleColor color) const { return tabstrip::ToRgb(color, system_); }

void TabCanvas::Clear(OleColor back) {
  Guarded("Clear", [&] { surface_.Clear(ToRgb(back)); });
}

void TabCanvas::Line(int x1, int y1, int x2, int y2, OleColor color) {
  Guarded("Line", [&] { surface_.Line(x1, y1, x2, y2, ToRgb(color)); });
}

void TabCanvas::Outline(int x, int y, int width, int height, OleColor color) {
  Guarded("Outline", [&] {
    const Rgb rgb = ToRgb(color);
    surface_.Line(x, y, x + width, y, rgb);
    surface_.Line(x + width, y, x + width, y + height, rgb);
    surface_.Line(x + width, y + height, x, y + height, rgb);
    surface_.Line(x, y + height, x, y, rgb);
  });
}

void TabCanvas::FillRect(int x, int y, int width, int height, OleColor color) {
  Guarded("FillRect", [&] { surface_.FillRect(Rect{x, y, x + width, y + height}, ToRgb(color)); });
}

void TabCanvas::FillGradient(const Rect& r, OleColor start, OleColor end, int radius, bool cutLeft, bool cutRight) {
  Guarded("FillGradient", [&] {
    const Rgb s = ToRgb(start);
    const Rgb e = ToRgb(end);
    const int rows = r.bottom - r.top;
    if (rows == 0) Raise(kDivisionByZero, "Division by zero");
    // Single precision, as the steps have always been computed; the rounding of the running values
    // decides the exact colour of each row.
    const float steps[3] = {static_cast<float>(RedOf(e) - RedOf(s)) / static_cast<float>(rows),
                            static_cast<float>(GreenOf(e) - GreenOf(s)) / static_cast<float>(rows),
                            static_cast<float>(BlueOf(e) - BlueOf(s)) / static_cast<float>(rows)};
    float running[3] = {static_cast<float>(RedOf(s)), static_cast<float>(GreenOf(s)), static_cast<float>(BlueOf(s))};
    int radiusLeft = radius;
    for (int y = r.top; y <= r.bottom; ++y) {
      int channel[3];
      for (int c = 0; c < 3; ++c) channel[c] = std::clamp(RoundEvenInt(running[c]), 0, 255);
      int x1 = 0, x2 = 0;
      RowSpan(r, radiusLeft, cutLeft, cutRight, x1, x2);
      Line(x1, y, x2, y, MakeRgb(channel[0], channel[1], channel[2]));
      for (int c = 0; c < 3; ++c) running[c] += steps[c];
      if (radiusLeft > 0) --radiusLeft;
    }
  });
}

void TabCanvas::FillSolid(const Rect& r, OleColor color, int radius, bool cutLeft, bool cutRight) {
  Guarded("FillSolid", [&] {
    int radiusLeft = radius;
    for (int y = r.top; y <= r.bottom; ++y) {
      int x1 = 0, x2 = 0;
      RowSpan(r, radiusLeft, cutLeft, cutRight, x1, x2);
      Line(x1, y, x2, y, color);
      if (radiusLeft > 0) --radiusLeft;
    }
  });
}

void TabCanvas::DrawPicture(const Picture& picture, int left, int top, int width, int height) {
  Guarded("DrawPicture", [&] {
    if (picture.Empty()) return;
    const int w = width == -1 ? picture.width : width;
    const int h = height == -1 ? picture.height : height;
    surface_.DrawPicture(picture, Rect{left, top, left + w, top + h}, std::nullopt);
  });
}

void TabCanvas::DrawMaskedBitmap(const Picture& picture, const Rect& dest, OleColor mask) {
  Guarded("DrawMaskedBitmap", [&] { surface_.DrawPicture(picture, dest, ToRgb(mask)); });
}

}  // namespace kestrune::tabstrip
