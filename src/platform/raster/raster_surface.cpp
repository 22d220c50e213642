#include "platform/raster/raster_surface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/raster/png_writer.h"
#include "platform/raster/raster_text.h"
#include "platform/rounding.h"

namespace kestrune {

namespace {

constexpr unsigned kNoClip = 0x100;  // DT_NOCLIP
constexpr unsigned kBottom = 0x8;    // DT_BOTTOM

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace

RasterSurface::RasterSurface(int width, int height) : width_(0), height_(0) { Resize(width, height); }

void RasterSurface::Resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

void RasterSurface::Plot(int x, int y, Rgb color) {
  if (!Inside(x, y)) return;
  if (mode_ == DrawMode::XorPen)
    At(x, y) ^= color;
  else
    At(x, y) = color;
}

void RasterSurface::Clear(Rgb back) { std::fill(pixels_.begin(), pixels_.end(), back); }

namespace {

// Floor and ceiling of a / b for b > 0 and any sign of a.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

}  // namespace

// GDI's line: one pixel per step along the major axis, the minor coordinate being the exact one
// rounded to the nearest with halves going to the smaller coordinate. That makes a line cover the same
// pixels whichever way it is drawn. The end point is not painted; a zero-length line paints nothing.
void RasterSurface::Line(int x1, int y1, int x2, int y2, Rgb pen) {
  const long long dx = static_cast<long long>(x2) - x1;
  const long long dy = static_cast<long long>(y2) - y1;
  const long long adx = dx < 0 ? -dx : dx;
  const long long ady = dy < 0 ? -dy : dy;
  // minor = round-half-down(n / d) = ceil((2n - d) / 2d)
  auto minor = [](long long n, long long d) { return CeilDiv(2 * n - d, 2 * d); };
  if (adx >= ady) {
    const int sx = dx < 0 ? -1 : 1;
    for (long long k = 0; k < adx; ++k)
      Plot(static_cast<int>(x1 + k * sx), static_cast<int>(y1 + minor(k * dy, adx)), pen);
  } else {
    const int sy = dy < 0 ? -1 : 1;
    for (long long k = 0; k < ady; ++k)
      Plot(static_cast<int>(x1 + minor(k * dx, ady)), static_cast<int>(y1 + k * sy), pen);
  }
}

void RasterSurface::FillRect(const Rect& rect, Rgb color) {
  const Rect r = Intersect(rect, Rect{0, 0, width_, height_});
  if (r.right <= r.left) return;
  for (int y = r.top; y < r.bottom; ++y) std::fill(&At(r.left, y), &At(r.left, y) + (r.right - r.left), color);
}

void RasterSurface::FrameRect(const Rect& rect, Rgb color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  for (int x = rect.left; x < rect.right; ++x) {
    Put(x, rect.top, color);
    Put(x, rect.bottom - 1, color);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    Put(rect.left, y, color);
    Put(rect.right - 1, y, color);
  }
}

void RasterSurface::Rectangle(const Rect& rect, Rgb pen, std::optional<Rgb> fill) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (fill) {
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
      for (int x = rect.left + 1; x < rect.right - 1; ++x) Plot(x, y, *fill);
  }
  // Each outline pixel exactly once, so that XOR mode inverts every pixel once.
  for (int x = rect.left; x < rect.right; ++x) {
    Plot(x, rect.top, pen);
    if (rect.bottom - 1 != rect.top) Plot(x, rect.bottom - 1, pen);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    Plot(rect.left, y, pen);
    if (rect.right - 1 != rect.left) Plot(rect.right - 1, y, pen);
  }
}

namespace {

// The outline of the ellipse that fills a w x h pixel box, by Zingl's rasterisation of an ellipse given
// by its bounding rectangle: for each row, the left-most outline pixels (x < ceil(w / 2)). The ellipse
// is symmetric, so the right half mirrors them. This is the corner shape GDI paints for RoundRect.
std::vector<std::vector<int>> EllipseLeftOutline(int w, int h) {
  std::vector<std::vector<int>> rows(static_cast<std::size_t>(h));
  auto put = [&](long long x, long long y) {
    if (y < 0 || y >= h || x < 0 || x >= (w + 1) / 2) return;
    auto& row = rows[static_cast<std::size_t>(y)];
    if (std::find(row.begin(), row.end(), static_cast<int>(x)) == row.end()) row.push_back(static_cast<int>(x));
  };
  long long x0 = 0;
  long long x1 = w - 1;
  long long a = w - 1;
  const long long b = h - 1;
  long long b1 = b & 1;
  long long dx = 4 * (1 - a) * b * b;
  long long dy = 4 * (b1 + 1) * a * a;
  long long err = dx + dy + b1 * a * a;
  long long y0 = (b + 1) / 2;
  long long y1 = y0 - b1;
  a *= 8 * a;
  b1 = 8 * b * b;
  do {
    put(x0, y0);
    put(x0, y1);
    put(x1, y0);
    put(x1, y1);
    const long long e2 = 2 * err;
    if (e2 <= dy) {
      ++y0;
      --y1;
      dy += a;
      err += dy;
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0;
      --x1;
      dx += b1;
      err += dx;
    }
  } while (x0 <= x1);
  while (y0 - y1 < b) {  // the tips of very flat ellipses
    put(x0 - 1, y0);
    put(x1 + 1, y0++);
    put(x0 - 1, y1);
    put(x1 + 1, y1--);
  }
  return rows;
}

}  // namespace

// The rectangle with each corner replaced by a quarter of the ellipse ellipseWidth x ellipseHeight;
// in each row the outline pixels come first and last and the fill lies between them.
void RasterSurface::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight, Rgb pen,
                              std::optional<Rgb> fill) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const int ew = std::min(ellipseWidth, w);
  const int eh = std::min(ellipseHeight, h);
  if (ew <= 1 || eh <= 1) {
    Rectangle(rect, pen, fill);
    return;
  }
  // Each corner row's outline pixels and their extent, worked out once for all rows of the shape.
  const std::vector<std::vector<int>> corner = EllipseLeftOutline(ew, eh);
  std::vector<std::pair<int, int>> extent(corner.size(), {0, 0});
  for (std::size_t i = 0; i < corner.size(); ++i)
    if (!corner[i].empty())
      extent[i] = {*std::min_element(corner[i].begin(), corner[i].end()),
                   *std::max_element(corner[i].begin(), corner[i].end())};
  static const std::vector<int> kStraight{0};
  const int topRows = (eh + 1) / 2;     // ellipse rows used by the top corners
  const int bottomFirst = eh / 2;       // first ellipse row used by the bottom corners
  for (int r = 0; r < h; ++r) {
    const int y = rect.top + r;
    // The left outline pixels of this row, relative to left, and their extent.
    const std::vector<int>* xs = &kStraight;
    std::pair<int, int> lohi{0, 0};
    const int cornerRow = r < topRows ? r : r >= h - (eh - bottomFirst) ? r - (h - eh) : -1;
    if (cornerRow >= 0) {
      xs = &corner[static_cast<std::size_t>(cornerRow)];
      lohi = extent[static_cast<std::size_t>(cornerRow)];
    }
    if (xs->empty()) continue;
    const auto [lo, hi] = lohi;
    const bool edgeRow = r == 0 || r == h - 1;
    auto mirror = [&](int rel) { return rect.right - 1 - rel; };
    if (edgeRow || rect.left + hi >= mirror(hi)) {
      PlotRow(rect.left + lo, mirror(lo), y, pen);
      continue;
    }
    for (int rel : *xs) {
      Plot(rect.left + rel, y, pen);
      Plot(mirror(rel), y, pen);
    }
    if (fill) PlotRow(rect.left + hi + 1, mirror(hi) - 1, y, *fill);
  }
}

