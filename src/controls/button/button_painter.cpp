#include "controls/button/button_painter.h"

#include <cstddef>
#include <iterator>

#include "platform/rounding.h"

namespace kestrune::button {

void ButtonDrawing::DrawRect(int x, int y, int width, int height, Rgb color, bool outlineOnly) {
  const Rect r{x, y, x + width, y + height};
  if (outlineOnly)
    surface.FrameRect(r, color);
  else
    surface.FillRect(r, color);
}

void ButtonDrawing::DrawRoundedFrame(Rgb edge, Rgb corner) {
  DrawLine(2, 0, w - 2, 0, edge);
  DrawLine(2, h - 1, w - 2, h - 1, edge);
  DrawLine(0, 2, 0, h - 2, edge);
  DrawLine(w - 1, 2, w - 1, h - 2, edge);
  PutPixel(1, 1, corner);
  PutPixel(1, h - 2, corner);
  PutPixel(w - 2, 1, corner);
  PutPixel(w - 2, h - 2, corner);
}

void ButtonDrawing::FocusRectangle() {
  text = look.scheme.text;
  surface.DrawFocusRect(Rect{2, 2, w - 2, h - 2});
}

void ButtonDrawing::DefaultRing(int xpType) {
  const bool green = xpType == 2;
  const Rgb g = MakeRgb(122, 184, 98);
  DrawRect(1, 2, w - 2, h - 4, green ? g : MakeRgb(140, 175, 231), true);
  DrawLine(2, h - 2, w - 2, h - 2, green ? g : MakeRgb(107, 130, 239));
  DrawLine(2, 1, w - 2, 1, green ? g : MakeRgb(206, 231, 255));
  DrawLine(2, 2, w - 2, 2, green ? g : MakeRgb(189, 215, 247));
  DrawLine(2, 3, 2, h - 3, green ? g : MakeRgb(181, 209, 240));
  DrawLine(w - 3, 3, w - 3, h - 3, green ? g : MakeRgb(181, 209, 240));
}

void ButtonDrawing::HoverRing(Rgb k) {
  DrawRect(2, 1, w - 4, h - 2, k, true);
  DrawLine(1, 2, 1, h - 2, k);
  DrawLine(3, 2, w - 3, 2, k);
  DrawLine(w - 2, 2, w - 2, h - 2, k);
  DrawLine(3, h - 3, w - 3, h - 3, k);
}

void ButtonDrawing::Caption(Placement placement) {
  // A button without width has no room for text, and the line count would divide by zero.
  if (w <= 0) return;
  const TextSize size = surface.MeasureText(look.caption);
  if (size.width > w) {
    if (placement == Placement::kNormal)
      tops.normal = WrappedTop(size);
    else
      tops.pressed = tops.normal + 2;
    Text(placement, kWrapped);
  } else {
    Text(placement, kOneLine);
  }
}

void ButtonDrawing::Text(Placement placement, unsigned format) {
  Rect r = placement == Placement::kNormal ? Rect{0, tops.normal, w, h} : Rect{2, tops.pressed, w, h};
  surface.DrawText(look.caption, r, format, text);
}

Rgb RoundedRgb(double r, double g, double b) {
  return MakeRgb(ClampComponent(RoundEvenInt(r)), ClampComponent(RoundEvenInt(g)), ClampComponent(RoundEvenInt(b)));
}

const TypePainter* PainterFor(ButtonKind kind) {
  static const TypePainter* const kByType[] = {&XpPainter(), &BevelPainter(), &BandPainter(), &GlassPainter(),
                                               &OfficePainter()};
  const auto index = static_cast<std::size_t>(static_cast<std::int32_t>(kind) - 1);
  return index < std::size(kByType) ? kByType[index] : nullptr;
}

WindowRegion ButtonRegion(ButtonKind kind, int width, int height) {
  WindowRegion region{width, height, {}};
  const TypePainter* painter = PainterFor(kind);
  if (painter == nullptr || !painter->CutsCorners()) return region;
  const int w = width, h = height;
  region.cutouts = {
      Rect{0, 0, 2, 1},         Rect{0, 1, 1, 2},          // top left
      Rect{w - 2, 0, w, 1},     Rect{w - 1, 1, w, 2},      // top right
      Rect{0, h - 1, 2, h},     Rect{0, h - 2, 1, h - 1},  // bottom left
      Rect{w - 2, h - 1, w, h}, Rect{w - 1, h - 2, w, h - 1},  // bottom right
  };
  return region;
}

void PaintButton(Surface& surface, const ButtonLook& look, int state, CaptionTops& tops) {
  ButtonDrawing d(surface, look, tops);
  surface.Clear(look.scheme.face);
  d.DrawRect(0, 0, d.w, d.h, look.scheme.face);
  const TypePainter* painter = PainterFor(look.buttonType);
  if (!painter) return;
  if (!look.enabled)
    painter->Disabled(d);
  else if (state == kStateNormal)
    painter->Normal(d);
  else if (state == kStatePressed)
    painter->Pressed(d);
}

}  // namespace kestrune::button
