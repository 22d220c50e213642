#pragma once
// Surface on a memory device context with a DIB section: controls draw into the retained image and the
// window blits it on WM_PAINT (PaintTo). Each primitive creates its pen or brush, selects it, uses it
// and deletes it again; the font's HFONT is cached until the font changes.
#include <windows.h>

#include "platform/surface.h"

namespace kestrune {

class GdiSurface : public Surface {
 public:
  // dpi: see SetDpi.
  GdiSurface(int width, int height, int dpi = 0);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  // The window whose client area shows the image; Present invalidates it (nullptr: none).
  void SetWindow(HWND window) { window_ = window; }
  // Copies the image to dc at (0, 0).
  void PaintTo(HDC dc) const;
  HDC Dc() const { return dc_; }
  // The resolution the font's points are turned into pixels at: the window's, which on a
  // per-monitor system is not the screen's (0, the default: the screen's).
  void SetDpi(int dpi);

  int ScaleWidth() const override { return width_; }
  int ScaleHeight() const override { return height_; }
  void Resize(int width, int height) override;

  void SetDrawMode(DrawMode mode) override { mode_ = mode; }
  DrawMode GetDrawMode() const override { return mode_; }
  void SetFont(const Font& font) override;
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

  void Present() override;

 private:
  void ReleaseBitmap();
  void ReleaseFont();
  HFONT FontHandle() const;
  // Pen and brush primitives: creates pen (and brush), selects them with the drawing mode, runs draw,
  // then restores and deletes them.
  template <typename Draw>
  void WithPenAndBrush(Rgb pen, std::optional<Rgb> fill, Draw draw);

  int width_ = 0;
  int height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // top-down 32-bit BGRX pixels of the DIB section
  HWND window_ = nullptr;
  DrawMode mode_ = DrawMode::CopyPen;
  Font font_{};
  mutable HFONT font_handle_ = nullptr;
  int dpi_ = 0;
};

}  // namespace kestrune
