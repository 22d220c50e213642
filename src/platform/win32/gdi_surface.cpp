#include "platform/win32/gdi_surface.h"

#include <algorithm>
#include <string>

#include "platform/rounding.h"

namespace kestrune {

namespace {

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The DIB stores B, G, R, X from the low byte up; Rgb is R, G, B from the low byte up.
std::uint32_t ToDibPixel(Rgb c) {
  return static_cast<std::uint32_t>(BlueOf(c)) | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
         static_cast<std::uint32_t>(RedOf(c)) << 16;
}

}  // namespace

GdiSurface::GdiSurface(int width, int height, int dpi) : dpi_(dpi) {
  dc_ = ::CreateCompatibleDC(nullptr);
  if (dc_ != nullptr) ::SetBkMode(dc_, TRANSPARENT);
  Resize(width, height);
}

GdiSurface::~GdiSurface() {
  ReleaseBitmap();
  ReleaseFont();
  if (dc_ != nullptr) ::DeleteDC(dc_);
}

void GdiSurface::ReleaseBitmap() {
  if (bitmap_ != nullptr) {
    ::SelectObject(dc_, oldBitmap_);
    ::DeleteObject(bitmap_);
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    bits_ = nullptr;
  }
}

void GdiSurface::ReleaseFont() {
  if (font_handle_ != nullptr) {
    ::DeleteObject(font_handle_);
    font_handle_ = nullptr;
  }
}

void GdiSurface::Resize(int width, int height) {
  ReleaseBitmap();
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  if (dc_ == nullptr || width_ == 0 || height_ == 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr) return;
  bits_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = ::SelectObject(dc_, bitmap_);
}

void GdiSurface::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  ReleaseFont();
}

void GdiSurface::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  ReleaseFont();
}

HFONT GdiSurface::FontHandle() const {
  if (font_handle_ == nullptr) {
    int dpi = dpi_;
    if (dpi <= 0) {
      const HDC screen = ::GetDC(nullptr);
      dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
      if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    }
    const int height = -RoundEvenInt(font_.size * dpi / 72.0);
    const int weight = font_.bold ? std::max(font_.weight, 700) : font_.weight;
    font_handle_ = ::CreateFontW(height, 0, 0, 0, weight, font_.italic ? TRUE : FALSE, font_.underline ? TRUE : FALSE,
                                 font_.strikethrough ? TRUE : FALSE, static_cast<BYTE>(font_.charset),
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 font_.name.c_str());
  }
  return font_handle_;
}

template <typename Draw>
void GdiSurface::WithPenAndBrush(Rgb pen, std::optional<Rgb> fill, Draw draw) {
  const HPEN hpen = ::CreatePen(PS_SOLID, 1, pen);
  const HBRUSH hbrush = fill ? ::CreateSolidBrush(*fill) : nullptr;
  const HGDIOBJ oldPen = ::SelectObject(dc_, hpen != nullptr ? static_cast<HGDIOBJ>(hpen) : ::GetStockObject(BLACK_PEN));
  const HGDIOBJ oldBrush =
      ::SelectObject(dc_, hbrush != nullptr ? static_cast<HGDIOBJ>(hbrush) : ::GetStockObject(NULL_BRUSH));
  const int oldRop = ::SetROP2(dc_, static_cast<int>(mode_));
  draw();
  ::SetROP2(dc_, oldRop);
  ::SelectObject(dc_, oldBrush);
  ::SelectObject(dc_, oldPen);
  if (hbrush != nullptr) ::DeleteObject(hbrush);
  if (hpen != nullptr) ::DeleteObject(hpen);
}

void GdiSurface::Clear(Rgb back) { FillRect(Rect{0, 0, width_, height_}, back); }

void GdiSurface::Line(int x1, int y1, int x2, int y2, Rgb pen) {
  WithPenAndBrush(pen, std::nullopt, [&] {
    ::MoveToEx(dc_, x1, y1, nullptr);
    ::LineTo(dc_, x2, y2);
  });
}

void GdiSurface::FillRect(const Rect& rect, Rgb color) {
  const HBRUSH brush = ::CreateSolidBrush(color);
  if (brush == nullptr) return;
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, brush);
  ::DeleteObject(brush);
}

