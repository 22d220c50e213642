#pragma once
// The retained image an own control draws into. GDI conventions throughout:
// a line does not paint its end point; rectangles cover left <= x < right, top <= y < bottom.
// Colours passed here are already RGB (controls resolve system colours before drawing).
#include <optional>
#include <string_view>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/types.h"

namespace kestrune {

enum class DrawMode { XorPen = 7, CopyPen = 13 };

// DrawText format flags; same values as the platform's DT_* so the Win32 side passes them on.
namespace textfmt {
constexpr unsigned kLeft = 0x0;
constexpr unsigned kCenter = 0x1;
constexpr unsigned kRight = 0x2;
constexpr unsigned kVCenter = 0x4;
constexpr unsigned kWordBreak = 0x10;
constexpr unsigned kSingleLine = 0x20;
constexpr unsigned kExpandTabs = 0x40;
constexpr unsigned kCalcRect = 0x400;
constexpr unsigned kNoPrefix = 0x800;
constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace textfmt

struct TextSize {
  int width = 0;
  int height = 0;
};

class Surface {
 public:
  virtual ~Surface() = default;

  virtual int ScaleWidth() const = 0;
  virtual int ScaleHeight() const = 0;
  // Changes the image size; contents become undefined until the next Clear.
  virtual void Resize(int width, int height) = 0;

  // Drawing mode applies to Line, Rectangle and RoundRect (pen and brush), as ROP2 does in GDI.
  // FillRect, FrameRect, SetPixel, text, focus rectangles and pictures ignore it.
  virtual void SetDrawMode(DrawMode mode) = 0;
  virtual DrawMode GetDrawMode() const = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual const Font& GetFont() const = 0;

  virtual void Clear(Rgb back) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, Rgb pen) = 0;
  virtual void FillRect(const Rect& rect, Rgb color) = 0;
  virtual void FrameRect(const Rect& rect, Rgb color) = 0;
  // GDI Rectangle/RoundRect: outline in the pen colour, inside filled with fill (nullopt = hollow).
  virtual void Rectangle(const Rect& rect, Rgb pen, std::optional<Rgb> fill) = 0;
  virtual void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight, Rgb pen,
                         std::optional<Rgb> fill) = 0;
  virtual void SetPixel(int x, int y, Rgb color) = 0;
  // Outside the image: 0xFFFFFFFF (CLR_INVALID), as GetPixel answers.
  virtual Rgb GetPixel(int x, int y) const = 0;

  // Text in the current font, transparent background. With textfmt::kCalcRect nothing is drawn and
  // rect's right and bottom are set to the text extent. Returns the height of the text drawn.
  virtual int DrawText(std::wstring_view text, Rect& rect, unsigned format, Rgb color) = 0;
  virtual TextSize MeasureText(std::wstring_view text) const = 0;
  // Dotted focus rectangle drawn by inverting pixels: drawing it twice restores the image.
  virtual void DrawFocusRect(const Rect& rect) = 0;
  // Draws the picture scaled into dest; pixels equal to transparent are left out.
  virtual void DrawPicture(const Picture& picture, const Rect& dest, std::optional<Rgb> transparent) = 0;

  // Shows the retained image on screen (no-op for off-screen surfaces).
  virtual void Present() = 0;
};

}  // namespace kestrune
