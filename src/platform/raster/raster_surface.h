#pragma once
// A software Surface on a 32-bit pixel buffer with GDI's pixel conventions, so that drawing can be
// compared pixel by pixel on any host and written out as a PNG.
//
// Text uses fixed glyph metrics instead of real fonts, so that layout is exact and predictable:
//  - cell height h = RoundEvenInt(font.size * 96 / 72), at least 1 (9 pt -> 12, 8 pt -> 11);
//  - a character is h / 2 pixels wide (integer division, at least 1), a wide (CJK, full-width)
//    character h pixels; a line of text is h pixels high;
//  - a glyph paints a solid box inset by one pixel left and right and by two pixels at the top and
//    the bottom of its cell (bold: inset by one pixel at the top); space and control characters
//    paint nothing;
//  - underline (font or access-key prefix) paints the cell's last row, strikethrough its middle row.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace kestrune {

class RasterSurface : public Surface {
 public:
  RasterSurface(int width, int height);

  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  void Resize(int width, int height) override;

  void SetDrawMode(DrawMode mode) override { mode_ = mode; }
  DrawMode GetDrawMode() const override { return mode_; }
  void SetFont(const Font& font) override { font_ = font; }
  const Font& GetFont() const override { return font_; }

  void Clear(Rgb back) override;
  void Line(int x1, int y1, int x2, int y2, Rgb pen) override;
  void FillRect(const Rect& rect, Rgb color) override;
  void FrameRect(const Rect& rect, Rgb color) override;
  void Rectangle(const Rect& rect, Rgb pen, std::optional<Rgb> fill) override;
  void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight, Rgb pen,
                 std::optional<Rgb> fill) override;
  void SetPixel(int x, int y, Rgb color) override;
  Rgb GetPixel(int x, int y) const override;

  int DrawText(std::wstring_view text, Rect& rect, unsigned format, Rgb color) override;
  TextSize MeasureText(std::wstring_view text) const override;
  void DrawFocusRect(const Rect& rect) override;
  void DrawPicture(const Picture& picture, const Rect& dest, std::optional<Rgb> transparent) override;

  void Present() override { ++presentCount_; }

  // Test helpers.
  int PresentCount() const { return presentCount_; }
  // Number of pixels of exactly this colour inside rect (clipped to the image).
  int CountColor(Rgb color, const Rect& rect) const;
  int CountColor(Rgb color) const { return CountColor(color, Rect{0, 0, width_, height_}); }
  // Writes the image as an 8-bit RGB PNG; returns false when the file cannot be written.
  bool WritePng(const std::string& path) const;

  // The fixed glyph metrics described above, for the current font.
  int CellHeight() const;
  int CharWidth(wchar_t c) const;
  static bool IsWide(wchar_t c);

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]; }
  // A pixel written by a pen or brush primitive: honours the drawing mode.
  void Plot(int x, int y, Rgb color);
  // Plot over x1..x2 (both included) of row y.
  void PlotRow(int x1, int x2, int y, Rgb color);
  void Put(int x, int y, Rgb color) {
    if (Inside(x, y)) At(x, y) = color;
  }
  void PutClipped(int x, int y, Rgb color, const Rect& clip) {
    if (clip.Contains(Point{x, y})) Put(x, y, color);
  }
  void DrawGlyph(wchar_t c, int x, int y, bool underline, Rgb color, const Rect& clip);

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
  DrawMode mode_ = DrawMode::CopyPen;
  Font font_{};
  int presentCount_ = 0;
};

}  // namespace kestrune
