#pragma once
// Paints one look of the gradient button (normal, hover, pressed, focused, disabled) with the
// painter of its type (button_painter.h).
#include <cstdint>
#include <string>

#include "controls/button/button_colors.h"
#include "platform/surface.h"

namespace kestrune::button {

// The button states DrawButton takes; any other value paints the face only.
constexpr int kStateNormal = 0;
constexpr int kStatePressed = 2;

// The five button types, by the value the property set stores for each. A saved set may hold any
// other value; such a button shows its face only.
enum class ButtonKind : std::int32_t { kXp = 1, kBevel = 2, kBand = 3, kGlass = 4, kOffice = 5 };

// Everything one drawing reads, with every colour already resolved to RGB.
struct ButtonLook {
  int width = 0;
  int height = 0;
  ButtonKind buttonType = ButtonKind::kXp;
  int xpType = 1;
  int colorScheme = 1;
  SchemeColors scheme;
  Rgb midColor = 0;
  Rgb endColor = 0;
  Rgb mouseMoveMidColor = 0;
  Rgb mouseMoveEndColor = 0;
  Rgb mouseDownMidColor = 0;
  Rgb mouseDownEndColor = 0;
  int percent = 16;
  Rgb officeFillColor = 0;
  Rgb officeFrameColor = 0;
  Rgb officeMouseMoveFillColor = 0;
  Rgb officeMouseMoveFrameColor = 0;
  Rgb rectColor = 0;
  bool showFocusRect = true;
  bool enabled = true;
  std::wstring caption;
  bool isMouseOver = false;
  bool hasFocus = false;   // already combined with showFocusRect by the caller
  bool isDefault = false;  // the host shows this button as its default button
};

// Tops of the normal and pressed caption rectangles; a wrapped caption moves them and they keep
// their values for the following drawings.
struct CaptionTops {
  int normal = 0;
  int pressed = 2;
};

class ButtonRenderer {
 public:
  explicit ButtonRenderer(Surface& surface) : surface_(surface) {}

  // Clears the surface, fills it with the face colour and paints the look for state.
  void Draw(const ButtonLook& look, int state);

 private:
  Surface& surface_;
  CaptionTops tops_;
};

}  // namespace kestrune::button
