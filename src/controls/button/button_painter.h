#pragma once
// The gradient button's looks: what one drawing reads, one painter per button type behind one
// interface, chosen by type (PainterFor), and what a drawing gives them: the primitives on a surface
// of W x H pixels, the caption and the marks. Coordinates follow the surface: a line leaves out its
// end point, rectangles are right/bottom exclusive.
#include <cstdint>
#include <string>

#include "controls/button/button_colors.h"
#include "platform/surface.h"
#include "platform/window_region.h"

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

enum class Placement { kNormal, kPressed };

// One drawing of one look.
struct ButtonDrawing {
  ButtonDrawing(Surface& target, const ButtonLook& drawn, CaptionTops& captionTops)
      : surface(target), look(drawn), w(drawn.width), h(drawn.height), text(drawn.scheme.text), tops(captionTops) {}

  // The rectangle (x, y, x + w, y + h) filled, or only its one-pixel outline.
  void DrawRect(int x, int y, int width, int height, Rgb color, bool outlineOnly = false);
  void DrawLine(int x1, int y1, int x2, int y2, Rgb color) { surface.Line(x1, y1, x2, y2, color); }
  void PutPixel(int x, int y, Rgb color) { surface.SetPixel(x, y, color); }
  // The inner row y, from x = 1 to W - 1.
  void Row(int y, Rgb color) { DrawLine(1, y, w - 1, y, color); }
  // Edges in edge colour two pixels short of each corner, one pixel in corner colour inside each corner.
  void DrawRoundedFrame(Rgb edge, Rgb corner);

  // Whether the focus rectangle shows in the normal look: a default button's, or a focused one's.
  bool FocusTest() const { return (look.showFocusRect && look.isDefault) || look.hasFocus; }
  void FocusRectangle();
  // The ring a default (or focused) button of the XP and bevel types shows inside its frame.
  void DefaultRing(int xpType);
  void HoverRing(Rgb color);

  // The caption in the text colour: on one line when it fits, else word-wrapped (which moves the tops).
  void Caption(Placement placement);
  void Text(Placement placement, unsigned format);
  // The normal top of a caption wrapped to fit: its line count from its width.
  int WrappedTop(TextSize size) const { return (h - size.height * (size.width / w + 1)) / 2; }

  Surface& surface;
  const ButtonLook& look;
  const int w;
  const int h;
  Rgb text;  // the caption's colour in this drawing
  CaptionTops& tops;
};

constexpr unsigned kOneLine = textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine | textfmt::kExpandTabs;
constexpr unsigned kWrapped = textfmt::kCenter | textfmt::kWordBreak;

// An RGB colour from fractional components, each rounded (halves to even) and clamped.
Rgb RoundedRgb(double r, double g, double b);

// Gradient colours a type brings along, and its share (Percent); a share below 0 leaves it as it is.
struct GradientPreset {
  int percent;
  Rgb mid, end, mouseMoveMid, mouseMoveEnd, mouseDownMid, mouseDownEnd;
};

class TypePainter {
 public:
  virtual ~TypePainter() = default;
  // State 0, with the hover look while the pointer is over the button.
  virtual void Normal(ButtonDrawing& d) const = 0;
  virtual void Pressed(ButtonDrawing& d) const = 0;
  virtual void Disabled(ButtonDrawing& d) const = 0;
  // Whether the window loses three pixels at each corner (ButtonRegion).
  virtual bool CutsCorners() const { return false; }
  // What choosing this type sets, after the scheme's colours.
  virtual const GradientPreset* Preset() const { return nullptr; }
  // What colour scheme 1 (the system colours) gives this type.
  virtual const GradientPreset* SystemSchemePreset() const { return nullptr; }
};

const TypePainter& XpPainter();
const TypePainter& BevelPainter();
const TypePainter& BandPainter();
const TypePainter& GlassPainter();
const TypePainter& OfficePainter();
// None for a value outside the five types.
const TypePainter* PainterFor(ButtonKind kind);

// The window shape: without three pixels at each corner (the two outermost of the corner's row and
// the outermost of the next row) where the type's painter cuts the corners, so that its rounded frame
// shows no square corners; plain for the other types.
WindowRegion ButtonRegion(ButtonKind kind, int width, int height);

// Clears the surface, fills it with the face colour and paints the look for state with the painter
// of the look's type. The look's height is above 0.
void PaintButton(Surface& surface, const ButtonLook& look, int state, CaptionTops& tops);

}  // namespace kestrune::button
