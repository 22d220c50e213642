// Type 4, glass gradient: an upper band towards end, a flat band of mid, a lower band, light inner
// outlines; the corners are cut. Choosing the type brings a blue set of gradient colours.
#include "controls/button/button_painter.h"
#include "platform/rounding.h"

namespace kestrune::button {

namespace {

constexpr Rgb kFrame = MakeRgb(81, 107, 148);

void DrawGlassGradient(ButtonDrawing& d, Rgb mid, Rgb frame, Rgb end, int percent) {
  const int w = d.w, h = d.h;
  const double k = percent * h / 100.0;
  const int mr = RedOf(mid), mg = GreenOf(mid), mb = BlueOf(mid);
  const int dr = RedOf(end) - mr, dg = GreenOf(end) - mg, db = BlueOf(end) - mb;
  // Whole-number steps; a band of no length gets none rather than a division by zero.
  auto step = [](int delta, double rows) { return rows == 0.0 ? 0 : RoundEvenInt(delta / rows); };
  auto clamped = [](int r, int g, int b) { return MakeRgb(ClampComponent(r), ClampComponent(g), ClampComponent(b)); };

  const int n = RoundEvenInt(k);
  if (n > 2) {
    const int sr = step(dr, k - 1), sg = step(dg, k - 1), sb = step(db, k - 1);
    int r = mr + 10, g = mg + 10, b = mb + 10;
    for (int y = n; y >= 3; --y) {
      d.Row(y, clamped(r, g, b));
      r = ClampComponent(r + sr);
      g = ClampComponent(g + sg);
      b = ClampComponent(b + sb);
    }
  }

  const double lowerRows = h - k - 4;
  const int tr = step(dr, lowerRows), tg = step(dg, lowerRows), tb = step(db, lowerRows);

  for (int y = RoundEvenInt(k + 1); y <= RoundEvenInt(k + 0.27 * h); ++y) d.Row(y, mid);

  int r = mr + 5, g = mg + 5, b = mb + 5;
  for (int y = RoundEvenInt((percent + 27) * h / 100.0); y <= h - 4; ++y) {
    d.Row(y, clamped(r, g, b));
    r = ClampComponent(r + tr);
    g = ClampComponent(g + tg);
    b = ClampComponent(b + tb);
  }

  d.DrawRect(1, 1, w - 2, h - 2, MakeRgb(211, 229, 255), true);
  d.DrawRect(2, 2, w - 4, h - 4, MakeRgb(201, 216, 255), true);
  d.Row(h - 3, MakeRgb(207, 234, 255));
  d.DrawRoundedFrame(frame, frame);
}

class Glass : public TypePainter {
 public:
  void Normal(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    if (look.isMouseOver)
      DrawGlassGradient(d, look.mouseMoveMidColor, kFrame, look.mouseMoveEndColor, look.percent);
    else
      DrawGlassGradient(d, look.midColor, kFrame, look.endColor, look.percent);
    if (d.FocusTest()) d.FocusRectangle();
    d.Caption(Placement::kNormal);
  }

  void Pressed(ButtonDrawing& d) const override {
    DrawGlassGradient(d, d.look.mouseDownMidColor, kFrame, d.look.mouseDownEndColor, d.look.percent);
    d.Caption(Placement::kPressed);
    if (d.look.hasFocus) d.FocusRectangle();
  }

  void Disabled(ButtonDrawing& d) const override {
    DrawGlassGradient(d, MakeRgb(198, 218, 255), MakeRgb(128, 140, 162), MakeRgb(232, 242, 255), 53);
    d.text = MakeRgb(171, 168, 153);
    d.Caption(Placement::kNormal);
  }

  bool CutsCorners() const override { return true; }

  const GradientPreset* Preset() const override {
    static constexpr GradientPreset kBlue{53, MakeRgb(124, 171, 255), MakeRgb(191, 211, 255), MakeRgb(157, 203, 255),
                                          MakeRgb(209, 231, 255), MakeRgb(100, 153, 255), MakeRgb(191, 211, 255)};
    return &kBlue;
  }

  const GradientPreset* SystemSchemePreset() const override {
    static constexpr GradientPreset kGrey{-1, MakeRgb(197, 197, 197), MakeRgb(238, 238, 238), MakeRgb(123, 167, 211),
                                          MakeRgb(210, 245, 251), MakeRgb(227, 167, 105), MakeRgb(252, 220, 199)};
    return &kGrey;
  }
};

}  // namespace

const TypePainter& GlassPainter() { static const Glass painter; return painter; }

}  // namespace kestrune::button
