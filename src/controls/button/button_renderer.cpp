#include "controls/button/button_renderer.h"

#include "controls/button/button_painter.h"

namespace kestrune::button {

void ButtonRenderer::Draw(const ButtonLook& look, int state) {
  if (look.height <= 0) return;
  ButtonDrawing d(surface_, look, tops_);
  surface_.Clear(look.scheme.face);
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
