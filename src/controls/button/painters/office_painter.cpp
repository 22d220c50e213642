// Type 5, Office style: a square frame around a plain fill, both from the Office colours.
#include "controls/button/button_painter.h"

namespace kestrune::button {

namespace {

class Office : public TypePainter {
 public:
  void Normal(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    const bool over = look.isMouseOver;
    d.DrawRect(0, 0, d.w, d.h, over ? look.officeMouseMoveFrameColor : look.officeFrameColor, true);
    d.DrawRect(1, 1, d.w - 2, d.h - 2, over ? look.officeMouseMoveFillColor : look.officeFillColor);
    if (look.hasFocus) d.FocusRectangle();
    d.Caption(Placement::kNormal);
  }

  void Pressed(ButtonDrawing& d) const override {
    const ButtonLook& look = d.look;
    d.DrawRect(0, 0, d.w, d.h, look.officeMouseMoveFrameColor, true);
    const Rgb limit = MakeRgb(250, 250, 250);
    const Rgb fill = look.colorScheme == 3 ? AddColorClamped(look.officeMouseMoveFillColor, -40, -30, -15, limit)
                                           : AddColorClamped(look.officeMouseMoveFillColor, -30, -30, -60, limit);
    d.DrawRect(1, 1, d.w - 2, d.h - 2, fill);
    d.Caption(Placement::kPressed);
    if (look.hasFocus) d.FocusRectangle();
  }

  void Disabled(ButtonDrawing& d) const override {
    const bool silver = d.look.colorScheme == 3;
    const Rgb frame = silver ? d.look.officeFrameColor : MakeRgb(188, 188, 64);
    d.DrawRect(0, 0, d.w, d.h, frame, true);
    d.DrawRect(1, 1, d.w - 2, d.h - 2, silver ? d.look.officeFillColor : MakeRgb(238, 239, 208));
    d.text = frame;
    d.Caption(Placement::kNormal);
  }
};

}  // namespace

const TypePainter& OfficePainter() { static const Office painter; return painter; }

}  // namespace kestrune::button
