#pragma once
// Paints one look of the gradient button (type 1-5; normal, hover, pressed, focused, disabled).
#include <string>

#include "controls/button/button_colors.h"
#include "platform/surface.h"

namespace kestrune::button {

// The button states DrawButton takes; any other value paints the face only.
constexpr int kStateNormal = 0;
constexpr int kStatePressed = 2;

// Everything one drawing reads, with every colour already resolved to RGB.
struct ButtonLook {
  int width = 0;
  int height = 0;
  int buttonType = 1;
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

class ButtonRenderer {
 public:
  explicit ButtonRenderer(Surface& surface) : surface_(surface) {}

  // Clears the surface, fills it with the face colour and paints the look for state.
  void Draw(const ButtonLook& look, int state);

  // Tops of the normal and pressed caption rectangles; a wrapped caption moves them and they keep
  // their values for the following drawings.
  int NormalTop() const { return normalTop_; }
  int PressedTop() const { return pressedTop_; }

 private:
  enum class Placement { Normal, Pressed };
  class Session;

  Surface& surface_;
  int normalTop_ = 0;
  int pressedTop_ = 2;
};

}  // namespace kestrune::button
