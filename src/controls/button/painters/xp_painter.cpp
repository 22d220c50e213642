// Type 1, XP style: a face fading to white (or shaded from the back colour), a dark rounded frame,
// the default ring and the hover ring.
#include <algorithm>
#include <array>

#include "controls/button/button_painter.h"
#include "platform/rounding.h"

namespace kestrune::button {

namespace {

constexpr Rgb kFrame = MakeRgb(0, 60, 115);
constexpr Rgb kFrameCorner = MakeRgb(16, 77, 123);

// Rows from..to (inclusive, by step) each one increment lighter than the row before, starting one
// increment above (r, g, b); the increment takes each component to white over H - 5 rows.
void FadeToWhite(ButtonDrawing& d, int r, int g, int b, int from, int to, int step) {
  if (step == 0) return;
  // Buttons of five pixels or less have no room for a fade; one row then takes the whole increment
  // instead of dividing by zero or by a negative count.
  const double rows = std::max(d.h - 5, 1);
  const std::array<double, 3> inc{(255 - r) / rows, (255 - g) / rows, (255 - b) / rows};
  std::array<double, 3> c{double(r), double(g), double(b)};
  for (int y = from; step > 0 ? y <= to : y >= to; y += step) {
    for (std::size_t i = 0; i < 3; ++i) c[i] = std::min(c[i] + inc[i], 255.0);
    d.Row(y, RoundedRgb(c[0], c[1], c[2]));
  }
}

// Face darkening row by row by up to `spread` steps from base, over the full width.
void ShadedFace(ButtonDrawing& d, Rgb base, double spread, int first, int last, bool fromBottom) {
  const double s = spread / d.h;
  for (int i = first; i <= last; ++i) {
    const int y = fromBottom ? d.h - i : i;
    d.DrawLine(0, y, d.w, y, ShadeColor(base, RoundEvenInt(-s * i), true));
  }
}

class Xp : public TypePainter {
 public:
  void Normal(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    if (look.colorScheme == 2 || look.colorScheme == 3) {
      ShadedFace(d, ShadeColor(look.scheme.face, 48, true), 25.0, 1, d.h - 2, false);
    } else if (look.xpType == 1) {
      FadeToWhite(d, 198, 197, 215, d.h - 2, 1, -1);
    } else if (look.xpType == 2) {
      Rgb c = MakeRgb(242, 237, 218);
      for (int y = d.h - 2; y >= 1; --y) {
        c = ShadeColor(c, 1);
        d.DrawLine(1, y, d.w - 2, y, c);
      }
    } else if (look.xpType == 3) {
      FadeToWhite(d, 236, 235, 230, d.h - 2, 1, -1);
    }
    d.DrawRoundedFrame(kFrame, kFrameCorner);
    if (d.FocusTest() && !look.isMouseOver) {
      d.DefaultRing(look.xpType);
      d.FocusRectangle();
    }
    if (look.isMouseOver) d.HoverRing(look.xpType == 2 ? MakeRgb(228, 144, 80) : look.rectColor);
    d.Caption(Placement::kNormal);
  }

  void Pressed(ButtonDrawing& d) const override {
    const int xpType = d.look.xpType;
    if (xpType == 1)
      FadeToWhite(d, 171, 170, 188, 1, d.h - 2, 1);
    else if (xpType == 2)
      ShadedFace(d, ShadeColor(ShadeColor(d.look.scheme.face, 48, true), -32, true), 15.0, 1, d.h, true);
    else if (xpType == 3)
      FadeToWhite(d, 224, 224, 216, 1, d.h - 2, 1);
    d.Caption(Placement::kPressed);
    d.DrawRoundedFrame(kFrame, kFrameCorner);
    if (d.look.hasFocus) d.FocusRectangle();
  }

  void Disabled(ButtonDrawing& d) const override {
    d.DrawRect(0, 0, d.w, d.h, MakeRgb(244, 244, 234));
    d.text = MakeRgb(161, 162, 146);
    d.Caption(Placement::kNormal);
    const Rgb frame = MakeRgb(201, 199, 186);
    d.DrawRoundedFrame(frame, frame);
  }
};

}  // namespace

const TypePainter& XpPainter() { static const Xp painter; return painter; }

}  // namespace kestrune::button
