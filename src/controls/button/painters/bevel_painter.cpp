// Type 2, three-dimensional bevel from the scheme's five colours; the disabled caption is engraved.
#include "controls/button/button_painter.h"

namespace kestrune::button {

namespace {

class Bevel : public TypePainter {
 public:
  void Normal(ButtonDrawing& d) const override {
    d.DrawRect(1, 1, d.w - 2, d.h - 2, d.look.scheme.light);
    Edges(d);
    if (d.look.isMouseOver)
      d.HoverRing(d.look.rectColor);
    else if (d.FocusTest())
      d.DefaultRing(1);
    d.Caption(Placement::kNormal);
  }

  void Pressed(ButtonDrawing& d) const override {
    const int w = d.w, h = d.h;
    const Rgb s = d.look.scheme.shadow, dark = d.look.scheme.darkShadow;
    const Rgb s16 = ShadeColor(s, -16), s32 = ShadeColor(s, -32), s64 = ShadeColor(s, -64);
    d.DrawRect(1, 1, w - 2, h - 2, s16);
    d.DrawLine(2, 0, w - 2, 0, dark);
    d.DrawLine(2, h - 1, w - 2, h - 1, dark);
    d.DrawLine(0, 2, 0, h - 2, dark);
    d.DrawLine(w - 1, 2, w - 1, h - 2, dark);
    d.DrawRect(1, 1, w - 2, h - 2, s64, true);
    d.DrawRect(2, 2, w - 4, h - 4, s32, true);
    d.PutPixel(2, 2, s64);
    d.PutPixel(3, 3, s32);
    d.PutPixel(1, 1, dark);
    d.PutPixel(1, h - 2, dark);
    d.PutPixel(w - 2, 1, dark);
    d.PutPixel(w - 2, h - 2, dark);
    d.DrawLine(w - 3, 1, w - 3, h - 3, s);
    d.DrawLine(1, h - 3, w - 2, h - 3, s);
    d.PutPixel(w - 4, h - 4, s);
    d.DrawLine(w - 2, 3, w - 2, h - 2, s16);
    d.DrawLine(3, h - 2, w - 2, h - 2, s16);
    d.PutPixel(w - 2, h - 3, s32);
    d.PutPixel(w - 3, h - 2, s32);
    d.PutPixel(2, h - 2, s32);
    d.PutPixel(2, h - 3, s16);
    d.PutPixel(1, h - 3, s16);
    d.PutPixel(w - 2, 2, s32);
    d.PutPixel(w - 3, 2, s16);
    d.PutPixel(w - 3, 1, s16);
    d.Caption(Placement::kPressed);
  }

  // An engraved caption: shadow first, then highlight one pixel right of and below it.
  void Disabled(ButtonDrawing& d) const override {
    d.DrawRect(1, 1, d.w - 2, d.h - 2, d.look.scheme.light);
    d.text = d.look.scheme.shadow;
    d.Text(Placement::kNormal, kOneLine);
    Edges(d);
    d.text = d.look.scheme.highlight;
    const TextSize size = d.surface.MeasureText(d.look.caption);
    if (d.w <= 0) return;
    if (size.width <= d.w) {
      d.Text(Placement::kPressed, kOneLine);
    } else {
      d.tops.pressed = d.WrappedTop(size) + 2;
      d.Text(Placement::kNormal, kWrapped);
    }
  }

 private:
  static void Edges(ButtonDrawing& d) {
    const int w = d.w, h = d.h;
    const SchemeColors& c = d.look.scheme;
    const Rgb f = c.face, l = c.light, hi = c.highlight, s = c.shadow;
    d.DrawRoundedFrame(c.darkShadow, c.darkShadow);
    d.PutPixel(1, 2, f);
    d.PutPixel(2, 1, f);
    d.DrawLine(3, 2, w - 3, 2, hi);
    d.DrawLine(2, 2, 2, h - 3, hi);
    d.PutPixel(3, 3, hi);
    d.DrawLine(w - 3, 1, w - 3, h - 3, f);
    d.DrawLine(1, h - 3, w - 3, h - 3, f);
    d.PutPixel(w - 4, h - 4, f);
    d.DrawLine(w - 2, 3, w - 2, h - 2, s);
    d.DrawLine(3, h - 2, w - 2, h - 2, s);
    d.PutPixel(w - 3, h - 3, s);
    d.PutPixel(2, h - 2, f);
    d.PutPixel(2, h - 3, l);
    d.PutPixel(w - 2, 2, f);
    d.PutPixel(w - 3, 2, l);
  }
};

}  // namespace

const TypePainter& BevelPainter() { static const Bevel painter; return painter; }

}  // namespace kestrune::button
