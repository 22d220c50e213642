// Type 3, band gradient: mid at the band edge `percent` of the height down, fading to end towards
// the top and again towards the bottom, with a highlight at the top; the corners are cut.
#include <algorithm>
#include <array>

#include "controls/button/button_painter.h"
#include "platform/rounding.h"

namespace kestrune::button {

namespace {

using Components = std::array<double, 3>;
constexpr Rgb kGreen = MakeRgb(1, 109, 1);

Components Split(Rgb c) { return {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))}; }

// Per-component step from mid to end over the given number of rows. A band of no length (tiny
// buttons, extreme percentages) would divide by zero; it gets no step instead.
Components StepsOver(Rgb mid, Rgb end, double rows) {
  const Components m = Split(mid), e = Split(end);
  Components s{};
  for (std::size_t i = 0; i < 3; ++i) s[i] = rows == 0.0 ? 0.0 : (e[i] - m[i]) / rows;
  return s;
}

void AddClamped(Components& c, const Components& step) {
  for (std::size_t i = 0; i < 3; ++i) c[i] = std::clamp(c[i] + step[i], 0.0, 255.0);
}

// Pixel i of a top highlight row: white at i = 0, reaching end after `span` pixels and darkening
// beyond. A span of zero or less (very narrow buttons) leaves the row white.
Rgb Highlight(Rgb end, int i, int span) {
  auto c = [&](int e) { return span <= 0 ? 255 : ClampComponent(255 - ((255 - e) * i) / span); };
  return MakeRgb(c(RedOf(end)), c(GreenOf(end)), c(BlueOf(end)));
}

void DrawBandGradient(ButtonDrawing& d, Rgb mid, Rgb frame, Rgb end, int percent) {
  const int w = d.w, h = d.h;
  const double k = percent * h / 100.0;

  // Upper band: mid at its lower edge, towards end at the top.
  Components steps = StepsOver(mid, end, k - 1);
  Components c = Split(mid);
  for (int y = RoundEvenInt(k); y >= 1; --y) {
    d.Row(y, RoundedRgb(c[0], c[1], c[2]));
    AddClamped(c, steps);
  }

  // Two highlight rows: white at the left fading into end, the second one over a shorter span.
  for (int i = 0; i <= w - 4; ++i) d.PutPixel(i + 2, 1, Highlight(end, i, w - 10));
  const int q = w - (2 * w) / 3 - 2;
  for (int i = 0; i <= (w - w / 3) - 2; ++i) d.PutPixel(i + 2, 2, Highlight(end, i, q));

  d.Row(RoundEvenInt(k + 1), mid);
  d.Row(RoundEvenInt(k + 2), mid);

  // Lower gradient: mid below the band edge, towards end at the bottom.
  steps = StepsOver(mid, end, h - k - 4);
  c = Split(mid);
  for (int y = RoundEvenInt(k + 3); y <= h - 4; ++y) {
    d.Row(y, RoundedRgb(c[0], c[1], c[2]));
    AddClamped(c, steps);
  }

  if (h < 10) return;

  const Rgb sample = d.surface.GetPixel(2, h - 10);
  // A button too narrow to have that pixel has no inner width for these rows either.
  if (sample != 0xFFFFFFFFu) {
    d.Row(h - 9, sample);
    d.Row(h - 8, sample);
  }
  d.Row(RoundEvenInt(k + 5), mid);
  if (sample != 0xFFFFFFFFu) {
    d.DrawLine(1, h - 3, w - 2, h - 3, sample);
    d.DrawLine(1, h - 2, w - 2, h - 2, sample);
  }
  d.DrawRoundedFrame(frame, frame);
}

class Band : public TypePainter {
 public:
  void Normal(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    const bool grey = look.colorScheme == 1;
    DrawBandGradient(d, look.midColor, grey ? MakeRgb(183, 183, 183) : kGreen, look.endColor, look.percent);
    if (look.isMouseOver)
      DrawBandGradient(d, look.mouseMoveMidColor, grey ? MakeRgb(82, 134, 182) : kGreen, look.mouseMoveEndColor,
                       look.percent);
    if (d.FocusTest()) d.FocusRectangle();
    d.Caption(Placement::kNormal);
  }

  void Pressed(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    if (look.colorScheme == 1) {
      DrawBandGradient(d, look.mouseDownMidColor, MakeRgb(203, 130, 62), look.mouseDownEndColor, look.percent);
    } else {  // flat: the mid colour alone
      d.DrawRect(1, 1, d.w - 2, d.h - 2, look.mouseDownMidColor);
      d.DrawRoundedFrame(MakeRgb(84, 157, 84), MakeRgb(84, 157, 84));
    }
    d.Caption(Placement::kPressed);
    if (look.hasFocus) d.FocusRectangle();
  }

  void Disabled(ButtonDrawing& d) const override {
    d.DrawRect(1, 1, d.w - 2, d.h - 2, MakeRgb(241, 242, 237));
    d.DrawRoundedFrame(MakeRgb(204, 204, 202), MakeRgb(204, 204, 202));
    d.text = MakeRgb(171, 168, 153);
    d.Caption(Placement::kNormal);
  }

  bool CutsCorners() const override { return true; }
};

}  // namespace

const TypePainter& BandPainter() { static const Band painter; return painter; }

}  // namespace kestrune::button