void GdiSurface::FrameRect(const Rect& rect, Rgb color) {
  const HBRUSH brush = ::CreateSolidBrush(color);
  if (brush == nullptr) return;
  const RECT r = ToRect(rect);
  ::FrameRect(dc_, &r, brush);
  ::DeleteObject(brush);
}

void GdiSurface::Rectangle(const Rect& rect, Rgb pen, std::optional<Rgb> fill) {
  WithPenAndBrush(pen, fill, [&] { ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom); });
}

void GdiSurface::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight, Rgb pen, std::optional<Rgb> fill) {
  WithPenAndBrush(pen, fill, [&] {
    ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
  });
}

void GdiSurface::SetPixel(int x, int y, Rgb color) { ::SetPixelV(dc_, x, y, color); }

Rgb GdiSurface::GetPixel(int x, int y) const { return ::GetPixel(dc_, x, y); }

int GdiSurface::DrawText(std::wstring_view text, Rect& rect, unsigned format, Rgb color) {
  const HGDIOBJ oldFont = ::SelectObject(dc_, FontHandle());
  // The text colour is put back afterwards: it also colours the focus rectangle's pattern brush.
  const COLORREF oldColor = ::SetTextColor(dc_, color);
  RECT r = ToRect(rect);
  const std::wstring copy(text);  // DrawTextW may write into the text with some flags; never into ours
  const int height = ::DrawTextW(dc_, copy.c_str(), static_cast<int>(copy.size()), &r, format);
  ::SetTextColor(dc_, oldColor);
  ::SelectObject(dc_, oldFont);
  if (format & textfmt::kCalcRect) rect = Rect{r.left, r.top, r.right, r.bottom};
  return height;
}

TextSize GdiSurface::MeasureText(std::wstring_view text) const {
  const HGDIOBJ oldFont = ::SelectObject(dc_, FontHandle());
  RECT r{0, 0, 0, 0};
  const std::wstring copy(text.empty() ? std::wstring_view(L" ") : text);
  ::DrawTextW(dc_, copy.c_str(), static_cast<int>(copy.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  ::SelectObject(dc_, oldFont);
  return TextSize{text.empty() ? 0 : r.right - r.left, r.bottom - r.top};
}

// The focus rectangle XORs a checkerboard brush whose two colours are the text and background colours
// of the context; black on white makes it a plain inversion of every other pixel.
void GdiSurface::DrawFocusRect(const Rect& rect) {
  const COLORREF oldText = ::SetTextColor(dc_, RGB(0, 0, 0));
  const COLORREF oldBack = ::SetBkColor(dc_, RGB(255, 255, 255));
  const RECT r = ToRect(rect);
  ::DrawFocusRect(dc_, &r);
  ::SetBkColor(dc_, oldBack);
  ::SetTextColor(dc_, oldText);
}

// Written straight into the DIB section (nearest-neighbour scaling, transparent colour and icon mask
// left out), so that one code path serves bitmaps and icons alike.
void GdiSurface::DrawPicture(const Picture& picture, const Rect& dest, std::optional<Rgb> transparent) {
  if (bits_ == nullptr || picture.Empty()) return;
  if (picture.pixels.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) return;
  const int dw = dest.right - dest.left;
  const int dh = dest.bottom - dest.top;
  if (dw <= 0 || dh <= 0) return;
  ::GdiFlush();  // finish queued GDI drawing before touching the bits directly
  for (int dy = 0; dy < dh; ++dy) {
    const int y = dest.top + dy;
    if (y < 0 || y >= height_) continue;
    const int sy = static_cast<int>(static_cast<long long>(dy) * picture.height / dh);
    for (int dx = 0; dx < dw; ++dx) {
      const int x = dest.left + dx;
      if (x < 0 || x >= width_) continue;
      const int sx = static_cast<int>(static_cast<long long>(dx) * picture.width / dw);
      if (!picture.OpaqueAt(sx, sy)) continue;
      const Rgb c = picture.At(sx, sy);
      if (transparent && c == *transparent) continue;
      bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = ToDibPixel(c);
    }
  }
}

void GdiSurface::Present() {
  if (window_ != nullptr) ::InvalidateRect(window_, nullptr, FALSE);
}

void GdiSurface::PaintTo(HDC dc) const {
  if (dc_ != nullptr && bitmap_ != nullptr) ::BitBlt(dc, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

}  // namespace kestrune