void RasterSurface::PlotRow(int x1, int x2, int y, Rgb color) {
  if (y < 0 || y >= height_) return;
  x1 = std::max(x1, 0);
  x2 = std::min(x2, width_ - 1);
  if (x1 > x2) return;
  Rgb* row = &At(x1, y);
  const std::size_t n = static_cast<std::size_t>(x2 - x1) + 1;
  if (mode_ == DrawMode::XorPen)
    for (std::size_t i = 0; i < n; ++i) row[i] ^= color;
  else
    std::fill(row, row + n, color);
}

void RasterSurface::SetPixel(int x, int y, Rgb color) { Put(x, y, color); }

Rgb RasterSurface::GetPixel(int x, int y) const {
  if (!Inside(x, y)) return 0xFFFFFFFFu;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

int RasterSurface::CellHeight() const { return std::max(1, RoundEvenInt(font_.size * 96.0 / 72.0)); }

bool RasterSurface::IsWide(wchar_t c) { return raster_text::IsWide(c); }

int RasterSurface::CharWidth(wchar_t c) const { return raster_text::CharWidth(c, CellHeight()); }

void RasterSurface::DrawGlyph(wchar_t c, int x, int y, bool underline, Rgb color, const Rect& clip) {
  const int w = CharWidth(c);
  const int h = CellHeight();
  if (c > L' ') {
    const int top = y + (font_.bold || font_.weight >= 700 ? 1 : 2);
    for (int py = top; py < y + h - 2; ++py)
      for (int px = x + 1; px < x + w - 1; ++px) PutClipped(px, py, color, clip);
  }
  if (underline || font_.underline)
    for (int px = x; px < x + w; ++px) PutClipped(px, y + h - 1, color, clip);
  if (font_.strikethrough)
    for (int px = x; px < x + w; ++px) PutClipped(px, y + h / 2, color, clip);
}

TextSize RasterSurface::MeasureText(std::wstring_view text) const {
  int lines = 1;
  int lineWidth = 0;
  int maxWidth = 0;
  for (wchar_t c : text) {
    if (c == L'\n') {
      ++lines;
      lineWidth = 0;
    } else if (c != L'\r') {
      lineWidth += CharWidth(c);
      maxWidth = std::max(maxWidth, lineWidth);
    }
  }
  return TextSize{maxWidth, lines * CellHeight()};
}

int RasterSurface::DrawText(std::wstring_view text, Rect& rect, unsigned format, Rgb color) {
  using namespace textfmt;
  const bool singleLine = (format & kSingleLine) != 0;
  const int h = CellHeight();
  // Steps 1-4: prefixes, line breaks, word wrap, ellipsis.
  const std::vector<raster_text::TextLine> lines = raster_text::LayOutText(text, format, rect.right - rect.left, h);
  const int total = static_cast<int>(lines.size()) * h;

  if (format & kCalcRect) {
    int maxWidth = 0;
    for (const raster_text::TextLine& line : lines) maxWidth = std::max(maxWidth, raster_text::LineWidth(line, h));
    rect.right = rect.left + maxWidth;
    rect.bottom = rect.top + total;
    return total;
  }

  // 5. Placement: a single line may sit centred or at the bottom; each line is aligned on its own.
  int y = rect.top;
  if (singleLine && (format & kVCenter))
    y = (rect.top + rect.bottom - h) / 2;
  else if (singleLine && (format & kBottom))
    y = rect.bottom - h;
  const Rect clip = (format & kNoClip) ? Rect{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29} : rect;
  const int firstY = y;
  for (const raster_text::TextLine& line : lines) {
    const int w = raster_text::LineWidth(line, h);
    int x = rect.left;
    if (format & kCenter)
      x = (rect.left + rect.right - w) / 2;
    else if (format & kRight)
      x = rect.right - w;
    for (const raster_text::GlyphChar& g : line) {
      DrawGlyph(g.c, x, y, g.underline, color, clip);
      x += CharWidth(g.c);
    }
    y += h;
  }
  if (singleLine && (format & (kVCenter | kBottom))) return firstY - rect.top + h;
  return total;
}

// Inverts every other pixel of the rectangle's one-pixel frame, on a checkerboard fixed to the image
// origin like the pattern brush of the platform's focus rectangle; drawing it twice restores the image.
void RasterSurface::DrawFocusRect(const Rect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  auto invert = [&](int x, int y) {
    if (((x + y) & 1) == 0 && Inside(x, y)) At(x, y) ^= 0x00FFFFFFu;
  };
  for (int x = rect.left; x < rect.right; ++x) {
    invert(x, rect.top);
    if (rect.bottom - 1 != rect.top) invert(x, rect.bottom - 1);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    invert(rect.left, y);
    if (rect.right - 1 != rect.left) invert(rect.right - 1, y);
  }
}

// Nearest-neighbour scaling into dest.
void RasterSurface::DrawPicture(const Picture& picture, const Rect& dest, std::optional<Rgb> transparent) {
  if (picture.Empty() || picture.pixels.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    return;
  const int dw = dest.right - dest.left;
  const int dh = dest.bottom - dest.top;
  if (dw <= 0 || dh <= 0) return;
  for (int dy = 0; dy < dh; ++dy) {
    const int sy = static_cast<int>(static_cast<long long>(dy) * picture.height / dh);
    for (int dx = 0; dx < dw; ++dx) {
      const int sx = static_cast<int>(static_cast<long long>(dx) * picture.width / dw);
      if (!picture.OpaqueAt(sx, sy)) continue;
      const Rgb c = picture.At(sx, sy);
      if (transparent && c == *transparent) continue;
      Put(dest.left + dx, dest.top + dy, c);
    }
  }
}

int RasterSurface::CountColor(Rgb color, const Rect& rect) const {
  const Rect r = Intersect(rect, Rect{0, 0, width_, height_});
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(x, y) == color) ++n;
  return n;
}

bool RasterSurface::WritePng(const std::string& path) const {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(pixels_.size() * 3);
  for (Rgb p : pixels_) {
    rgb.push_back(static_cast<std::uint8_t>(RedOf(p)));
    rgb.push_back(static_cast<std::uint8_t>(GreenOf(p)));
    rgb.push_back(static_cast<std::uint8_t>(BlueOf(p)));
  }
  const std::vector<std::uint8_t> png = EncodePngRgb(width_, height_, rgb);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace kestrune
